// The workbook writer's own XML and zip layers: the XML must be the bytes QXmlStreamWriter would
// give (readers and the earlier workbooks agree on them), and the zip must give every part back
// whole however it was cut into slices for deflating.
#include <gtest/gtest.h>
#include <zlib.h>

#include <QRandomGenerator>
#include <QXmlStreamWriter>

#include "xmlbytes.h"
#include "ziparchive.h"

namespace {

// Random text from characters XML escapes, keeps or cannot carry at all.
QString randomText(QRandomGenerator& random) {
    static const char16_t kPool[] = {u'a', u'Z', u'0', u' ', u'<', u'>', u'&', u'"', u'\'',
                                     u'\t', u'\n', u'\r', 0x01, 0x0B, 0x1F, 0x7F, 0xE9, 0x4E2D,
                                     0x6587, 0xFFFD, 0xFFFE, 0xFFFF, 0xD83D, 0xDE00};
    QString text;
    const int length = random.bounded(12);
    for (int i = 0; i < length; ++i) text += QChar(kPool[random.bounded(int(std::size(kPool)))]);
    return text;
}

// Drops what XML 1.0 cannot carry, as the workbook does with every caption before writing it.
QString writable(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += text[i];
            out += text[++i];
            continue;
        }
        if (QChar::isSurrogate(u) || u == 0xFFFE || u == 0xFFFF) continue;
        if (u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D) continue;
        out += text[i];
    }
    return out;
}

TEST(XmlBytes, WritesTheBytesOfQXmlStreamWriter) {
    QRandomGenerator random(20261208);
    for (int round = 0; round < 300; ++round) {
        const QString attribute = writable(randomText(random));
        const QString text = writable(randomText(random));
        const bool emptyText = random.bounded(4) == 0;
        const QString ns = QStringLiteral("urn:x");

        QByteArray expected;
        QXmlStreamWriter qt(&expected);
        qt.writeStartDocument(QStringLiteral("1.0"), true);
        qt.writeDefaultNamespace(ns);
        qt.writeNamespace(QStringLiteral("urn:r"), QStringLiteral("r"));
        qt.writeStartElement(ns, QStringLiteral("root"));
        qt.writeEmptyElement(QStringLiteral("e"));
        qt.writeAttribute(QStringLiteral("a"), attribute);
        qt.writeAttribute(QStringLiteral("urn:r"), QStringLiteral("id"), QStringLiteral("-42"));
        qt.writeStartElement(QStringLiteral("open"));
        qt.writeEndElement();
        qt.writeTextElement(QStringLiteral("t"), emptyText ? QString() : text);
        qt.writeStartElement(QStringLiteral("n"));
        qt.writeAttribute(QStringLiteral("v"), QString::number(round * 7919));
        qt.writeEndDocument();

        XmlBytes w;
        w.startElement("root");
        w.attribute("xmlns", "urn:x");
        w.attribute("xmlns:r", "urn:r");
        w.emptyElement("e");
        w.attribute("a", attribute);
        w.attribute("r:id", qint64(-42));
        w.startElement("open");
        w.endElement();
        w.textElement("t", emptyText ? QString() : text);
        w.startElement("n");
        w.attribute("v", "", qint64(round * 7919));
        EXPECT_EQ(w.finish().toStdString(), expected.toStdString()) << "attribute " << attribute.toStdString() << ", text "
                                        << text.toStdString();
    }
}

TEST(XmlBytes, DropsWhatXmlCannotCarry) {
    XmlBytes w;
    w.textElement("t", QString::fromUtf16(u"a\u0001b\uFFFEc") + QChar(0xD800) + u'd' + QChar(0xDC00));
    EXPECT_TRUE(w.finish().endsWith("<t>abcd</t>\n"));
}

// The archive's parts as a reader finds them through the central directory, inflated and with
// their checksums verified; empty on any inconsistency.
std::vector<std::pair<QByteArray, QByteArray>> unzip(const QByteArray& zip) {
    const auto u16 = [&zip](qsizetype at) {
        return quint32(quint8(zip[at])) | quint32(quint8(zip[at + 1])) << 8;
    };
    const auto u32 = [&](qsizetype at) { return u16(at) | u16(at + 2) << 16; };
    std::vector<std::pair<QByteArray, QByteArray>> parts;
    const qsizetype end = zip.size() - 22;
    if (end < 0 || u32(end) != 0x06054b50) return {};
    qsizetype entry = u32(end + 16);
    for (quint32 n = 0; n < u16(end + 10); ++n) {
        if (u32(entry) != 0x02014b50 || u16(entry + 10) != 8) return {};
        const quint32 crc = u32(entry + 16), packed = u32(entry + 20), size = u32(entry + 24);
        const quint32 nameLength = u16(entry + 28);
        const QByteArray name = zip.mid(entry + 46, nameLength);
        const qsizetype local = u32(entry + 42);
        if (u32(local) != 0x04034b50 || zip.mid(local + 30, u16(local + 26)) != name ||
            u32(local + 14) != crc || u32(local + 18) != packed)
            return {};
        QByteArray data(qsizetype(size), Qt::Uninitialized);
        z_stream z{};
        inflateInit2(&z, -15);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.constData())) + local + 30 +
                    u16(local + 26);
        z.avail_in = packed;
        z.next_out = reinterpret_cast<Bytef*>(data.data());
        z.avail_out = size;
        const int status = inflate(&z, Z_FINISH);
        inflateEnd(&z);
        if (status != Z_STREAM_END || z.total_out != size) return {};
        if (crc32(0, reinterpret_cast<const Bytef*>(data.constData()), size) != crc) return {};
        parts.emplace_back(name, data);
        entry += 46 + nameLength;
    }
    return parts;
}

TEST(ZipArchive, GivesEveryPartBackWholeWhateverItsSlices) {
    // Repetitive like a drawing part, with enough variety that slices reach back into the ones
    // before them; sizes around the slice boundaries.
    QRandomGenerator random(7);
    const auto xmlLike = [&random](qsizetype size) {
        QByteArray data;
        while (data.size() < size)
            data += "<a:off x=\"" + QByteArray::number(random.bounded(100000)) + "\"/>";
        data.truncate(size);
        return data;
    };
    constexpr qsizetype S = ZipArchive::kSliceSize;
    const std::vector<std::pair<QByteArray, QByteArray>> parts = {
        {"empty.xml", QByteArray()},
        {"small.xml", xmlLike(100)},
        {"exactly one slice.xml", xmlLike(S)},
        {"one byte more.xml", xmlLike(S + 1)},
        {"xl/drawings/drawing1.xml", xmlLike(2 * S + S / 2)},
        {QByteArray("名稱.xml"), xmlLike(3 * S)},
    };
    ZipArchive zip;
    for (const auto& [name, data] : parts) zip.add(name, data);
    const std::optional<QByteArray> bytes = zip.build();
    ASSERT_TRUE(bytes);
    EXPECT_EQ(unzip(*bytes), parts);
    // The slices of a part deflate almost as well as the whole part at once.
    qsizetype total = 0;
    for (const auto& part : parts) total += part.second.size();
    EXPECT_LT(bytes->size(), total / 2);
}

}  // namespace
