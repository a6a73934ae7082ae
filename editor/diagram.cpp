#include "diagram.h"

#include <QFontMetricsF>

namespace {

// The caption font of the template element. The traditional-Chinese UI font comes first; on
// machines without it the Noto CJK faces draw the same characters.
QFont templateFont() {
    QFont font;
    font.setFamilies({QStringLiteral("新細明體"), QStringLiteral("PMingLiU"),
                      QStringLiteral("Noto Serif CJK TC"), QStringLiteral("Noto Sans CJK TC"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPointSize(9);
    return font;
}

}  // namespace

void Element::newCollections() {
    AttributeList = std::make_shared<Collection>();
    RelationList = std::make_shared<Collection>();
    RelativeEntityList = std::make_shared<Collection>();
    PrimaryEntityList = std::make_shared<Collection>();
    WeakRelationList = std::make_shared<Collection>();
    WeakEntityList = std::make_shared<Collection>();
}

QString makeTag(int first, int second) {
    return QString::number(first) + QLatin1Char(',') + QString::number(second);
}

TagEnds tagEnds(const QString& tag) {
    const QStringView view(tag);
    const qsizetype comma = view.indexOf(QLatin1Char(','));
    if (comma < 0) return {0, view.toInt()};
    return {view.left(comma).toInt(), view.mid(comma + 1).toInt()};
}

Diagram::Diagram() : labelFont_(templateFont()) {
    loadTemplates();
}

void Diagram::loadTemplates() {
    elements_.clear();
    connectors_.clear();

    Element tmpl;
    tmpl.Left = 72;
    tmpl.Top = 104;
    tmpl.Width = 73;
    tmpl.Height = 41;
    tmpl.BorderStyle = 0;
    tmpl.Font = templateFont();
    tmpl.Caption = QStringLiteral("Label1");
    tmpl.BackColor = settings.WindowBackColor;
    tmpl.RecWidth = tmpl.EllWidth = tmpl.DiaWidth = 5;
    tmpl.Visible = false;
    tmpl.newCollections();
    elements_.push_back(tmpl);

    Connector line;
    line.Line1.BorderColor = settings.RelLineColor;
    line.Line1.BorderStyle = kLineSolid;
    line.Line2 = line.Line1;
    connectors_.push_back(line);
}

int Diagram::loadElement() {
    const int n = elementCount();
    if (n > kLargestIndex) return 0;
    // A copy of the template made at run time starts with insets 0; creation and loading give it
    // the insets its kind draws with.
    Element e = elements_.front();
    e.Visible = false;
    e.Tag.clear();
    e.RecWidth = e.EllWidth = e.DiaWidth = 0;
    e.newCollections();
    elements_.push_back(std::move(e));
    return n;
}

int Diagram::loadConnector() {
    const int k = connectorCount();
    if (k > kLargestIndex) return 0;
    connectors_.push_back(connectors_.front());
    return k;
}

void Diagram::highlight(int i, OleColor colour) {
    Element& e = element(i);
    e.Tag = QString::number(e.BackColor);
    e.BackColor = colour;
    notifyElement(i);
}

void Diagram::restore(int i) {
    Element& e = element(i);
    // An element never highlighted has no saved colour: it keeps the one it shows (a project
    // drawn with other settings may use this user's highlight colours as its own).
    if (e.Tag.isEmpty()) return;
    e.BackColor = OleColor(e.Tag.toLongLong());
    notifyElement(i);
}

QSizeF Diagram::labelSize(const QString& caption) const {
    const QFontMetricsF metrics(labelFont_);
    return {metrics.horizontalAdvance(caption) * labelUnitsX_, metrics.height() * labelUnitsY_};
}

void Diagram::setLabelUnits(double unitsPerPixelX, double unitsPerPixelY) {
    if (unitsPerPixelX == labelUnitsX_ && unitsPerPixelY == labelUnitsY_) return;
    labelUnitsX_ = unitsPerPixelX;
    labelUnitsY_ = unitsPerPixelY;
    for (Connector& c : connectors_) {
        setLabelCaption(c.MN, c.MN.Caption);
        setLabelCaption(c.Description, c.Description.Caption);
    }
}

void Diagram::setLabelCaption(Label& label, const QString& caption) {
    label.Caption = caption;
    const QSizeF size = labelSize(caption);
    label.Width = float(size.width());
    label.Height = float(size.height());
}

void Diagram::clear() {
    Element tmpl = elements_.front();
    Connector line = connectors_.front();
    elements_.assign(1, tmpl);
    connectors_.assign(1, line);
    state = WindowState{};
    Q_EMIT reset();
}
