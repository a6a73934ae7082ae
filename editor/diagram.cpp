#include "diagram.h"

#include <utility>

Diagram::Diagram() {
    // The templates take the colours of the settings in force.
    doc_.element(0).BackColor = settings.WindowBackColor;
    Connector& line = doc_.connector(0);
    line.Line1.BorderColor = line.Line2.BorderColor = settings.RelLineColor;
}

void Diagram::replaceDocument(Document document) {
    doc_ = std::move(document);
    pending_.reset = true;
    announce();
}

Document Diagram::takeDocument() {
    Document taken = std::exchange(doc_, doc_.emptyCopy());
    pending_.reset = true;
    announce();
    return taken;
}

void Diagram::clear() {
    doc_.clear();
    state = WindowState{};
    view.selection.clear();
    pending_.reset = true;
    announce();
}

int Diagram::loadElement() {
    const int n = doc_.loadElement();
    if (n != 0) touchElement(n);
    return n;
}

int Diagram::loadConnector(ConnectorKind kind, int first, int second) {
    const int k = doc_.loadConnector(kind, first, second);
    if (k == 0) return 0;
    touchConnector(k);
    if (kind == ConnectorKind::Attribute)
        doc_.connector(k).Line1.BorderColor = settings.AttLineColor;
    return k;
}

void Diagram::highlight(int i, OleColor colour) {
    Element& e = element(i);
    e.Tag = QString::number(e.BackColor);
    e.BackColor = colour;
}

void Diagram::restore(int i) {
    // An element never highlighted has no saved colour: it keeps the one it shows (a project
    // drawn with other settings may use this user's highlight colours as its own).
    if (doc_.element(i).Tag.isEmpty()) return;
    Element& e = element(i);
    e.BackColor = OleColor(e.Tag.toLongLong());
}

// ---- Change sets ----

namespace {

// Records index i once in `changed`; `marked` says which are recorded already.
void record(int i, std::vector<bool>& marked, std::vector<int>& changed) {
    if (i < 0) return;
    if (size_t(i) >= marked.size()) marked.resize(size_t(i) + 1, false);
    if (marked[size_t(i)]) return;
    marked[size_t(i)] = true;
    changed.push_back(i);
}

}  // namespace

// After a reset the views read everything again; single indices need no record.
void Diagram::touchElement(int i) {
    if (!pending_.reset) record(i, elementTouched_, pending_.elements);
}

void Diagram::touchConnector(int k) {
    if (!pending_.reset) record(k, connectorTouched_, pending_.connectors);
}

void Diagram::beginChange() {
    ++changeDepth_;
}

void Diagram::endChange() {
    if (changeDepth_ > 0) --changeDepth_;
    pendingView_ = true;  // any command may have changed what the window shows
    announce();
}

void Diagram::notifyElement(int i) {
    touchElement(i);
    announce();
}

void Diagram::notifyConnector(int k) {
    touchConnector(k);
    announce();
}

void Diagram::notifyView() {
    pendingView_ = true;
    announce();
}

void Diagram::showChangesSoFar() {
    // The indices stay pending: the command may go on changing them through references it
    // already holds, and its end announces them again.
    DiagramChange soFar = pending_;
    Q_EMIT changed(soFar);
}

void Diagram::announce() {
    if (changeDepth_ > 0) return;
    if (pending_.elements.empty() && pending_.connectors.empty() && !pending_.reset &&
        !pendingView_)
        return;
    DiagramChange change;
    std::swap(change, pending_);
    pendingView_ = false;
    for (int i : change.elements) elementTouched_[size_t(i)] = false;
    for (int k : change.connectors) connectorTouched_[size_t(k)] = false;
    // A reset reads everything again; the indices touched before it mean nothing more.
    if (change.reset) {
        change.elements.clear();
        change.connectors.clear();
    }
    Q_EMIT changed(change);
}
