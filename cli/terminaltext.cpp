#include "terminaltext.h"

#include <QStringList>

namespace {

bool needsEscape(char16_t ch) {
    return ch < 0x20 || (ch >= 0x7f && ch <= 0x9f) || (ch >= 0x202a && ch <= 0x202e) ||
           (ch >= 0x2066 && ch <= 0x2069);
}

QString hex(char16_t code, int digits) {
    return QString::number(int(code), 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

}  // namespace

QString terminalLine(const QString& text) {
    QString line;
    line.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (!needsEscape(code))
            line += ch;
        else if (code <= 0xff)
            line += QStringLiteral("\\x") + hex(code, 2);
        else
            line += QStringLiteral("\\u{") + hex(code, 4) + QLatin1Char('}');
    }
    return line;
}

QString terminalLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) line = terminalLine(line);
    return lines.join(QLatin1Char('\n'));
}
