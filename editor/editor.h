#pragma once

#include <QRectF>
#include <QString>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "diagram.h"
#include "prompts.h"

class LayoutPlan;
class History;
struct Fragment;

// The insets new elements take from the template element.
struct TemplateInsets {
    qint32 RecWidth = 5, EllWidth = 5, DiaWidth = 5;
};

// What the program's settings hold of a diagram: the settings, the template's insets and the
// project name typed last. The settings store reads and writes these values; the editor puts
// them in force and reports them.
struct DiagramSettings {
    ProgramSettings settings;
    TemplateInsets insets;
    QString projectName;
};

// Every menu, toolbar, button and mouse command of the main window as a function over the
// diagram and the Prompts interface, and every other change to the diagram (loading, the options
// dialog, validation's defaults): this is the one door all of them go through. Each command
// names the element or connector it acts on, runs as one change of the model, and ends with one
// change notice. The window turns widget events into these calls; tests make the same calls
// without a screen.
class Editor {
public:
    Editor(Diagram& diagram, Prompts& prompts) : d_(diagram), prompts_(prompts) {}

    Diagram& diagram() { return d_; }
    const Diagram& diagram() const { return d_; }
    Prompts& prompts() { return prompts_; }

    // With a history every command that changes the diagram becomes a step of it.
    void setHistory(History* history) { history_ = history; }
    History* history() const { return history_; }
    // Edit menu: takes the last step back, or does the last step taken back again. While a
    // connect mode runs, either first cancels it, as Cancel does.
    void undo();
    void redo();
    // Whether the diagram changed since it was last saved, loaded or started (with a history).
    bool hasUnsavedChanges() const;
    // The diagram as it is now is stored (saved or loaded).
    void markSaved();
    // File -> "開新圖形": an empty diagram that is no project yet, one step; the settings stay.
    void newDiagram();
    // File -> 範例: the diagram `build` makes from an empty one (with this diagram's templates) in
    // place of this one, as a new diagram is: no project yet, nothing unsaved; one step, `label`.
    void newDiagram(const QString& label, const std::function<Document(Document empty)>& build);

    // ---- Creation and kind changes (creation.cpp) ----
    // Creates an element of kind 0, 2, 3 or 4; returns its index, or 0 (with a message) when the
    // diagram holds the largest number of elements. The first element of a diagram goes to the
    // right of the template's place; later ones to the first free place, in reading order, of
    // the visible area, or below the lowest element when none is free (or no area is known):
    // see placement.h.
    int createElement(int kind);
    // The window tells what part of the drawing it shows (ViewState::visibleArea).
    void setVisibleArea(const QRectF& area) { d_.view.visibleArea = area; }
    // Toolbar buttons by key: "Entity", "Attribute", "Relationship", "AttLine", "RelLine",
    // "Specialization", "Category", "SubLine" ("Set Subclass"). `sticky` (Shift held on the
    // button) keeps "AttLine", "RelLine" and "SubLine" running for several connections.
    void toolbarButton(const QString& key, bool sticky = false);
    // Drop-down button-menu items by key. "WeakEntity" with one entity selected starts its
    // identifying pick, as the element menu's item does; "WeakRelationship" with one relationship
    // selected makes it the identifying relationship of the one weak entity it can identify.
    void buttonMenuItem(const QString& key);
    // The element menus' kind items, on the element the menu was opened on.
    void menuEntity(int e);
    void menuWeakEntity(int e);  // the menu's "WeakEnitty"
    void menuAttribute(int a);
    void menuMultAttribute(int a);
    void menuKey(int a);
    void menuRelationship();
    void menuWeakRelationship();

