#include <algorithm>
#include <utility>

#include "commandscope.h"
#include "outline.h"
#include "placement.h"

float fittedWidth(const Element& e, qint32 captionWidth) {
    if (e.is(KindRelationship)) return float(captionWidth + 35);
    if (e.is(KindWeakRelationship)) return float(captionWidth + 40);
    if (e.isEntityKind()) return float(std::max(captionWidth + 20, 70));
    return float(captionWidth + 20);  // attribute kinds, and any other code
}

void growToHoldCaption(Element& e) {
    if (e.IsSizeLock) return;
    const float width = fittedWidth(e, captionWidthFor(e.Font, e.Caption));
    if (width > e.Width) {
        e.Width = width;
        e.Height = std::max(e.Height, width / 2);
    }
}

void Editor::resizeToCaptions() {
    const CommandScope scope(*this);
    nameStep(QStringLiteral("Resize"));
    for (int i = 1; i < d_.elementCount(); ++i) fitToCaption(i);
    // Every connector follows, second lines of recursive pairs with the recursive layout too.
    layoutAllConnectors();
    // Repaint tells the views about every visible element, the resized ones included.
    repaintElements();
}

void Editor::fitToCaption(int i) {
    const Element& shown = std::as_const(d_).element(i);
    // A circle keeps its round size whatever its one-letter mark needs.
    if (!shown.Visible || shown.IsSizeLock || shown.isSpecializationKind()) return;
    Element& e = d_.element(i);
    e.Width = fittedWidth(e, captionWidthFor(e.Font, e.Caption));
    e.Height = e.Width / 2;
}

void Editor::repaintElements() {
    const CommandScope scope(*this);
    nameStep(QStringLiteral("Repaint"));
    const Element& tmpl = std::as_const(d_).element(0);
    for (int i = 1; i < d_.elementCount(); ++i) {
        if (!d_.isLiveElement(i)) continue;
        // Touched whether or not the insets change: the views draw every visible element again.
        Element& e = d_.element(i);
        e.RecWidth = tmpl.RecWidth;
        e.EllWidth = tmpl.EllWidth;
        e.DiaWidth = tmpl.DiaWidth;
    }
}

QRectF Editor::captureRect() const {
    float left = 10000, top = 10000, right = 0, bottom = 0;
    bool any = false;
    for (int i = 1; i < d_.elementCount(); ++i) {
        const Element& e = d_.element(i);
        if (!e.Visible) continue;
        any = true;
        left = std::min(left, e.Left);
        top = std::min(top, e.Top);
        right = std::max(right, e.Left + e.Width);
        bottom = std::max(bottom, e.Top + e.Height);
    }
    if (!any) return {};
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}
