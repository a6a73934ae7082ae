#include "storedvalues.h"

#include <cstdlib>
#include <limits>

double storedReal(float value) {
    const QByteArray text = shortestFloatText(value).toLatin1();
    const double parsed = std::strtod(text.constData(), nullptr);
    return float(parsed) == value ? parsed : double(value);
}

QString colourText(OleColor colour) {
    return QString::number(qint32(colour));
}

std::optional<OleColor> colourFromText(const QString& text) {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < std::numeric_limits<qint32>::min() ||
        value > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return OleColor(quint32(value));
}