    // Enhanced ER. Joins `subclass` to `superclass` through a specialization or category circle:
    // the superclass line and the subclass line are drawn unless there already. A specialization
    // has one superclass, a category one subclass; a refusal is told and changes nothing.
    bool linkSubclass(int superclass, int circle, int subclass);
    // A specialization's subclasses may overlap ("o") or not ("d").
    void setOverlapping(int circle, bool overlapping);
    // Total or partial: the superclass line (specialization) or subclass line (category) doubled.
    void setTotalSpecialization(int circle, bool total);
    // Refuses 8B for a partial and 8C for an overlapping specialization, with a message.
    void setSubclassMapping(int circle, SubclassMapping mapping);
    // An attribute of the superclass, or 0 for none.
    void setDefiningAttribute(int circle, int attribute);
    // "Set Subclass": the superclass, then the circle, then the subclass, each among the
    // highlighted candidates; the last click joins them (linkSubclass). Sticky like the others.
    void startSubclassConnection(bool sticky = false);
    // The circle menu's "定義屬性...": asks for the name of one of the superclass's attributes
    // (empty for none) and sets it.
    void chooseDefiningAttribute(int circle);
    // The circle menu's "刪除": the circle goes with its superclass and subclass lines.
    void deleteSpecialization(int circle);

    // ---- Selection, dragging and connecting (connecting.cpp) ----
    // A sticky connect mode starts again after each connection it completes, until Cancel (or
    // Esc) ends it; each connection stays a step of its own.
    void startAttributeConnection(bool sticky = false);
    void startRelationshipConnection(bool sticky = false);
    // Left button down on element i at (x, y) inside it: records the grab point, then picks in a
    // running connect mode, or else selects the element (an element already selected keeps the
    // whole selection, so that a drag can move it).
    void elementLeftDown(int i, float x, float y);
    // A click on the bare drawing area: nothing stays selected.
    void clearSelection();
    // Ctrl+click on element i: a live element joins the selection, or leaves it if it was in it.
    void toggleSelected(int i);
    // A rubber band's result: the selection becomes exactly the live elements among these.
    void selectElements(const std::vector<int>& elements);
    // Every live element is selected.
    void selectAll();
    enum class Popup { None, Entity, Attribute, Relationship, Specialization };
    // Right button down on element i: sets ContextElement and the menu's check marks.
    Popup elementRightDown(int i);
    // Mouse over element i without the left button alone: fills the three hover texts.
    void elementHover(int i);
    // A dragged element dropped on the drawing area at (X, Y); connectors follow. When i is one
    // of two or more selected live elements, all of them move by i's offset, as one step.
    void dropElement(int i, float X, float Y);
    // The relationship connector whose main line's midpoint lies within 10 units on both axes of
    // (X, Y), the lowest index first; 0 when none.
    int connectorAt(float X, float Y) const;
    // The relationship connector whose main line passes nearest to (X, Y), no farther than
    // `tolerance`; the lowest index among equally near ones; 0 when none.
    int connectorNear(float X, float Y, float tolerance) const;
    // Right button down on the drawing area: on a hit sets CurrentLine and the "Description"
    // check; returns whether the Line menu opens. The midpoint rule (connectorAt) comes first;
    // with a tolerance, a click anywhere within it of a main line hits that connector too.
    bool drawingAreaRightDown(float X, float Y, float tolerance = 0);
    // Button "Cancel" (and Esc): also clears the selection.
    void cancel();

    // ---- Participation and description (participation.cpp), on relationship connector k ----
    void participation(int k);
    void description(int k);

    // ---- Element editing (editing.cpp), on element i ----
    enum class Menu { Entity, Attribute, Relationship };
    // Asks for a new name; an element whose size is not locked then fits it as Resize would.
    void rename(Menu menu, int i);
    // The caption typed in place on the drawing: the same change as an answered rename, one
    // step; an unchanged caption is no step.
    void renameElement(int i, const QString& caption);
    void lockSize(Menu menu, int i);
    void bigger(int i);
    void smaller(int i);
    void color(int i);

    // ---- Deletion (deletion.cpp) ----
    void deleteAttribute(int a);
    void deleteEntity(int e);
    void deleteRelationship(int r);
    void deleteConnector(int k);
    // The Delete key on element i: sets ContextElement, then the element menu's "Delete" for
    // its kind.
    void deleteElement(int i);
    // The Delete key. One selected element: as deleteElement. Several: every one the rules allow
    // is deleted, entities before the relationships they may keep from going, as one step; one
    // message then names those that stay and why.
    void deleteSelection();

