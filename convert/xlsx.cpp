#include "xlsx.h"

#include <QHash>
#include <QSaveFile>
#include <array>
#include <cmath>
#include <future>
#include <map>
#include <string_view>
#include <vector>

#include "palette.h"
#include "sheetgeometry.h"
#include "xmlbytes.h"
#include "ziparchive.h"

namespace Xlsx {

namespace {

constexpr std::string_view kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view kRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view kPackageRelNs =
    "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr std::string_view kDrawingNs =
    "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
constexpr std::string_view kDrawingMainNs = "http://schemas.openxmlformats.org/drawingml/2006/main";
const QString kRelType =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");

// The width of a line shape: the spreadsheet's default hairline of 0.75 pt.
constexpr int kLineWidthEmu = 9525;

// XML 1.0 cannot carry most control characters, not even escaped; a caption typed with one loses
// only that character in the workbook.
bool xmlWritable(const QChar* text, qsizetype i, qsizetype size) {
    const QChar c = text[i];
    const ushort u = c.unicode();
    if (u >= 0x20 && u < 0xD800) return true;
    if (c.isHighSurrogate()) return i + 1 < size && text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate()) return i > 0 && text[i - 1].isHighSurrogate();
    if (u < 0x20) return u == 0x09 || u == 0x0A || u == 0x0D;
    return u != 0xFFFE && u != 0xFFFF;
}

QString xmlSafe(const QString& text) {
    const QChar* s = text.constData();
    const qsizetype size = text.size();
    qsizetype i = 0;
    // Nearly every caption is writable as it stands: no copy then.
    while (i < size && xmlWritable(s, i, size)) ++i;
    if (i == size) return text;
    QString out = text.left(i);
    for (; i < size; ++i)
        if (xmlWritable(s, i, size)) out += s[i];
    return out;
}

qint64 emu(double points) {
    return std::llround(points * kEmuPerPoint);
}

// "A" for 1, "Z" for 26, "AA" for 27 and so on; then the row number: "B12". Written from the
// end of `buffer` backwards.
std::string_view cellName(int row, int column, std::array<char, 32>& buffer) {
    char* const end = buffer.data() + buffer.size();
    char* p = end;
    qint64 n = row < 0 ? -qint64(row) : qint64(row);
    do {
        *--p = char('0' + n % 10);
        n /= 10;
    } while (n > 0);
    if (row < 0) *--p = '-';
    for (int c = column; c > 0; c = (c - 1) / 26) *--p = char('A' + (c - 1) % 26);
    return {p, size_t(end - p)};
}

// Whether QString::number(value, 'g', precision) writes `value` as plain digits: a whole number
// below the precision's reach (nearly every number of a workbook), and not -0.
bool plainDigits(double value, int precision) {
    return std::trunc(value) == value && std::fabs(value) < std::pow(10.0, precision) &&
           !(value == 0 && std::signbit(value));
}

// A number the way QString::number(value, 'g', precision) writes it.
QByteArray decimal(double value, int precision) {
    if (plainDigits(value, precision)) return QByteArray::number(qint64(value));
    return QString::number(value, 'g', precision).toLatin1();
}

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), size_t(bytes.size())};
}

// The main namespace as the default one, and optionally the relationships namespace as "r:".
void declareSheetNamespaces(XmlBytes& w, bool relationships) {
    w.attribute("xmlns", kMainNs);
    if (relationships) w.attribute("xmlns:r", kRelNs);
}

// Fonts and cell formats in use: format i uses font i, format 0 the default font.
class StyleTable {
public:
    StyleTable() {
        fonts_.push_back(FontStyle{});
        index_.emplace(FontStyle{}, 0);
    }

    int formatOf(const FontStyle& font) {
        // Most cells share the format of the cell before.
        if (font == last_) return lastFormat_;
        const auto found = index_.find(font);
        int id;
        if (found != index_.end()) {
            id = found->second;
        } else {
            id = int(fonts_.size());
            fonts_.push_back(font);
            index_.emplace(font, id);
        }
        last_ = font;
        lastFormat_ = id;
        return id;
    }

