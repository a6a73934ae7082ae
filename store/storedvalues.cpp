#include "storedvalues.h"

#include <QRegularExpression>
#include <cmath>
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

std::optional<qint64> storedInteger(const QVariant& value) {
    if (value.isNull()) return std::nullopt;
    switch (value.typeId()) {
        case QMetaType::Short:
        case QMetaType::Int:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::UShort:
        case QMetaType::UInt:
            return value.toLongLong();
        case QMetaType::ULong:
        case QMetaType::ULongLong: {
            const qulonglong v = value.toULongLong();
            if (v > qulonglong(std::numeric_limits<qint64>::max())) return std::nullopt;
            return qint64(v);
        }
        case QMetaType::Float:
        case QMetaType::Double: {
            // Only whole numbers that a double holds exactly; 2^53 is far beyond any index.
            const double v = value.toDouble();
            constexpr double kExact = 9007199254740992.0;
            if (!std::isfinite(v) || std::trunc(v) != v || std::fabs(v) > kExact)
                return std::nullopt;
            return qint64(v);
        }
        case QMetaType::QString:
        case QMetaType::QByteArray: {
            // Decimal text as a NUMERIC column or a text column gives it: "12", "-3", "12.000".
            static const QRegularExpression wholeNumber(
                QStringLiteral("^\\s*([+-]?[0-9]+)(?:\\.0*)?\\s*$"));
            const QRegularExpressionMatch match = wholeNumber.match(value.toString());
            if (!match.hasMatch()) return std::nullopt;
            bool ok = false;
            const qint64 v = match.captured(1).toLongLong(&ok);
            if (!ok) return std::nullopt;
            return v;
        }
        default:
            return std::nullopt;
    }
}

std::optional<float> storedCoordinate(const QVariant& value) {
    if (value.isNull()) return std::nullopt;
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) > kLargestStoredCoordinate) return std::nullopt;
    return float(v);
}
