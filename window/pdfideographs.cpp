#include "pdfideographs.h"

#include <QGlyphRun>
#include <QHash>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QTextLayout>
#include <algorithm>

namespace {

// CJK Radicals Supplement and Kangxi Radicals.
constexpr char16_t kFirstRadical = 0x2E80;
constexpr char16_t kLastRadical = 0x2FDF;

bool isIdeograph(char16_t c) {
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF);
}

// Radical -> the ideograph of `texts` drawn with the same glyph of the font that draws it.
QHash<char16_t, char16_t> radicalIdeographs(const std::vector<std::pair<QString, QFont>>& texts) {
    QString radicals;
    for (char16_t c = kFirstRadical; c <= kLastRadical; ++c) radicals += QChar(c);
    QHash<char16_t, char16_t> found;
    QSet<char16_t> used;
    for (const auto& [text, font] : texts) {
        for (const QChar c : text) used.insert(c.unicode());
        if (std::none_of(text.begin(), text.end(),
                         [](QChar c) { return isIdeograph(c.unicode()); }))
            continue;
        QTextLayout layout(text, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        // The fonts that draw the text: the one asked for and those that fill in for it.
        for (const QGlyphRun& run : layout.glyphRuns()) {
            const QRawFont raw = run.rawFont();
            const QList<quint32> radicalGlyphs = raw.glyphIndexesForString(radicals);
            for (const QChar c : text) {
                if (!isIdeograph(c.unicode())) continue;
                const QList<quint32> glyph = raw.glyphIndexesForString(QString(c));
                if (glyph.isEmpty() || glyph.front() == 0) continue;
                for (qsizetype r = 0; r < radicalGlyphs.size(); ++r)
                    if (radicalGlyphs[r] == glyph.front())
                        found.insert(char16_t(kFirstRadical + r), c.unicode());
            }
        }
    }
    for (const char16_t c : used) found.remove(c);  // a radical written as such stays
    return found;
}

}  // namespace

QByteArray withIdeographsRestored(const QByteArray& pdf,
                                  const std::vector<std::pair<QString, QFont>>& texts) {
    const QHash<char16_t, char16_t> ideographs = radicalIdeographs(texts);
    if (ideographs.isEmpty()) return pdf;
    QByteArray result = pdf;
    static const QRegularExpression hex(QStringLiteral("<([0-9A-Fa-f]{4})>"));
    qsizetype from = 0;
    while ((from = result.indexOf("beginbfrange\n", from)) >= 0) {
        const qsizetype end = result.indexOf("endbfrange", from);
        if (end < 0) break;
        // One line per range: the first and last glyph, then the code point of the first (the
        // others follow it) or, in brackets, the code point of each glyph.
        qsizetype line = result.indexOf('\n', from) + 1;
        while (line > 0 && line < end) {
            const qsizetype next = result.indexOf('\n', line) + 1;
            const qsizetype stop = next > 0 ? next : end;
            const QString text = QString::fromLatin1(result.mid(line, stop - line));
            const bool listed = text.contains(QLatin1Char('['));
            int token = 0;
            for (auto match = hex.globalMatch(text); match.hasNext(); ++token) {
                const QRegularExpressionMatch m = match.next();
                if (token < 2) continue;
                const char16_t code = char16_t(m.captured(1).toUShort(nullptr, 16));
                // A range counted on from one code point keeps it: its followers would move too.
                const bool single = listed || text.left(6) == text.mid(7, 6);
                if (!single || !ideographs.contains(code)) continue;
                const QByteArray replacement =
                    QByteArray::number(ideographs.value(code), 16).toUpper().rightJustified(4, '0');
                result.replace(line + m.capturedStart(1), 4, replacement);
            }
            line = next;
        }
        from = end;
    }
    return result;
}