    // ---- Copy, cut, paste and duplicate (pasting.cpp, fragment.h) ----
    // How far a paste or a duplicate lands from the originals when no pointer shows where.
    static constexpr QPointF kPasteStep{30, 30};
    // The fragment's elements and connectors as new ones moved by `offset`, one step ("貼上 3
    // 個元素"); an entity or relationship whose name is taken gets a fresh one (NAME_2, ...).
    // The pasted elements become the selection. Returns their indices; none (with a message)
    // when the diagram cannot hold them all.
    std::vector<int> pasteFragment(const Fragment& fragment, QPointF offset);
    // Ctrl+D: the selection pasted again beside itself.
    void duplicateSelection();
    // Ctrl+X after the window copied the selection: the selection deleted as one step, by the
    // rules of the Delete key.
    void cutSelection();

    // ---- Arranging the selection (arrangement.cpp) ----
    enum class Alignment { Left, Centre, Right, Top, Middle, Bottom };
    // The selected elements put on one edge or centre line of their bounding box, as one step.
    // Needs two live selected elements and no running connect mode; otherwise nothing happens.
    void alignSelection(Alignment alignment);
    // The selected elements, in the order of their centres, spread along `orientation` so that
    // the gaps between neighbours are equal; the first and the last stay. Needs three.
    void distributeSelection(Qt::Orientation orientation);
    bool canAlignSelection() const;
    bool canDistributeSelection() const;

    // ---- Automatic arrangement (arranging.cpp), each one step ----
    // The attributes of the selected elements' owners, with their parts, placed evenly around
    // them, clear of everything else (attributerings.h); with nothing selected, every owner's.
    void arrangeAttributes();
    // The whole diagram arranged (diagramlayout.h); with two or more elements selected, those and
    // the attributes of their owners.
    void arrangeDiagram();

    // ---- Window-wide commands (windowcommands.cpp) ----
    void resizeToCaptions();
    void repaintElements();
    // Bounding rectangle of the visible elements; empty when there is none.
    QRectF captureRect() const;

    // ---- Changes from outside the drawing (wholesale.cpp) ----
    // A loaded project takes the place of the diagram, every connector laid out afresh; connect
    // modes and menus start afresh. The diagram then is `project`, in the same step.
    void replaceDiagram(Document document, const ProjectIdentity& project = {});
    // The same for a project built by `build` from an empty document with this diagram's
    // templates. Unless a history keeps it for Undo, the old project's memory is given back
    // before the new one is built.
    void replaceDiagram(const std::function<Document(Document empty)>& build,
                        const ProjectIdentity& project = {});
    // Work recovered after a crash takes the place of the diagram, as a load does; participations
    // written in the other notation (`presentStyle`) are rewritten into the one in force.
    void restoreDiagram(Document document, int presentStyle, const ProjectIdentity& project = {});
    // Validation's default participation "0,N" on each of the connectors, each laid out again so
    // the label sits where a label of that text belongs.
    void applyDefaultParticipations(const std::vector<int>& connectors);
    // The options dialog's settings, put in force on what is drawn: labels move to their new
    // side, participations change notation, colours change (see options.h); new elements take
    // the insets.
    void applySettings(const ProgramSettings& settings, const TemplateInsets& insets);
    // The stored settings put in force as the program starts, before anything is drawn: the
    // settings, the template's insets, the template lines in the relationship colour and the
    // project name typed last. No step: they are where the program starts from.
    void putSettingsInForce(const DiagramSettings& values);
    // The values to store as the program ends.
    DiagramSettings settingsInForce() const;
    // The one place the diagram's project is named: `identity` (what the caption names, and
    // the stored project and store Save replaces without asking) and `typedName` (the project
    // name typed last for a save or a load, which Load offers and the settings keep); one left
    // out stays as it is. No step of its own: inside a load it belongs to the load's step, and
    // a save is no step.
    void nameProject(const std::optional<ProjectIdentity>& identity,
                     const std::optional<QString>& typedName = std::nullopt);

    // ---- Connector layout from the connectors' ends (layout.cpp) ----
    // Lays connector k out: the recursive layout when its main line is dotted, then the second
    // line when it is shown.
    void layoutConnector(int k);
    // Every live connector with element i at one end.
    void layoutConnectorsOf(int i);
    void layoutAllConnectors();

private:
    friend class CommandScope;

