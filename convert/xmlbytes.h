#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cstring>
#include <string_view>
#include <vector>

// Writes an XML document straight into UTF-8 bytes, the same bytes QXmlStreamWriter gives without
// auto-formatting (standalone declaration, "<x/>" for an element without content, the same
// escapes), but without its per-call conversions: the workbook's parts run to tens of megabytes.
// Names are ASCII and written as given, prefixes included ("xdr:sp", "xmlns:r", "r:id").
class XmlBytes {
public:
    // `expectedSize` reserves the buffer up front; the document declaration is written at once.
    explicit XmlBytes(qsizetype expectedSize = 0);

    void startElement(std::string_view name);
    // An element that takes attributes but no content; the next call closes it.
    void emptyElement(std::string_view name);
    void endElement();

    // Attributes of the element just started. The ASCII and number forms need no escaping.
    void attribute(std::string_view name, std::string_view asciiValue);
    void attribute(std::string_view name, QStringView value);
    void attribute(std::string_view name, qint64 value);
    // An ASCII prefix and a number as one value: name="Line 12".
    void attribute(std::string_view name, std::string_view asciiPrefix, qint64 value);

    void characters(QStringView text);
    void characters(qint64 number);
    void asciiCharacters(std::string_view ascii);
    void textElement(std::string_view name, QStringView text);
    void textElement(std::string_view name, qint64 number);
    void textElement(std::string_view name, std::string_view ascii);

    // Closes every open element and returns the document.
    QByteArray finish();

private:
    void finishStart();
    void ensure(qsizetype more) {
        if (end_ - at_ < more) grow(more);
    }
    void grow(qsizetype more);
    void put(char c) {
        ensure(1);
        *at_++ = c;
    }
    void put(std::string_view text) {
        ensure(qsizetype(text.size()));
        std::memcpy(at_, text.data(), text.size());
        at_ += text.size();
    }
    void putNumber(qint64 value);
    // `text` as UTF-8, escaping what XML needs escaped (in attributes also tabs and line breaks,
    // which would otherwise be normalised away) and dropping characters XML 1.0 cannot carry.
    void putEscaped(QStringView text, bool inAttribute);

    // The buffer is sized ahead and cut to what was written at the end.
    QByteArray out_;
    char* at_ = nullptr;
    char* end_ = nullptr;
    std::vector<std::string_view> open_;
    bool inStart_ = false;
    bool empty_ = false;
};
