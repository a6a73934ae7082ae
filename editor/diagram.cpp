#include "diagram.h"

#include <algorithm>
#include <utility>

Diagram::Diagram() {
    // The templates take the colours of the settings in force.
    doc_.element(0).BackColor = settings.WindowBackColor;
    Connector& line = doc_.connector(0);
    line.Line1.BorderColor = line.Line2.BorderColor = settings.RelLineColor;
}

void Diagram::replaceDocument(Document document) {
    if (recording_ && !step_.before.document)
        step_.before.document = std::move(doc_);  // taken back as a whole
    doc_ = std::move(document);
    pending_.reset = true;
    announce();
}

Document Diagram::takeDocument() {
    recordDocument();
    Document taken = std::exchange(doc_, doc_.emptyCopy());
    pending_.reset = true;
    announce();
    return taken;
}

void Diagram::clear() {
    recordDocument();
    doc_.clear();
    state = WindowState{};
    view.selection.clear();
    view.highlights.clear();
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

OleColor Diagram::shownColour(int i) const {
    switch (view.highlights.of(i)) {
        case Highlight::Candidate:
            return settings.CandidateColor;
        case Highlight::Selected:
            return settings.SelectedColor;
        case Highlight::None:
            break;
    }
    return doc_.element(i).BackColor;
}

// ---- Change sets ----

namespace {

// Records index i once in `changed`; `marked` says which are recorded already. Returns whether i
// was recorded now.
bool record(int i, std::vector<bool>& marked, std::vector<int>& changed) {
    if (i < 0) return false;
    if (size_t(i) >= marked.size()) marked.resize(size_t(i) + 1, false);
    if (marked[size_t(i)]) return false;
    marked[size_t(i)] = true;
    changed.push_back(i);
    return true;
}

}  // namespace

// A recorded step keeps an entry's value from before its first change; after a reset the views
// read everything again, so single indices need no record for them.
void Diagram::touchElement(int i) {
    if (recording_ && !step_.before.document && record(i, elementRecorded_, recordedElements_) &&
        i < step_.before.elementCount)
        step_.before.elements.emplace_back(i, doc_.element(i));
    if (!pending_.reset) record(i, elementTouched_, pending_.elements);
}

void Diagram::touchConnector(int k) {
    if (recording_ && !step_.before.document &&
        record(k, connectorRecorded_, recordedConnectors_) && k < step_.before.connectorCount)
        step_.before.connectors.emplace_back(k, doc_.connector(k));
    if (!pending_.reset) record(k, connectorTouched_, pending_.connectors);
}

// ---- Steps ----

DiagramStep::Session Diagram::sessionImage() const {
    return {state,          checks,          view.prompt, view.legendVisible, view.toolbarEnabled,
            view.selection, view.highlights, view.project};
}

void Diagram::recordDocument() {
    if (recording_ && !step_.before.document) step_.before.document = doc_;
}

void Diagram::startRecording() {
    step_ = DiagramStep{};
    step_.before.elementCount = doc_.elementCount();
    step_.before.connectorCount = doc_.connectorCount();
    step_.before.session = sessionImage();
    step_.before.settings = settings;
    recording_ = true;
}

DiagramStep Diagram::finishRecording() {
    const auto byIndex = [](const auto& a, const auto& b) { return a.first < b.first; };
    DiagramStep::Images& after = step_.after;
    after.elementCount = doc_.elementCount();
    after.connectorCount = doc_.connectorCount();
    if (step_.before.document) {
        after.document = doc_;
        step_.before.elements.clear();
        step_.before.connectors.clear();
    } else {
        for (int i : recordedElements_)
            if (i < after.elementCount) after.elements.emplace_back(i, doc_.element(i));
        for (int k : recordedConnectors_)
            if (k < after.connectorCount) after.connectors.emplace_back(k, doc_.connector(k));
        for (auto* images : {&step_.before.elements, &after.elements})
            std::sort(images->begin(), images->end(), byIndex);
        for (auto* images : {&step_.before.connectors, &after.connectors})
            std::sort(images->begin(), images->end(), byIndex);
    }
    after.session = sessionImage();
    after.settings = settings;
    for (int i : recordedElements_) elementRecorded_[size_t(i)] = false;
    for (int k : recordedConnectors_) connectorRecorded_[size_t(k)] = false;
    recordedElements_.clear();
    recordedConnectors_.clear();
    recording_ = false;
    return std::exchange(step_, DiagramStep{});
}

void Diagram::applyImages(const DiagramStep::Images& images) {
    if (images.document) {
        doc_ = *images.document;
        pending_.reset = true;
    } else {
        if (images.elementCount < doc_.elementCount() ||
            images.connectorCount < doc_.connectorCount())
            pending_.removed = true;
        doc_.truncate(images.elementCount, images.connectorCount);
        // Entries past the end come back in index order, so each is the next one.
        for (const auto& [i, e] : images.elements) {
            if (i < doc_.elementCount())
                doc_.element(i) = e;
            else
                doc_.appendElement(e);
            touchElement(i);
        }
        for (const auto& [k, c] : images.connectors) {
            if (k < doc_.connectorCount())
                doc_.connector(k) = c;
            else
                doc_.appendConnector(c);
            touchConnector(k);
        }
    }
    const DiagramStep::Session& s = images.session;
    state = s.state;
    checks = s.checks;
    view.prompt = s.prompt;
    view.legendVisible = s.legendVisible;
    view.toolbarEnabled = s.toolbarEnabled;
    view.selection = s.selection;
    view.highlights = s.highlights;
    if (s.project) view.project = *s.project;
    settings = images.settings;
    pendingView_ = true;
    announce();
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
