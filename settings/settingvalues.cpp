#include "settingvalues.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "module1.h"

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Scans a number at `pos` into `ascii` (sign dropped into `negative`); returns the position after
// it, or -1 when no digit was found.
qsizetype scanNumber(QStringView text, qsizetype pos, std::string& ascii, bool& negative) {
    const qsizetype n = text.size();
    negative = false;
    if (pos < n && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    bool digits = false;
    while (pos < n && isDigit(text[pos])) {
        ascii += char(text[pos].unicode());
        digits = true;
        ++pos;
    }
    if (pos < n && text[pos] == u'.') {
        std::string fraction = ".";
        qsizetype p = pos + 1;
        while (p < n && isDigit(text[p])) {
            fraction += char(text[p].unicode());
            digits = true;
            ++p;
        }
        // "5." is a number; "." alone is not.
        if (digits) {
            ascii += fraction;
            pos = p;
        }
    }
    if (!digits) return -1;
    // An exponent counts only when digits follow it: "1e3" is 1000, "1eggs" is 1.
    if (pos < n && (text[pos] == u'e' || text[pos] == u'E')) {
        qsizetype p = pos + 1;
        std::string exponent = "e";
        if (p < n && (text[p] == u'+' || text[p] == u'-')) exponent += char(text[p++].unicode());
        const qsizetype firstDigit = p;
        while (p < n && isDigit(text[p])) exponent += char(text[p++].unicode());
        if (p > firstDigit) {
            ascii += exponent;
            pos = p;
        }
    }
    return pos;
}

std::optional<double> toDouble(const std::string& ascii, bool negative) {
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

template <typename Int>
std::optional<Int> roundTo(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    // nearbyint rounds halves to even under the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (rounded < double(std::numeric_limits<Int>::min()) ||
        rounded > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return Int(rounded);
}

qsizetype skipBlanks(QStringView text, qsizetype pos) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    return pos;
}

}  // namespace

std::optional<double> leadingNumber(QStringView text) {
    std::string ascii;
    bool negative = false;
    if (scanNumber(text, skipBlanks(text, 0), ascii, negative) < 0) return std::nullopt;
    return toDouble(ascii, negative);
}

std::optional<double> wholeNumber(QStringView text) {
    std::string ascii;
    bool negative = false;
    const qsizetype end = scanNumber(text, skipBlanks(text, 0), ascii, negative);
    if (end < 0 || skipBlanks(text, end) != text.size()) return std::nullopt;
    return toDouble(ascii, negative);
}

std::optional<qint16> roundToInt16(double value) {
    return roundTo<qint16>(value);
}
std::optional<qint32> roundToInt32(double value) {
    return roundTo<qint32>(value);
}

std::optional<qint16> settingToInt16(const std::optional<QString>& text) {
    if (!text) return std::nullopt;
    const auto number = wholeNumber(*text);
    return number ? roundToInt16(*number) : std::nullopt;
}

std::optional<qint32> settingToInt32(const std::optional<QString>& text) {
    if (!text) return std::nullopt;
    const auto number = wholeNumber(*text);
    return number ? roundToInt32(*number) : std::nullopt;
}

std::optional<float> settingToFloat(const std::optional<QString>& text) {
    if (!text) return std::nullopt;
    const auto number = wholeNumber(*text);
    if (!number) return std::nullopt;
    const float value = float(*number);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<OleColor> settingToColour(const std::optional<QString>& text) {
    if (!text) return std::nullopt;
    const auto number = leadingNumber(*text);
    if (!number) return std::nullopt;
    const auto value = roundToInt32(*number);
    // Negative values and values with the top byte set are no plain RGB colour: the model reads
    // the latter as system colours, which would never match a connector's border colour.
    if (!value || *value < 0 || *value > 0xFFFFFF) return std::nullopt;
    return OleColor(*value);
}

QString floatText(float value) { return shortestFloatText(value); }

ColourQuad distinctColours(const std::array<std::optional<OleColor>, 4>& read,
                           const ColourQuad& defaults) {
    std::array<std::optional<OleColor>, 4> kept = read;
    // A colour shared by two read values cannot tell their states apart: neither is kept.
    for (size_t i = 0; i < read.size(); ++i)
        for (size_t j = 0; j < read.size(); ++j)
            if (i != j && read[i] && read[j] && *read[i] == *read[j]) kept[i].reset();

    ColourQuad result{};
    auto used = [&](OleColor colour, size_t upTo) {
        for (size_t j = 0; j < kept.size(); ++j)
            if (kept[j] && *kept[j] == colour) return true;
        for (size_t j = 0; j < upTo; ++j)
            if (!kept[j] && result[j] == colour) return true;
        return false;
    };
    for (size_t i = 0; i < kept.size(); ++i) {
        if (kept[i]) {
            result[i] = *kept[i];
            continue;
        }
        // Own default first, then the following colours' defaults in turn. At most three colours
        // are taken and the four defaults differ, so one of them is always free.
        for (size_t step = 0; step < defaults.size(); ++step) {
            const OleColor candidate = defaults[(i + step) % defaults.size()];
            if (!used(candidate, i)) {
                result[i] = candidate;
                break;
            }
        }
    }
    return result;
}
