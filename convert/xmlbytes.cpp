#include "xmlbytes.h"

#include <algorithm>
#include <array>

namespace {

// Characters XML 1.0 has no place for, escaped or not: most C0 controls and the two
// non-characters at the end of the Basic Multilingual Plane.
bool unwritable(char16_t u) {
    return (u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D) || u == 0xFFFE || u == 0xFFFF;
}

}  // namespace

XmlBytes::XmlBytes(qsizetype expectedSize) {
    grow(std::max<qsizetype>(expectedSize, 256));
    put(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)");
}

void XmlBytes::grow(qsizetype more) {
    const qsizetype used = at_ ? at_ - out_.data() : 0;
    const qsizetype size = std::max(used + more, out_.size() * 2);
    out_.resize(size);
    at_ = out_.data() + used;
    end_ = out_.data() + size;
}

void XmlBytes::finishStart() {
    if (!inStart_) return;
    if (empty_) {
        put("/>");
        open_.pop_back();
    } else {
        put('>');
    }
    inStart_ = false;
    empty_ = false;
}

void XmlBytes::startElement(std::string_view name) {
    finishStart();
    put('<');
    put(name);
    open_.push_back(name);
    inStart_ = true;
}

void XmlBytes::emptyElement(std::string_view name) {
    startElement(name);
    empty_ = true;
}

void XmlBytes::endElement() {
    if (inStart_ && empty_) finishStart();
    if (open_.empty()) return;
    if (inStart_) {
        // Nothing was written inside: the start tag closes itself.
        put("/>");
        inStart_ = false;
    } else {
        put("</");
        put(open_.back());
        put('>');
    }
    open_.pop_back();
}

void XmlBytes::attribute(std::string_view name, std::string_view asciiValue) {
    put(' ');
    put(name);
    put("=\"");
    put(asciiValue);
    put('"');
}

void XmlBytes::attribute(std::string_view name, QStringView value) {
    put(' ');
    put(name);
    put("=\"");
    putEscaped(value, true);
    put('"');
}

void XmlBytes::attribute(std::string_view name, qint64 value) {
    put(' ');
    put(name);
    put("=\"");
    putNumber(value);
    put('"');
}

void XmlBytes::attribute(std::string_view name, std::string_view asciiPrefix, qint64 value) {
    put(' ');
    put(name);
    put("=\"");
    put(asciiPrefix);
    putNumber(value);
    put('"');
}

void XmlBytes::characters(QStringView text) {
    finishStart();
    putEscaped(text, false);
}

void XmlBytes::characters(qint64 number) {
    finishStart();
    putNumber(number);
}

void XmlBytes::asciiCharacters(std::string_view ascii) {
    finishStart();
    put(ascii);
}

void XmlBytes::textElement(std::string_view name, QStringView text) {
    startElement(name);
    characters(text);
    endElement();
}

void XmlBytes::textElement(std::string_view name, qint64 number) {
    startElement(name);
    characters(number);
    endElement();
}

void XmlBytes::textElement(std::string_view name, std::string_view ascii) {
    startElement(name);
    asciiCharacters(ascii);
    endElement();
}

QByteArray XmlBytes::finish() {
    if (inStart_ && empty_) finishStart();
    while (!open_.empty()) endElement();
    put('\n');
    out_.truncate(at_ - out_.data());
    at_ = end_ = nullptr;
    return std::move(out_);
}

void XmlBytes::putNumber(qint64 value) {
    std::array<char, 24> digits;
    size_t n = digits.size();
    // Negative numbers count down from the value itself, so the lowest one needs no special case.
    const bool negative = value < 0;
    do {
        const int digit = int(value % 10);
        digits[--n] = char('0' + (negative ? -digit : digit));
        value /= 10;
    } while (value != 0);
    if (negative) digits[--n] = '-';
    put(std::string_view(digits.data() + n, digits.size() - n));
}

void XmlBytes::putEscaped(QStringView text, bool inAttribute) {
    const qsizetype size = text.size();
    const char16_t* s = text.utf16();
    // The longest a UTF-16 unit can become is "&quot;".
    ensure(size * 6);
    char* p = at_;
    const auto literal = [&p](std::string_view text) {
        std::memcpy(p, text.data(), text.size());
        p += text.size();
    };
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t u = s[i];
        if (u >= 0x80) {
            if (u >= 0xD800 && u <= 0xDFFF) {
                // A surrogate pair is one character of four bytes; half of one cannot be written.
                if (u <= 0xDBFF && i + 1 < size && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
                    const char32_t c =
                        0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(s[i + 1]) - 0xDC00);
                    ++i;
                    *p++ = char(0xF0 | (c >> 18));
                    *p++ = char(0x80 | ((c >> 12) & 0x3F));
                    *p++ = char(0x80 | ((c >> 6) & 0x3F));
                    *p++ = char(0x80 | (c & 0x3F));
                }
                continue;
            }
            if (unwritable(u)) continue;
            if (u < 0x800) {
                *p++ = char(0xC0 | (u >> 6));
            } else {
                *p++ = char(0xE0 | (u >> 12));
                *p++ = char(0x80 | ((u >> 6) & 0x3F));
            }
            *p++ = char(0x80 | (u & 0x3F));
            continue;
        }
        switch (u) {
            case u'<':
                literal("&lt;");
                break;
            case u'>':
                literal("&gt;");
                break;
            case u'&':
                literal("&amp;");
                break;
            case u'"':
                literal("&quot;");
                break;
            case u'\t':
                literal(inAttribute ? "&#9;" : "\t");
                break;
            case u'\n':
                literal(inAttribute ? "&#10;" : "\n");
                break;
            case u'\r':
                literal(inAttribute ? "&#13;" : "\r");
                break;
            default:
                if (!unwritable(u)) *p++ = char(u);
                break;
        }
    }
    at_ = p;
}
