#include <QCoreApplication>
#include <QRegularExpression>
#include <map>
#include <utility>

#include "commandscope.h"
#include "fragment.h"
#include "placement.h"

// Copy, cut, paste and duplicate. The clipboard itself is the window's; here a fragment
// (fragment.h) becomes new elements of the diagram, as one step.

namespace {

// Entities and relationships become tables, whose names must differ whatever their case;
// attributes need only differ within their owner, and a pasted attribute comes with its own.
bool needsUniqueName(const Element& e) {
    return e.isEntityKind() || e.isRelationshipKind();
}

QString uniqueKey(const QString& caption) {
    return caption.trimmed().toCaseFolded();
}

// `caption` when no name in `taken` holds it; else the first free one of NAME_2, NAME_3, ...
// where NAME is the caption without a number it already ends in (a copy of "DEPT_2" is
// "DEPT_3", not "DEPT_2_2").
QString freshName(const QString& caption, std::set<QString>& taken) {
    static const QRegularExpression numbered(QStringLiteral("_\\d+$"));
    QString name = caption;
    const QString base = QString(caption).remove(numbered);
    for (int n = 2; taken.count(uniqueKey(name)); ++n)
        name = base + QStringLiteral("_") + QString::number(n);
    taken.insert(uniqueKey(name));
    return name;
}

void translate(Line& line, QPointF by) {
    line.X1 += float(by.x());
    line.X2 += float(by.x());
    line.Y1 += float(by.y());
    line.Y2 += float(by.y());
}

void translate(Label& label, QPointF by) {
    label.Left += float(by.x());
    label.Top += float(by.y());
}

}  // namespace

std::vector<int> Editor::pasteFragment(const Fragment& fragment, QPointF offset) {
    const CommandScope scope(*this);
    const Document& doc = fragment.document;
    if (fragment.isEmpty()) return {};
    if (d_.elementCount() - 1 + fragment.elementCount() > Diagram::kLargestIndex ||
        d_.connectorCount() - 1 + doc.connectorCount() - 1 > Diagram::kLargestIndex) {
        prompts_.message(
            QCoreApplication::translate("Pasting", "元素數量已達上限 %1, 無法貼上 %2 個元素")
                .arg(Diagram::kLargestIndex)
                .arg(fragment.elementCount()));
        return {};
    }
    if (d_.state.ConnectMode != ConnectMode::None) cancel();
    nameStep(QCoreApplication::translate("Pasting", "貼上 %1 個元素").arg(fragment.elementCount()));

    std::set<QString> taken;
    for (int i = 1; i < d_.elementCount(); ++i) {
        const Element& e = std::as_const(d_).element(i);
        if (e.Visible && needsUniqueName(e)) taken.insert(uniqueKey(e.Caption));
    }

    // Fragment indices 1..n become the next free indices here, in the same order.
    const int base = d_.elementCount() - 1;
    std::map<int, int> map;
    for (int i = 1; i < doc.elementCount(); ++i) map.emplace(i, base + i);
    std::vector<int> pasted;
    for (int i = 1; i < doc.elementCount(); ++i) {
        Element e = doc.element(i);
        renumberCollections(e, map);
        e.Left += float(offset.x());
        e.Top += float(offset.y());
        // A fresh name is longer than the one copied: the element grows to show it whole.
        if (needsUniqueName(e)) {
            e.Caption = freshName(e.Caption, taken);
            growToHoldCaption(e);
        }
        e.Visible = true;
        const int n = d_.loadElement();
        d_.element(n) = e;
        pasted.push_back(n);
    }
    for (int k = 1; k < doc.connectorCount(); ++k) {
        Connector c = doc.connector(k);
        const int n = d_.loadConnector(c.kind, map.at(c.first), map.at(c.second));
        c.first = qint16(map.at(c.first));
        c.second = qint16(map.at(c.second));
        translate(c.Line1, offset);
        translate(c.Line2, offset);
        translate(c.MN, offset);
        translate(c.Description, offset);
        d_.connector(n) = c;
        layoutConnector(n);
    }
    d_.view.selection = std::set<int>(pasted.begin(), pasted.end());
    return pasted;
}

void Editor::duplicateSelection() {
    const CommandScope scope(*this);
    pasteFragment(copyFragment(d_, d_.view.selection), kPasteStep);
}

void Editor::cutSelection() {
    const CommandScope scope(*this);
    int live = 0;
    for (int i : d_.view.selection) live += d_.isLiveElement(i);
    if (live > 1) nameStep(QCoreApplication::translate("Pasting", "剪下 %1 個元素").arg(live));
    deleteSelection();
}
