#include "xlsx.h"

#include <zip.h>

#include <QHash>
#include <QSaveFile>
#include <QXmlStreamWriter>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "arrows.h"
#include "palette.h"

namespace Xlsx {

namespace {

const QString kMainNs = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
const QString kRelNs =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString kPackageRelNs =
    QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString kDrawingNs =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing");
const QString kDrawingMainNs =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
const QString kRelType =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");

// The width of a line shape: the spreadsheet's default hairline of 0.75 pt.
constexpr int kLineWidthEmu = 9525;

// XML 1.0 cannot carry most control characters, not even escaped; a caption typed with one loses
// only that character in the workbook.
QString xmlSafe(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const ushort u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
            continue;
        }
        if (c.isSurrogate()) continue;
        if (u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D) continue;
        if (u == 0xFFFE || u == 0xFFFF) continue;
        out += c;
    }
    return out;
}

qint64 emu(double points) {
    return std::llround(points * kEmuPerPoint);
}

QString columnName(int column) {
    QString name;
    for (int n = column; n > 0; n = (n - 1) / 26) name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

QString cellName(int row, int column) {
    return columnName(column) + QString::number(row);
}

QString points(double value) {
    return QString::number(value, 'g', 10);
}

class XmlPart {
public:
    XmlPart() : w_(&bytes_) { w_.writeStartDocument(QStringLiteral("1.0"), true); }
    QXmlStreamWriter& w() { return w_; }
    QByteArray finish() {
        w_.writeEndDocument();
        return bytes_;
    }

private:
    QByteArray bytes_;
    QXmlStreamWriter w_;
};

// Fonts and cell formats in use: format i uses font i, format 0 the default font.
class StyleTable {
public:
    StyleTable() {
        fonts_.push_back(FontStyle{});
        index_.emplace(FontStyle{}, 0);
    }

    int formatOf(const FontStyle& font) {
        const auto found = index_.find(font);
        if (found != index_.end()) return found->second;
        const int id = int(fonts_.size());
        fonts_.push_back(font);
        index_.emplace(font, id);
        return id;
    }

    QByteArray xml() const {
        XmlPart part;
        QXmlStreamWriter& w = part.w();
        w.writeDefaultNamespace(kMainNs);
        w.writeStartElement(kMainNs, QStringLiteral("styleSheet"));

        w.writeStartElement(QStringLiteral("fonts"));
        w.writeAttribute(QStringLiteral("count"), QString::number(fonts_.size()));
        for (const FontStyle& f : fonts_) {
            w.writeStartElement(QStringLiteral("font"));
            if (f.bold) w.writeEmptyElement(QStringLiteral("b"));
            if (f.italic) w.writeEmptyElement(QStringLiteral("i"));
            if (f.underline) w.writeEmptyElement(QStringLiteral("u"));
            w.writeEmptyElement(QStringLiteral("sz"));
            w.writeAttribute(QStringLiteral("val"), QString::number(kFontSize));
            if (f.colourIndex > 0) {
                w.writeEmptyElement(QStringLiteral("color"));
                w.writeAttribute(QStringLiteral("indexed"),
                                 QString::number(f.colourIndex + Palette::kSchemeOffset));
            }
            w.writeEmptyElement(QStringLiteral("name"));
            w.writeAttribute(QStringLiteral("val"), QString::fromLatin1(kFontName));
            w.writeEmptyElement(QStringLiteral("family"));
            w.writeAttribute(QStringLiteral("val"), QStringLiteral("1"));
            w.writeEndElement();
        }
        w.writeEndElement();

        w.writeStartElement(QStringLiteral("fills"));
        w.writeAttribute(QStringLiteral("count"), QStringLiteral("2"));
        for (const char* pattern : {"none", "gray125"}) {
            w.writeStartElement(QStringLiteral("fill"));
            w.writeEmptyElement(QStringLiteral("patternFill"));
            w.writeAttribute(QStringLiteral("patternType"), QString::fromLatin1(pattern));
            w.writeEndElement();
        }
        w.writeEndElement();

        w.writeStartElement(QStringLiteral("borders"));
        w.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
        w.writeStartElement(QStringLiteral("border"));
        for (const char* side : {"left", "right", "top", "bottom", "diagonal"})
            w.writeEmptyElement(QString::fromLatin1(side));
        w.writeEndElement();
        w.writeEndElement();

        w.writeStartElement(QStringLiteral("cellStyleXfs"));
        w.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
        writeXf(w, 0, false);
        w.writeEndElement();

        w.writeStartElement(QStringLiteral("cellXfs"));
        w.writeAttribute(QStringLiteral("count"), QString::number(fonts_.size()));
        for (size_t i = 0; i < fonts_.size(); ++i) writeXf(w, int(i), true);
        w.writeEndElement();

        w.writeStartElement(QStringLiteral("cellStyles"));
        w.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
        w.writeEmptyElement(QStringLiteral("cellStyle"));
        w.writeAttribute(QStringLiteral("name"), QStringLiteral("Normal"));
        w.writeAttribute(QStringLiteral("xfId"), QStringLiteral("0"));
        w.writeAttribute(QStringLiteral("builtinId"), QStringLiteral("0"));
        w.writeEndElement();

        w.writeEndElement();
        return part.finish();
    }

private:
    static void writeXf(QXmlStreamWriter& w, int font, bool cellFormat) {
        w.writeEmptyElement(QStringLiteral("xf"));
        w.writeAttribute(QStringLiteral("numFmtId"), QStringLiteral("0"));
        w.writeAttribute(QStringLiteral("fontId"), QString::number(font));
        w.writeAttribute(QStringLiteral("fillId"), QStringLiteral("0"));
        w.writeAttribute(QStringLiteral("borderId"), QStringLiteral("0"));
        if (cellFormat) {
            w.writeAttribute(QStringLiteral("xfId"), QStringLiteral("0"));
            if (font != 0) w.writeAttribute(QStringLiteral("applyFont"), QStringLiteral("1"));
        }
    }

    std::vector<FontStyle> fonts_;
    std::map<FontStyle, int> index_;
};

class SharedStrings {
public:
    int indexOf(const QString& text) {
        const auto found = index_.constFind(text);
        if (found != index_.constEnd()) return *found;
        const int id = int(strings_.size());
        strings_.push_back(text);
        index_.insert(text, id);
        return id;
    }

    QByteArray xml() const {
        XmlPart part;
        QXmlStreamWriter& w = part.w();
        w.writeDefaultNamespace(kMainNs);
        w.writeStartElement(kMainNs, QStringLiteral("sst"));
        w.writeAttribute(QStringLiteral("count"), QString::number(strings_.size()));
        w.writeAttribute(QStringLiteral("uniqueCount"), QString::number(strings_.size()));
        for (const QString& s : strings_) {
            w.writeStartElement(QStringLiteral("si"));
            w.writeStartElement(QStringLiteral("t"));
            w.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            w.writeCharacters(s);
            w.writeEndElement();
            w.writeEndElement();
        }
        w.writeEndElement();
        return part.finish();
    }

private:
    std::vector<QString> strings_;
    QHash<QString, int> index_;
};

// A sheet's XML. The output sheet gets fixed row heights and column widths (`pitch`) and, when it
// has shapes, a reference to its drawing.
QByteArray sheetXml(const Worksheet& sheet, bool selected, bool pitch, bool drawing,
                    StyleTable& styles, SharedStrings& strings) {
    XmlPart part;
    QXmlStreamWriter& w = part.w();
    w.writeDefaultNamespace(kMainNs);
    w.writeNamespace(kRelNs, QStringLiteral("r"));
    w.writeStartElement(kMainNs, QStringLiteral("worksheet"));

    w.writeStartElement(QStringLiteral("sheetViews"));
    w.writeEmptyElement(QStringLiteral("sheetView"));
    if (selected) w.writeAttribute(QStringLiteral("tabSelected"), QStringLiteral("1"));
    w.writeAttribute(QStringLiteral("workbookViewId"), QStringLiteral("0"));
    w.writeEndElement();

    const QString rowHeight = points(Arrows::kRowPitch);
    w.writeEmptyElement(QStringLiteral("sheetFormatPr"));
    if (pitch) {
        w.writeAttribute(QStringLiteral("defaultColWidth"), points(kColumnWidth));
        w.writeAttribute(QStringLiteral("defaultRowHeight"), rowHeight);
        w.writeAttribute(QStringLiteral("customHeight"), QStringLiteral("1"));
    } else {
        w.writeAttribute(QStringLiteral("defaultRowHeight"), QStringLiteral("15"));
    }

    if (pitch) {
        w.writeStartElement(QStringLiteral("cols"));
        w.writeEmptyElement(QStringLiteral("col"));
        w.writeAttribute(QStringLiteral("min"), QStringLiteral("1"));
        w.writeAttribute(QStringLiteral("max"), QStringLiteral("16384"));
        w.writeAttribute(QStringLiteral("width"), points(kColumnWidth));
        w.writeAttribute(QStringLiteral("customWidth"), QStringLiteral("1"));
        w.writeEndElement();
    }

    w.writeStartElement(QStringLiteral("sheetData"));
    // Every row of the output sheet up to the last one used gets its height written, empty rows
    // between relations included, so that no row falls back to the application's default.
    const int lastRow = pitch ? sheet.lastRow() : 0;
    auto rowIt = sheet.rows().begin();
    const auto rowEnd = sheet.rows().end();
    auto writeRow = [&](int r, const Worksheet::Row* cells) {
        w.writeStartElement(QStringLiteral("row"));
        w.writeAttribute(QStringLiteral("r"), QString::number(r));
        if (pitch) {
            w.writeAttribute(QStringLiteral("ht"), rowHeight);
            w.writeAttribute(QStringLiteral("customHeight"), QStringLiteral("1"));
        }
        if (cells) {
            for (const auto& [column, cell] : *cells) {
                w.writeStartElement(QStringLiteral("c"));
                w.writeAttribute(QStringLiteral("r"), cellName(r, column));
                const int format = styles.formatOf(cell.font);
                if (format != 0) w.writeAttribute(QStringLiteral("s"), QString::number(format));
                if (cell.number) {
                    w.writeTextElement(QStringLiteral("v"), QString::number(*cell.number, 'g', 15));
                } else {
                    w.writeAttribute(QStringLiteral("t"), QStringLiteral("s"));
                    w.writeTextElement(QStringLiteral("v"),
                                       QString::number(strings.indexOf(xmlSafe(cell.text))));
                }
                w.writeEndElement();
            }
        }
        w.writeEndElement();
    };
    for (int r = 1; r <= lastRow; ++r) {
        const bool used = rowIt != rowEnd && rowIt->first == r;
        writeRow(r, used ? &rowIt->second : nullptr);
        if (used) ++rowIt;
    }
    for (; rowIt != rowEnd; ++rowIt) writeRow(rowIt->first, &rowIt->second);
    w.writeEndElement();

    w.writeEmptyElement(QStringLiteral("pageMargins"));
    for (auto [name, value] : {std::pair{"left", "0.7"},
                               {"right", "0.7"},
                               {"top", "0.75"},
                               {"bottom", "0.75"},
                               {"header", "0.3"},
                               {"footer", "0.3"}})
        w.writeAttribute(QString::fromLatin1(name), QString::fromLatin1(value));

    if (drawing) {
        w.writeEmptyElement(QStringLiteral("drawing"));
        w.writeAttribute(kRelNs, QStringLiteral("id"), QStringLiteral("rId1"));
    }
    w.writeEndElement();
    return part.finish();
}

void writeOutline(QXmlStreamWriter& w, const DrawingShape& shape) {
    const QString a = kDrawingMainNs;
    w.writeStartElement(a, QStringLiteral("ln"));
    w.writeAttribute(QStringLiteral("w"), QString::number(kLineWidthEmu));
    w.writeStartElement(a, QStringLiteral("solidFill"));
    w.writeEmptyElement(a, QStringLiteral("srgbClr"));
    w.writeAttribute(QStringLiteral("val"), Palette::rgbOfSchemeColour(shape.schemeColour));
    w.writeEndElement();
    if (shape.arrowHead) {
        w.writeEmptyElement(a, QStringLiteral("tailEnd"));
        w.writeAttribute(QStringLiteral("type"), QStringLiteral("triangle"));
    }
    w.writeEndElement();
}

void writeTransform(QXmlStreamWriter& w, qint64 x, qint64 y, qint64 cx, qint64 cy, bool flipH,
                    bool flipV) {
    const QString a = kDrawingMainNs;
    w.writeStartElement(a, QStringLiteral("xfrm"));
    if (flipH) w.writeAttribute(QStringLiteral("flipH"), QStringLiteral("1"));
    if (flipV) w.writeAttribute(QStringLiteral("flipV"), QStringLiteral("1"));
    w.writeEmptyElement(a, QStringLiteral("off"));
    w.writeAttribute(QStringLiteral("x"), QString::number(x));
    w.writeAttribute(QStringLiteral("y"), QString::number(y));
    w.writeEmptyElement(a, QStringLiteral("ext"));
    w.writeAttribute(QStringLiteral("cx"), QString::number(cx));
    w.writeAttribute(QStringLiteral("cy"), QString::number(cy));
    w.writeEndElement();
}

// One shape anchored at its absolute position on the sheet.
void writeShape(QXmlStreamWriter& w, const DrawingShape& shape, int id) {
    const QString xdr = kDrawingNs;
    const QString a = kDrawingMainNs;
    qint64 x, y, cx, cy;
    bool flipH, flipV;
    if (shape.type == DrawingShape::Type::Line) {
        const QLineF path = shape.path();
        const qint64 x1 = emu(path.x1()), y1 = emu(path.y1());
        const qint64 x2 = emu(path.x2()), y2 = emu(path.y2());
        x = std::min(x1, x2);
        y = std::min(y1, y2);
        cx = std::abs(x2 - x1);
        cy = std::abs(y2 - y1);
        // The line runs from the box's top-left to its bottom-right corner unless flipped; the
        // flips put its start (and the arrowhead at its end) where the path says.
        flipH = x2 < x1;
        flipV = y2 < y1;
    } else {
        // The arc is a quarter of the ellipse inscribed in its box, from the top to the right;
        // the legacy arc's box is the radius box of that quarter, so the box doubles and moves so
        // that the visible quarter, flipped as asked, covers the legacy box.
        const QRectF& b = shape.box;
        x = emu(shape.flipH ? b.left() : b.left() - b.width());
        y = emu(shape.flipV ? b.top() - b.height() : b.top());
        cx = emu(2 * b.width());
        cy = emu(2 * b.height());
        flipH = shape.flipH;
        flipV = shape.flipV;
    }

    w.writeStartElement(xdr, QStringLiteral("absoluteAnchor"));
    w.writeEmptyElement(xdr, QStringLiteral("pos"));
    w.writeAttribute(QStringLiteral("x"), QString::number(x));
    w.writeAttribute(QStringLiteral("y"), QString::number(y));
    w.writeEmptyElement(xdr, QStringLiteral("ext"));
    w.writeAttribute(QStringLiteral("cx"), QString::number(cx));
    w.writeAttribute(QStringLiteral("cy"), QString::number(cy));

    const bool line = shape.type == DrawingShape::Type::Line;
    w.writeStartElement(xdr, line ? QStringLiteral("cxnSp") : QStringLiteral("sp"));
    w.writeAttribute(QStringLiteral("macro"), QString());
    if (!line) w.writeAttribute(QStringLiteral("textlink"), QString());
    w.writeStartElement(xdr, line ? QStringLiteral("nvCxnSpPr") : QStringLiteral("nvSpPr"));
    w.writeEmptyElement(xdr, QStringLiteral("cNvPr"));
    w.writeAttribute(QStringLiteral("id"), QString::number(id));
    w.writeAttribute(
        QStringLiteral("name"),
        (line ? QStringLiteral("Line ") : QStringLiteral("Arc ")) + QString::number(id - 1));
    w.writeEmptyElement(xdr, line ? QStringLiteral("cNvCxnSpPr") : QStringLiteral("cNvSpPr"));
    w.writeEndElement();

    w.writeStartElement(xdr, QStringLiteral("spPr"));
    writeTransform(w, x, y, cx, cy, flipH, flipV);
    w.writeStartElement(a, QStringLiteral("prstGeom"));
    w.writeAttribute(QStringLiteral("prst"), line ? QStringLiteral("line") : QStringLiteral("arc"));
    w.writeStartElement(a, QStringLiteral("avLst"));
    if (!line) {
        // From the top of the ellipse (270 degrees) clockwise to its right (0 degrees).
        for (auto [name, value] : {std::pair{"adj1", "val 16200000"}, {"adj2", "val 0"}}) {
            w.writeEmptyElement(a, QStringLiteral("gd"));
            w.writeAttribute(QStringLiteral("name"), QString::fromLatin1(name));
            w.writeAttribute(QStringLiteral("fmla"), QString::fromLatin1(value));
        }
    }
    w.writeEndElement();
    w.writeEndElement();
    if (!line) w.writeEmptyElement(a, QStringLiteral("noFill"));
    writeOutline(w, shape);
    w.writeEndElement();  // spPr

    w.writeEndElement();  // cxnSp / sp
    w.writeEmptyElement(xdr, QStringLiteral("clientData"));
    w.writeEndElement();  // absoluteAnchor
}

QByteArray drawingXml(const Worksheet& sheet) {
    XmlPart part;
    QXmlStreamWriter& w = part.w();
    w.writeNamespace(kDrawingNs, QStringLiteral("xdr"));
    w.writeNamespace(kDrawingMainNs, QStringLiteral("a"));
    w.writeStartElement(kDrawingNs, QStringLiteral("wsDr"));
    int id = 2;
    for (const DrawingShape& shape : sheet.shapes) writeShape(w, shape, id++);
    w.writeEndElement();
    return part.finish();
}

struct Relationship {
    QString id, type, target;
};

QByteArray relationshipsXml(const std::vector<Relationship>& rels) {
    XmlPart part;
    QXmlStreamWriter& w = part.w();
    w.writeDefaultNamespace(kPackageRelNs);
    w.writeStartElement(kPackageRelNs, QStringLiteral("Relationships"));
    for (const Relationship& r : rels) {
        w.writeEmptyElement(QStringLiteral("Relationship"));
        w.writeAttribute(QStringLiteral("Id"), r.id);
        w.writeAttribute(QStringLiteral("Type"), r.type);
        w.writeAttribute(QStringLiteral("Target"), r.target);
    }
    w.writeEndElement();
    return part.finish();
}

QString sheetPart(size_t n) {
    return QStringLiteral("worksheets/sheet%1.xml").arg(n + 1);
}

QByteArray contentTypesXml(size_t sheets, bool drawing) {
    const QString ns =
        QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
    const QString office = QStringLiteral("application/vnd.openxmlformats-officedocument.");
    XmlPart part;
    QXmlStreamWriter& w = part.w();
    w.writeDefaultNamespace(ns);
    w.writeStartElement(ns, QStringLiteral("Types"));
    auto byDefault = [&](const QString& ext, const QString& type) {
        w.writeEmptyElement(QStringLiteral("Default"));
        w.writeAttribute(QStringLiteral("Extension"), ext);
        w.writeAttribute(QStringLiteral("ContentType"), type);
    };
    auto byPart = [&](const QString& name, const QString& type) {
        w.writeEmptyElement(QStringLiteral("Override"));
        w.writeAttribute(QStringLiteral("PartName"), name);
        w.writeAttribute(QStringLiteral("ContentType"), type);
    };
    byDefault(QStringLiteral("rels"),
              QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    byDefault(QStringLiteral("xml"), QStringLiteral("application/xml"));
    byPart(QStringLiteral("/xl/workbook.xml"),
           office + QStringLiteral("spreadsheetml.sheet.main+xml"));
    for (size_t n = 0; n < sheets; ++n)
        byPart(QStringLiteral("/xl/") + sheetPart(n),
               office + QStringLiteral("spreadsheetml.worksheet+xml"));
    byPart(QStringLiteral("/xl/styles.xml"), office + QStringLiteral("spreadsheetml.styles+xml"));
    byPart(QStringLiteral("/xl/sharedStrings.xml"),
           office + QStringLiteral("spreadsheetml.sharedStrings+xml"));
    if (drawing)
        byPart(QStringLiteral("/xl/drawings/drawing1.xml"), office + QStringLiteral("drawing+xml"));
    byPart(QStringLiteral("/docProps/app.xml"), office + QStringLiteral("extended-properties+xml"));
    w.writeEndElement();
    return part.finish();
}

QByteArray workbookXml(const std::vector<const Worksheet*>& sheets) {
    XmlPart part;
    QXmlStreamWriter& w = part.w();
    w.writeDefaultNamespace(kMainNs);
    w.writeNamespace(kRelNs, QStringLiteral("r"));
    w.writeStartElement(kMainNs, QStringLiteral("workbook"));
    w.writeStartElement(QStringLiteral("bookViews"));
    w.writeEmptyElement(QStringLiteral("workbookView"));
    w.writeAttribute(QStringLiteral("activeTab"), QStringLiteral("0"));
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("sheets"));
    for (size_t n = 0; n < sheets.size(); ++n) {
        w.writeEmptyElement(QStringLiteral("sheet"));
        w.writeAttribute(QStringLiteral("name"), sheets[n]->name());
        w.writeAttribute(QStringLiteral("sheetId"), QString::number(n + 1));
        w.writeAttribute(kRelNs, QStringLiteral("id"), QStringLiteral("rId") + QString::number(n + 1));
    }
    w.writeEndElement();
    w.writeEndElement();
    return part.finish();
}

QByteArray appPropertiesXml() {
    const QString ns =
        QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/extended-properties");
    XmlPart part;
    QXmlStreamWriter& w = part.w();
    w.writeDefaultNamespace(ns);
    w.writeStartElement(ns, QStringLiteral("Properties"));
    w.writeTextElement(QStringLiteral("Application"), QStringLiteral("Relvane"));
    w.writeEndElement();
    return part.finish();
}

// Collects the parts in memory and zips them into one buffer.
class ZipBuilder {
public:
    void add(const char* name, QByteArray data) { parts_.push_back({name, std::move(data)}); }

    std::optional<QByteArray> build(QString* error) {
        zip_error_t ze;
        zip_error_init(&ze);
        zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &ze);
        if (!buffer) return fail(error, &ze, true);
        zip_source_keep(buffer);
        std::unique_ptr<zip_source_t, decltype(&zip_source_free)> keep(buffer, zip_source_free);

        zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &ze);
        if (!archive) {
            zip_source_free(buffer);  // the archive did not take its reference
            return fail(error, &ze, true);
        }
        for (const auto& [name, data] : parts_) {
            zip_source_t* src =
                zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
            const zip_int64_t index =
                src ? zip_file_add(archive, name, src, ZIP_FL_ENC_UTF_8) : zip_int64_t(-1);
            // The parts are repetitive XML: the fastest deflate level already packs them well.
            if (index < 0 ||
                zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1) < 0) {
                if (src && index < 0) zip_source_free(src);
                const QString reason = QString::fromLocal8Bit(zip_strerror(archive));
                zip_discard(archive);
                if (error) *error = reason;
                return std::nullopt;
            }
        }
        if (zip_close(archive) < 0) {
            const QString reason = QString::fromLocal8Bit(zip_strerror(archive));
            zip_discard(archive);
            if (error) *error = reason;
            return std::nullopt;
        }

        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_source_stat(buffer, &st) < 0 || zip_source_open(buffer) < 0)
            return fail(error, zip_source_error(buffer), false);
        QByteArray out(qsizetype(st.size), Qt::Uninitialized);
        const zip_int64_t read = zip_source_read(buffer, out.data(), st.size);
        zip_source_close(buffer);
        if (read < 0 || zip_uint64_t(read) != st.size)
            return fail(error, zip_source_error(buffer), false);
        return out;
    }

