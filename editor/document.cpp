#include "document.h"

#include <QFontMetricsF>
#include <algorithm>

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
    for (Collection* list : {&AttributeList, &RelationList, &RelativeEntityList, &PrimaryEntityList,
                             &WeakRelationList, &WeakEntityList})
        list->clear();
}

QFont labelFont() {
    return templateFont();
}

QSizeF labelSize(const QString& caption) {
    // Measured at one drawing unit per pixel; the metrics are made once.
    static const QFontMetricsF metrics(templateFont());
    return {metrics.horizontalAdvance(caption), metrics.height()};
}

void setLabelCaption(Label& label, const QString& caption) {
    label.Caption = caption;
    const QSizeF size = labelSize(caption);
    label.Width = float(size.width());
    label.Height = float(size.height());
}

Document::Document() {
    Element tmpl;
    tmpl.Left = 72;
    tmpl.Top = 104;
    tmpl.Width = 73;
    tmpl.Height = 41;
    tmpl.BorderStyle = 0;
    tmpl.Font = templateFont();
    tmpl.Caption = QStringLiteral("Label1");
    tmpl.RecWidth = tmpl.EllWidth = tmpl.DiaWidth = 5;
    tmpl.Visible = false;
    elements_.push_back(tmpl);
    connectorsOf_.emplace_back();

    Connector line;
    line.Line1.BorderStyle = kLineSolid;
    line.Line2 = line.Line1;
    connectors_.push_back(line);
}

int Document::loadElement() {
    const int n = elementCount();
    if (n > kLargestIndex) return 0;
    // A copy of the template made at run time starts with insets 0; creation and loading give it
    // the insets its kind draws with.
    Element e = elements_.front();
    e.Visible = false;
    e.RecWidth = e.EllWidth = e.DiaWidth = 0;
    e.newCollections();
    elements_.push_back(std::move(e));
    connectorsOf_.emplace_back();
    return n;
}

int Document::loadConnector(ConnectorKind kind, int first, int second) {
    const int k = connectorCount();
    if (k > kLargestIndex) return 0;
    Connector c = connectors_.front();
    c.kind = kind;
    c.first = qint16(first);
    c.second = qint16(second);
    connectors_.push_back(std::move(c));
    if (isElement(first)) connectorsOf_[size_t(first)].push_back(k);
    if (isElement(second) && second != first) connectorsOf_[size_t(second)].push_back(k);
    return k;
}

const std::vector<int>& Document::connectorsOf(int i) const {
    static const std::vector<int> none;
    return i >= 0 && size_t(i) < connectorsOf_.size() ? connectorsOf_[size_t(i)] : none;
}

bool Document::isPartialKey(int i) const {
    if (!isLiveElement(i) || !element(i).isAttributeKind() || !element(i).underlined())
        return false;
    for (int k : connectorsOf(i)) {
        const Connector& c = connector(k);
        if (isLiveConnector(k) && c.isAttribute() && c.second == i && isLiveElement(c.first) &&
            element(c.first).is(KindWeakEntity))
            return true;
    }
    return false;
}

Document Document::emptyCopy() const {
    Document empty;
    empty.elements_.front() = elements_.front();
    empty.connectors_.front() = connectors_.front();
    return empty;
}

void Document::truncate(int elementCount, int connectorCount) {
    elementCount = std::max(elementCount, 1);
    connectorCount = std::max(connectorCount, 1);
    if (connectorCount < this->connectorCount()) {
        connectors_.resize(size_t(connectorCount));
        // Connectors are indexed in the order they were made, so the dropped ones are last.
        for (std::vector<int>& list : connectorsOf_)
            while (!list.empty() && list.back() >= connectorCount) list.pop_back();
    }
    if (elementCount < this->elementCount()) {
        elements_.resize(size_t(elementCount));
        connectorsOf_.resize(size_t(elementCount));
    }
}

void Document::appendElement(const Element& element) {
    elements_.push_back(element);
    connectorsOf_.emplace_back();
}

void Document::appendConnector(const Connector& connector) {
    const int k = connectorCount();
    connectors_.push_back(connector);
    if (isElement(connector.first)) connectorsOf_[size_t(connector.first)].push_back(k);
    if (isElement(connector.second) && connector.second != connector.first)
        connectorsOf_[size_t(connector.second)].push_back(k);
}

void Document::clear() {
    elements_.resize(1);
    connectors_.resize(1);
    connectorsOf_.assign(1, {});
}