    QByteArray xml() const {
        XmlBytes w(4096);
        w.startElement("styleSheet");
        declareSheetNamespaces(w, false);

        w.startElement("fonts");
        w.attribute("count", qint64(fonts_.size()));
        for (const FontStyle& f : fonts_) {
            w.startElement("font");
            if (f.bold) w.emptyElement("b");
            if (f.italic) w.emptyElement("i");
            if (f.underline) w.emptyElement("u");
            w.emptyElement("sz");
            w.attribute("val", qint64(kFontSize));
            if (f.colourIndex > 0) {
                w.emptyElement("color");
                w.attribute("indexed", qint64(f.colourIndex + Palette::kSchemeOffset));
            }
            w.emptyElement("name");
            w.attribute("val", std::string_view(kFontName));
            w.emptyElement("family");
            w.attribute("val", "1");
            w.endElement();
        }
        w.endElement();

        w.startElement("fills");
        w.attribute("count", "2");
        for (const char* pattern : {"none", "gray125"}) {
            w.startElement("fill");
            w.emptyElement("patternFill");
            w.attribute("patternType", pattern);
            w.endElement();
        }
        w.endElement();

        w.startElement("borders");
        w.attribute("count", "1");
        w.startElement("border");
        for (const char* side : {"left", "right", "top", "bottom", "diagonal"})
            w.emptyElement(side);
        w.endElement();
        w.endElement();

        w.startElement("cellStyleXfs");
        w.attribute("count", "1");
        writeXf(w, 0, false);
        w.endElement();

        w.startElement("cellXfs");
        w.attribute("count", qint64(fonts_.size()));
        for (size_t i = 0; i < fonts_.size(); ++i) writeXf(w, int(i), true);
        w.endElement();

        w.startElement("cellStyles");
        w.attribute("count", "1");
        w.emptyElement("cellStyle");
        w.attribute("name", "Normal");
        w.attribute("xfId", "0");
        w.attribute("builtinId", "0");
        w.endElement();

        w.endElement();
        return w.finish();
    }

private:
    static void writeXf(XmlBytes& w, int font, bool cellFormat) {
        w.emptyElement("xf");
        w.attribute("numFmtId", "0");
        w.attribute("fontId", qint64(font));
        w.attribute("fillId", "0");
        w.attribute("borderId", "0");
        if (cellFormat) {
            w.attribute("xfId", "0");
            if (font != 0) w.attribute("applyFont", "1");
        }
    }

    std::vector<FontStyle> fonts_;
    std::map<FontStyle, int> index_;
    FontStyle last_;
    int lastFormat_ = 0;
};

class SharedStrings {
public:
    explicit SharedStrings(qsizetype expected) { index_.reserve(expected); }

    int indexOf(const QString& text) {
        const auto found = index_.constFind(text);
        if (found != index_.constEnd()) return *found;
        const int id = int(strings_.size());
        strings_.push_back(text);
        index_.insert(text, id);
        textSize_ += text.size();
        return id;
    }

    QByteArray xml() const {
        XmlBytes w(textSize_ * 2 + qsizetype(strings_.size()) * 40 + 256);
        w.startElement("sst");
        declareSheetNamespaces(w, false);
        w.attribute("count", qint64(strings_.size()));
        w.attribute("uniqueCount", qint64(strings_.size()));
        for (const QString& s : strings_) {
            w.startElement("si");
            w.startElement("t");
            w.attribute("xml:space", "preserve");
            w.characters(s);
            w.endElement();
            w.endElement();
        }
        w.endElement();
        return w.finish();
    }

private:
    std::vector<QString> strings_;
    QHash<QString, int> index_;
    qsizetype textSize_ = 0;
};

// A column width in the file's unit, digits of the workbook font.
QByteArray columnWidth(double points) {
    return decimal(points / kDigitWidth, 10);
}

// The sheet's column widths: runs of equal width as one entry, the default for the rest.
void writeColumns(XmlBytes& w, const Worksheet& sheet) {
    if (sheet.columnWidths.empty() && !sheet.defaultColumnWidth) return;
    w.startElement("cols");
    auto column = [&](size_t first, size_t last, double points) {
        w.emptyElement("col");
        w.attribute("min", qint64(first));
        w.attribute("max", qint64(last));
        w.attribute("width", view(columnWidth(points)));
        w.attribute("customWidth", "1");
    };
    const std::vector<double>& widths = sheet.columnWidths;
    for (size_t first = 0; first < widths.size();) {
        size_t last = first;
        while (last + 1 < widths.size() && widths[last + 1] == widths[first]) ++last;
        column(first + 1, last + 1, widths[first]);
        first = last + 1;
    }
    if (sheet.defaultColumnWidth && widths.size() < size_t(kMaxColumns))
        column(widths.size() + 1, size_t(kMaxColumns), *sheet.defaultColumnWidth);
    w.endElement();
}

