#pragma once

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

// The texts of an SVG file's <text> elements as an XML reader finds them; empty when the file is
// missing or not well-formed XML.
inline QStringList svgTexts(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader xml(&file);
    QStringList texts;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text")
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
    return xml.hasError() ? QStringList() : texts;
}