private:
    static std::optional<QByteArray> fail(QString* error, zip_error_t* ze, bool owned) {
        if (error) *error = QString::fromLocal8Bit(zip_error_strerror(ze));
        if (owned) zip_error_fini(ze);
        return std::nullopt;
    }

    std::vector<std::pair<const char*, QByteArray>> parts_;
};

}  // namespace

std::optional<QByteArray> package(const Workbook& book, QString* error) {
    StyleTable styles;
    SharedStrings strings;
    const bool drawing = !book.output.shapes.empty();
    const std::vector<const Worksheet*> sheets = book.sheets();
    // Part names outlive the zip builder, which keeps pointers to them.
    std::vector<QByteArray> sheetNames;
    for (size_t n = 0; n < sheets.size(); ++n)
        sheetNames.push_back((QStringLiteral("xl/") + sheetPart(n)).toUtf8());

    ZipBuilder zip;
    zip.add("[Content_Types].xml", contentTypesXml(sheets.size(), drawing));
    zip.add(
        "_rels/.rels",
        relationshipsXml({{QStringLiteral("rId1"), kRelType + QStringLiteral("officeDocument"),
                           QStringLiteral("xl/workbook.xml")},
                          {QStringLiteral("rId2"), kRelType + QStringLiteral("extended-properties"),
                           QStringLiteral("docProps/app.xml")}}));
    zip.add("docProps/app.xml", appPropertiesXml());
    zip.add("xl/workbook.xml", workbookXml(sheets));
    std::vector<Relationship> parts;
    const auto id = [](size_t n) { return QStringLiteral("rId") + QString::number(n); };
    for (size_t n = 0; n < sheets.size(); ++n)
        parts.push_back({id(n + 1), kRelType + QStringLiteral("worksheet"), sheetPart(n)});
    parts.push_back({id(sheets.size() + 1), kRelType + QStringLiteral("styles"),
                     QStringLiteral("styles.xml")});
    parts.push_back({id(sheets.size() + 2), kRelType + QStringLiteral("sharedStrings"),
                     QStringLiteral("sharedStrings.xml")});
    zip.add("xl/_rels/workbook.xml.rels", relationshipsXml(parts));
    for (size_t n = 0; n < sheets.size(); ++n)
        zip.add(sheetNames[n].constData(),
                sheetXml(*sheets[n], n == 0, n == 0, n == 0 && drawing, styles, strings));
    if (drawing) {
        zip.add("xl/worksheets/_rels/sheet1.xml.rels",
                relationshipsXml({{QStringLiteral("rId1"), kRelType + QStringLiteral("drawing"),
                                   QStringLiteral("../drawings/drawing1.xml")}}));
        zip.add("xl/drawings/drawing1.xml", drawingXml(book.output));
    }
    // Styles and strings last: the sheets fill them.
    zip.add("xl/styles.xml", styles.xml());
    zip.add("xl/sharedStrings.xml", strings.xml());
    return zip.build(error);
}

bool save(const Workbook& book, const QString& path, QString* error) {
    const auto bytes = package(book, error);
    return bytes && writeFile(*bytes, path, error);
}

bool writeFile(const QByteArray& bytes, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    // commit() does not notice a failure of the flush it makes while closing, so the data is
    // flushed and checked here first.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error) *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace Xlsx