// A sheet's XML: its selection, sizes, cells and, when it has shapes, a reference to its drawing.
QByteArray sheetXml(const Worksheet& sheet, bool selected, bool drawing, StyleTable& styles,
                    SharedStrings& strings) {
    qsizetype cells = 0;
    for (const auto& row : sheet.rows()) cells += qsizetype(row.second.size());
    const int sizedRows = int(sheet.rowHeights.size());
    XmlBytes w(cells * 40 + qsizetype(std::max(sizedRows, int(sheet.rows().size()))) * 48 +
               qsizetype(sheet.columnWidths.size()) * 64 + 1024);
    w.startElement("worksheet");
    declareSheetNamespaces(w, true);

    if (sheet.printOnePageWide) {
        w.startElement("sheetPr");
        w.emptyElement("pageSetUpPr");
        w.attribute("fitToPage", "1");
        w.endElement();
    }

    w.startElement("sheetViews");
    w.emptyElement("sheetView");
    if (selected) w.attribute("tabSelected", "1");
    w.attribute("workbookViewId", "0");
    w.endElement();

    w.emptyElement("sheetFormatPr");
    if (sheet.defaultColumnWidth)
        w.attribute("defaultColWidth", view(columnWidth(*sheet.defaultColumnWidth)));
    if (sheet.defaultRowHeight) {
        w.attribute("defaultRowHeight", view(decimal(*sheet.defaultRowHeight, 10)));
        w.attribute("customHeight", "1");
    } else {
        w.attribute("defaultRowHeight", "15");
    }
    writeColumns(w, sheet);

    w.startElement("sheetData");
    // Every row with a height of its own is written, empty rows between relations included, so
    // that none falls back to the application's default.
    auto rowIt = sheet.rows().begin();
    const auto rowEnd = sheet.rows().end();
    std::array<char, 32> name;
    // Nearly every row has the height of the row before: its text is made once.
    double lastHeight = -1;
    QByteArray heightText;
    auto writeRow = [&](int r, const Worksheet::Row* cells) {
        w.startElement("row");
        w.attribute("r", qint64(r));
        if (r <= sizedRows) {
            if (sheet.rowHeights[size_t(r - 1)] != lastHeight) {
                lastHeight = sheet.rowHeights[size_t(r - 1)];
                heightText = decimal(lastHeight, 10);
            }
            w.attribute("ht", view(heightText));
            w.attribute("customHeight", "1");
        }
        if (cells) {
            for (const auto& [column, cell] : *cells) {
                w.startElement("c");
                w.attribute("r", cellName(r, column, name));
                const int format = styles.formatOf(cell.font);
                if (format != 0) w.attribute("s", qint64(format));
                if (cell.number) {
                    if (plainDigits(*cell.number, 15))
                        w.textElement("v", qint64(*cell.number));
                    else
                        w.textElement("v", view(decimal(*cell.number, 15)));
                } else {
                    w.attribute("t", "s");
                    w.textElement("v", qint64(strings.indexOf(xmlSafe(cell.text))));
                }
                w.endElement();
            }
        }
        w.endElement();
    };
    for (int r = 1; r <= sizedRows; ++r) {
        const bool used = rowIt != rowEnd && rowIt->first == r;
        writeRow(r, used ? &rowIt->second : nullptr);
        if (used) ++rowIt;
    }
    for (; rowIt != rowEnd; ++rowIt) writeRow(rowIt->first, &rowIt->second);
    w.endElement();

    w.emptyElement("pageMargins");
    for (auto [name, value] : {std::pair{"left", "0.7"},
                               {"right", "0.7"},
                               {"top", "0.75"},
                               {"bottom", "0.75"},
                               {"header", "0.3"},
                               {"footer", "0.3"}})
        w.attribute(name, value);
    if (sheet.printOnePageWide) {
        w.emptyElement("pageSetup");
        w.attribute("orientation", "landscape");
        w.attribute("fitToWidth", "1");
        w.attribute("fitToHeight", "0");
    }

    if (drawing) {
        w.emptyElement("drawing");
        w.attribute("r:id", "rId1");
    }
    w.endElement();
    return w.finish();
}

// "RRGGBB" of each scheme colour in use, made once per drawing.
class ColourTexts {
public:
    std::string_view of(int schemeColour) {
        auto found = texts_.find(schemeColour);
        if (found == texts_.end())
            found =
                texts_.emplace(schemeColour, Palette::rgbOfSchemeColour(schemeColour).toLatin1())
                    .first;
        return view(found->second);
    }

private:
    std::map<int, QByteArray> texts_;
};