    // A relationship connector from entity `first` to relationship `second`, laid out and showing
    // its (still empty) participation label: returns the new index (0 when full).
    int createConnector(int first, int second);
    // A superclass or subclass line from `entity` to `circle`; 0 when full.
    int createClassLink(ConnectorKind kind, int entity, int circle);
    // Shows or hides the double line of class link k as its circle's Total says.
    void showTotal(int k);
    // Ends the running connect mode after a completed connection; a sticky one starts again after
    // the click's command.
    void finishMode();
    // Relationship r, when one weak entity among its participants can be identified by it,
    // becomes that entity's identifying relationship (as the identifying pick makes it).
    void identifySelectedRelationship(int r);
    void setToolbarEnabled(bool on);
    // The running mode becomes `mode`, waiting for the click `prompt` asks for, with the toolbar
    // off and nothing selected; the candidates are marked already.
    void beginConnectMode(ConnectMode mode, const QString& prompt, bool sticky);
    // Every entity becomes a candidate, and nothing else.
    void markEntitiesAsCandidates();
    // The first live relationship connector after index `after` joining first to second; 0 when
    // none.
    int connectorBetween(int first, int second, int after = 0) const;
    // Whether relationship r can become the identifying relationship of weak entity w without
    // any of the additions failing.
    bool canIdentify(int w, int r) const;
    // Whether entity f can become a further participant of relationship r.
    bool canJoin(int r, int f) const;
    void addOwnerToWeakEntitiesOf(int r, int e);
    // A connect mode whose pick or pending connector is gone is cancelled.
    void endModeOnDeletedPick();
    // Runs the attribute deletion on every attribute of `owner`, first to last.
    void deleteAttributesOf(int owner);
    // Several selected elements deleted together (see deleteSelection).
    void deleteSeveral(const std::set<int>& chosen);
    // The live selected elements when i is one of at least two of them; empty otherwise.
    std::vector<int> groupOf(int i) const;
    // Puts element `anchor` of `group` at (left, top) and moves the others by the same offset,
    // then lays each of their connectors out once.
    void moveGroup(const std::vector<int>& group, int anchor, float left, float top);
    // Lays out once every live connector with one of `elements` at an end.
    void layoutConnectorsOfAll(const std::vector<int>& elements);
    // The live elements of the selection, by index.
    std::vector<int> liveSelection() const;
    // Moves the arranged elements to their places and lays out the connectors of those that moved.
    void applyLayoutPlan(const LayoutPlan& plan);
    // Element i, unless its size is locked or it is hidden, takes the size its caption needs.
    void fitToCaption(int i);

    // elementLeftDown as one command, without the restart of a sticky mode.
    void pickElement(int i, float x, float y);
    // The picks of the connect modes.
    void pickOwner(int o);
    void pickAttribute(int a);
    void pickFirstEntity(int e);
    void pickRelationship(int r);
    void pickSecondEntity(int f);
    void pickIdentifyingRelationship(int r);
    void pickSuperclass(int e);
    void pickSpecializationCircle(int circle);
    void pickSubclass(int e);
    // The circles whose defining attribute is attribute a, which is about to go, forget it.
    void forgetDefiningAttribute(int a);

    // Names the running command's step for the Edit menu ("刪除 EMPLOYEE"); the first name given
    // during a command stands.
    void nameStep(const QString& label);
    // Where createElement puts a new element of `size`; `previous` is the entry before it.
    QPointF newElementPlace(const Element& previous, const QSizeF& size) const;

    Diagram& d_;
    Prompts& prompts_;
    History* history_ = nullptr;
    QString stepLabel_;
    // The sticky connect mode a completed connection ended, to start again after its step.
    ConnectMode restartAfterPick_ = ConnectMode::None;
    // Connectors of relationship connections given up after their first link: they stay drawn
    // with no relation behind them. Known to the consistency check of debug builds.
    std::vector<int> abandoned_;
    // Whether the running command put another document in place (debug builds do not hold
    // loaded data to the commands' consistency).
    bool replaced_ = false;
};
