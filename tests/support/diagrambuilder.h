#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "diagram.h"
#include "editor.h"
#include "fakeprompts.h"

// Draws diagrams for tests through the same Editor commands the mouse drives: toolbar creation,
// connect-mode clicks and menu commands. Captions are set on the model directly.
class DiagramBuilder {
public:
    DiagramBuilder() = default;

    Diagram d;
    FakePrompts prompts;
    Editor editor{d, prompts};

    int entity(const QString& caption);
    int relationship(const QString& caption);
    // An attribute (or multivalued attribute) attached to `owner` through "AttLine".
    int attribute(int owner, const QString& caption, bool key = false);
    int multAttribute(int owner, const QString& caption, bool key = false);

    // "RelLine": first entity, relationship, second entity. Returns the two connector indices.
    std::pair<int, int> binary(int first, int r, int second);
    // "RelLine" on a relationship that already has two participants: one more joins.
    int join(int e, int r);
    // "RelLine": entity, relationship, the same entity again.
    std::pair<int, int> recursive(int e, int r) { return binary(e, r, e); }
    // "WeakEnitty" on w, then a click on its identifying relationship r.
    void makeWeak(int w, int r);

    // Enhanced ER: a specialization circle joining `superclass` to each of `subclasses`, and a
    // category circle joining each of `superclasses` to `subclass`. Return the circle.
    int specialization(int superclass, const std::vector<int>& subclasses, bool overlapping = false,
                       bool total = false);
    int category(const std::vector<int>& superclasses, int subclass, bool total = false);

    // Participation and role texts written straight into the labels (min,max notation).
    void setParticipation(int k, const QString& text);
    void setRole(int k, const QString& text);

    // The n-th (0-based) connector from first to second, visible or not; 0 when none.
    int connector(int first, int second, int nth = 0) const;

    void click(int i) { editor.elementLeftDown(i, 1, 1); }

private:
    int create(int kind, const QString& caption);
};