void writeOutline(XmlBytes& w, const DrawingShape& shape, ColourTexts& colours) {
    w.startElement("a:ln");
    w.attribute("w", qint64(kLineWidthEmu));
    w.startElement("a:solidFill");
    w.emptyElement("a:srgbClr");
    w.attribute("val", colours.of(shape.schemeColour));
    w.endElement();
    if (shape.arrowHead) {
        w.emptyElement("a:tailEnd");
        w.attribute("type", "triangle");
    }
    w.endElement();
}

void writeTransform(XmlBytes& w, qint64 x, qint64 y, qint64 cx, qint64 cy, bool flipH, bool flipV) {
    w.startElement("a:xfrm");
    if (flipH) w.attribute("flipH", "1");
    if (flipV) w.attribute("flipV", "1");
    w.emptyElement("a:off");
    w.attribute("x", x);
    w.attribute("y", y);
    w.emptyElement("a:ext");
    w.attribute("cx", cx);
    w.attribute("cy", cy);
    w.endElement();
}

// One corner of an anchor: the cell a point lies in and its distance from the cell's edges.
void writeAnchorCorner(XmlBytes& w, std::string_view name, const SheetGeometry& geometry,
                       QPointF point) {
    const SheetGeometry::Place column = geometry.columnAt(point.x());
    const SheetGeometry::Place row = geometry.rowAt(point.y());
    w.startElement(name);
    w.textElement("xdr:col", qint64(column.index - 1));
    w.textElement("xdr:colOff", emu(column.offset));
    w.textElement("xdr:row", qint64(row.index - 1));
    w.textElement("xdr:rowOff", emu(row.offset));
    w.endElement();
}

// One shape, anchored to the cells under its box's top-left and bottom-right corners.
void writeShape(XmlBytes& w, const DrawingShape& shape, int id, const SheetGeometry& geometry,
                ColourTexts& colours) {
    const QRectF box = shape.bounds();
    bool flipH = shape.flipH, flipV = shape.flipV;
    if (shape.type == DrawingShape::Type::Line) {
        // The line runs from the box's top-left to its bottom-right corner unless flipped; the
        // flips put its start (and the arrowhead at its end) where the path says.
        const QLineF path = shape.path();
        flipH = path.x2() < path.x1();
        flipV = path.y2() < path.y1();
    }
    const qint64 x = emu(box.left()), y = emu(box.top());
    const qint64 cx = emu(box.right()) - x, cy = emu(box.bottom()) - y;

    w.startElement("xdr:twoCellAnchor");
    writeAnchorCorner(w, "xdr:from", geometry, box.topLeft());
    writeAnchorCorner(w, "xdr:to", geometry, box.bottomRight());

    const bool line = shape.type == DrawingShape::Type::Line;
    w.startElement(line ? "xdr:cxnSp" : "xdr:sp");
    w.attribute("macro", "");
    if (!line) w.attribute("textlink", "");
    w.startElement(line ? "xdr:nvCxnSpPr" : "xdr:nvSpPr");
    w.emptyElement("xdr:cNvPr");
    w.attribute("id", qint64(id));
    w.attribute("name", line ? "Line " : "Arc ", qint64(id - 1));
    w.emptyElement(line ? "xdr:cNvCxnSpPr" : "xdr:cNvSpPr");
    w.endElement();

    w.startElement("xdr:spPr");
    writeTransform(w, x, y, cx, cy, flipH, flipV);
    w.startElement("a:prstGeom");
    w.attribute("prst", line ? "line" : "arc");
    w.startElement("a:avLst");
    if (!line) {
        // From the top of the ellipse (270 degrees) clockwise to its right (0 degrees).
        for (auto [name, value] : {std::pair{"adj1", "val 16200000"}, {"adj2", "val 0"}}) {
            w.emptyElement("a:gd");
            w.attribute("name", name);
            w.attribute("fmla", value);
        }
    }
    w.endElement();
    w.endElement();
    if (!line) w.emptyElement("a:noFill");
    writeOutline(w, shape, colours);
    w.endElement();  // spPr

    w.endElement();  // cxnSp / sp
    w.emptyElement("xdr:clientData");
    w.endElement();  // twoCellAnchor
}

QByteArray drawingXml(const Worksheet& sheet) {
    // About 1,000 bytes a shape.
    XmlBytes w(qsizetype(sheet.shapes.size()) * 1050 + 512);
    w.startElement("xdr:wsDr");
    w.attribute("xmlns:xdr", kDrawingNs);
    w.attribute("xmlns:a", kDrawingMainNs);
    ColourTexts colours;
    const SheetGeometry geometry(sheet);
    int id = 2;
    for (const DrawingShape& shape : sheet.shapes) writeShape(w, shape, id++, geometry, colours);
    w.endElement();
    return w.finish();
}

