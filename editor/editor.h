#pragma once

#include <QRectF>
#include <QString>

#include "diagram.h"
#include "prompts.h"

// Every menu, toolbar, button and mouse command of the main window as a function over the
// diagram and the Prompts interface. The window turns widget events into these calls; tests make
// the same calls without a screen.
class Editor {
public:
    Editor(Diagram& diagram, Prompts& prompts) : d_(diagram), prompts_(prompts) {}

    Diagram& diagram() { return d_; }
    Prompts& prompts() { return prompts_; }

    // ---- Creation and kind changes (creation.cpp) ----
    // Creates an element of kind 0, 2, 3 or 4 to the right of the last entry; returns its index,
    // or 0 (with a message) when the diagram holds the largest number of elements.
    int createElement(int kind);
    // Toolbar buttons by key: "Entity", "Attribute", "Relationship", "AttLine", "RelLine".
    void toolbarButton(const QString& key);
    // Drop-down button-menu items by key.
    void buttonMenuItem(const QString& key);
    // Element menus' kind items, acting on ContextElement.
    void menuEntity();
    void menuWeakEntity();  // the menu's "WeakEnitty"
    void menuAttribute();
    void menuMultAttribute();
    void menuKey();
    void menuRelationship();
    void menuWeakRelationship();

    // ---- Selection, dragging and connecting (connecting.cpp) ----
    void startAttributeConnection();
    void startRelationshipConnection();
    // Left button down on element i at (x, y) inside it: records the grab point, then picks.
    void elementLeftDown(int i, float x, float y);
    enum class Popup { None, Entity, Attribute, Relationship };
    // Right button down on element i: sets ContextElement and the menu's check marks.
    Popup elementRightDown(int i);
    // Mouse over element i without the left button alone: fills the three hover texts.
    void elementHover(int i);
    // A dragged element dropped on the drawing area at (X, Y); connectors follow.
    void dropElement(int i, float X, float Y);
    // The relationship connector whose main line's midpoint lies within 10 units on both axes of
    // (X, Y), the lowest index first; 0 when none.
    int connectorAt(float X, float Y) const;
    // Right button down on the drawing area: on a hit sets CurrentLine and the "Description"
    // check; returns whether the Line menu opens.
    bool drawingAreaRightDown(float X, float Y);
    // Button "Cancel".
    void cancel();

    // ---- Participation and description (participation.cpp) ----
    void participation();
    void description();

    // ---- Element editing (editing.cpp) ----
    enum class Menu { Entity, Attribute, Relationship };
    void rename(Menu menu);
    void lockSize(Menu menu);
    void bigger();
    void smaller();
    void color();

    // ---- Deletion (deletion.cpp) ----
    void deleteAttribute();
    void deleteEntity();
    void deleteRelationship();
    void deleteConnector();
    // The Delete key on element i: the element menu's "Delete" for its kind.
    void deleteElement(int i);

    // ---- Window-wide commands (windowcommands.cpp) ----
    void resizeToCaptions();
    void repaintElements();
    // Bounding rectangle of the visible elements; empty when there is none.
    QRectF captureRect() const;

    // ---- Connector layout from the connectors' tags (layout.cpp) ----
    // Lays connector k out from its tag: the recursive layout when its main line is dotted,
    // then the second line when it is shown.
    void layoutConnector(int k);
    // Every live connector one of whose tag halves is element i.
    void layoutConnectorsOf(int i);
    void layoutAllConnectors();

private:
    // A relationship connector from entity `first` to relationship `second`, laid out and showing
    // its (still empty) participation label: returns the new index (0 when full).
    int createConnector(int first, int second);
    void finishMode();
    void setToolbarEnabled(bool on);
    // Gives every element that shows the selected or candidate colour its saved colour back.
    void restoreHighlighted();
    // The first live relationship connector after index `after` tagged first,second; 0 when none.
    int connectorBetween(int first, int second, int after = 0) const;
    // Whether relationship r can become the identifying relationship of weak entity w without
    // any of the additions failing.
    bool canIdentify(int w, int r) const;
    // Whether entity f can become a further participant of relationship r.
    bool canJoin(int r, int f) const;
    void addOwnerToWeakEntitiesOf(int r, int e);

    // The picks of the connect modes.
    void pickOwner(int o);
    void pickAttribute(int a);
    void pickFirstEntity(int e);
    void pickRelationship(int r);
    void pickSecondEntity(int f);
    void pickIdentifyingRelationship(int r);

    Diagram& d_;
    Prompts& prompts_;
};