struct Relationship {
    QString id, type, target;
};

QByteArray relationshipsXml(const std::vector<Relationship>& rels) {
    XmlBytes w(1024);
    w.startElement("Relationships");
    w.attribute("xmlns", kPackageRelNs);
    for (const Relationship& r : rels) {
        w.emptyElement("Relationship");
        w.attribute("Id", r.id);
        w.attribute("Type", r.type);
        w.attribute("Target", r.target);
    }
    w.endElement();
    return w.finish();
}

QString sheetPart(size_t n) {
    return QStringLiteral("worksheets/sheet%1.xml").arg(n + 1);
}

QByteArray contentTypesXml(size_t sheets, bool drawing) {
    const QString office = QStringLiteral("application/vnd.openxmlformats-officedocument.");
    XmlBytes w(2048);
    w.startElement("Types");
    w.attribute("xmlns", "http://schemas.openxmlformats.org/package/2006/content-types");
    auto byDefault = [&](std::string_view ext, std::string_view type) {
        w.emptyElement("Default");
        w.attribute("Extension", ext);
        w.attribute("ContentType", type);
    };
    auto byPart = [&](const QString& name, const QString& type) {
        w.emptyElement("Override");
        w.attribute("PartName", name);
        w.attribute("ContentType", type);
    };
    byDefault("rels", "application/vnd.openxmlformats-package.relationships+xml");
    byDefault("xml", "application/xml");
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
    w.endElement();
    return w.finish();
}

QByteArray workbookXml(const std::vector<const Worksheet*>& sheets) {
    XmlBytes w(1024);
    w.startElement("workbook");
    declareSheetNamespaces(w, true);
    w.startElement("bookViews");
    w.emptyElement("workbookView");
    w.attribute("activeTab", "0");
    w.endElement();
    w.startElement("sheets");
    for (size_t n = 0; n < sheets.size(); ++n) {
        w.emptyElement("sheet");
        w.attribute("name", sheets[n]->name());
        w.attribute("sheetId", qint64(n + 1));
        if (sheets[n]->hidden) w.attribute("state", "hidden");
        w.attribute("r:id", "rId", qint64(n + 1));
    }
    w.endElement();
    w.endElement();
    return w.finish();
}

QByteArray appPropertiesXml() {
    XmlBytes w(512);
    w.startElement("Properties");
    w.attribute("xmlns",
                "http://schemas.openxmlformats.org/officeDocument/2006/extended-properties");
    w.textElement("Application", std::string_view("Relvane"));
    w.endElement();
    return w.finish();
}

}  // namespace

std::optional<QByteArray> package(const Workbook& book, QString* error) {
    StyleTable styles;
    const bool drawing = !book.output.shapes.empty();
    const std::vector<const Worksheet*> sheets = book.sheets();
    // At most one string a text cell.
    qsizetype cells = 0;
    for (const Worksheet* sheet : sheets)
        for (const auto& row : sheet->rows()) cells += qsizetype(row.second.size());
    SharedStrings strings(cells);

    ZipArchive zip;
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
    parts.push_back(
        {id(sheets.size() + 1), kRelType + QStringLiteral("styles"), QStringLiteral("styles.xml")});
    parts.push_back({id(sheets.size() + 2), kRelType + QStringLiteral("sharedStrings"),
                     QStringLiteral("sharedStrings.xml")});
    zip.add("xl/_rels/workbook.xml.rels", relationshipsXml(parts));
    // The drawing (the largest part) is written and deflated on another core while the sheets
    // are written.
    std::future<ZipArchive::Deflated> drawingPart;
    if (drawing)
        drawingPart = std::async(std::launch::async,
                                 [&book] { return ZipArchive::deflate(drawingXml(book.output)); });
    for (size_t n = 0; n < sheets.size(); ++n)
        zip.add((QStringLiteral("xl/") + sheetPart(n)).toUtf8(),
                sheetXml(*sheets[n], n == 0, n == 0 && drawing, styles, strings));
    if (drawing) {
        zip.add("xl/worksheets/_rels/sheet1.xml.rels",
                relationshipsXml({{QStringLiteral("rId1"), kRelType + QStringLiteral("drawing"),
                                   QStringLiteral("../drawings/drawing1.xml")}}));
        zip.add("xl/drawings/drawing1.xml", drawingPart.get());
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
