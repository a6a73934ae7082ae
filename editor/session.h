#pragma once

#include <QRectF>
#include <QString>
#include <algorithm>
#include <set>
#include <vector>

// What the editing session holds beside the document: the state the connect modes live in across
// clicks, the menus' check marks, and what the window shows around the drawing. None of it is
// stored with a project.

// The running connect mode, by what its next click picks. The numbers are the mode codes the
// commands have always used (0 for none).
enum class ConnectMode : qint8 {
    None = 0,
    AttributeOwner = 1,           // "Set Attribute": the owner of the attribute
    Attribute = 2,                // the attribute
    FirstEntity = 3,              // "Set Relationship": the first entity
    Relationship = 4,             // the relationship
    SecondEntity = 5,             // the second entity (the first connector is drawn already)
    IdentifyingRelationship = 6,  // a weak entity's identifying relationship
    Superclass = 7,               // "Set Subclass": the superclass entity
    SpecializationCircle = 8,     // the specialization or category circle
    Subclass = 9,                 // the subclass entity
};

// How a connect mode marks an element: as one its next click may pick, or as one picked.
enum class Highlight : qint8 { None, Candidate, Selected };

// The elements a connect mode marks, by element index. They are no part of the document: the
// canvas shows a marked element in the settings' highlight colour instead of its own.
class Highlights {
public:
    Highlight of(int i) const {
        return i >= 0 && size_t(i) < marks_.size() ? marks_[size_t(i)] : Highlight::None;
    }
    void set(int i, Highlight mark) {
        if (i < 0) return;
        if (size_t(i) >= marks_.size()) {
            if (mark == Highlight::None) return;
            marks_.resize(size_t(i) + 1, Highlight::None);
        }
        marks_[size_t(i)] = mark;
    }
    // Marks elements 1 to count - 1 alike.
    void markAll(int count, Highlight mark) {
        marks_.assign(size_t(std::max(count, 1)), mark);
        marks_[0] = Highlight::None;
    }
    void clear() { marks_.clear(); }
    bool empty() const { return marks_.empty(); }
    // One past the highest index that may be marked.
    int size() const { return int(marks_.size()); }

    friend bool operator==(const Highlights&, const Highlights&) = default;

private:
    std::vector<Highlight> marks_;
};

// Window-level state shared by the editing commands.
struct WindowState {
    ::ConnectMode ConnectMode = ::ConnectMode::None;
    qint16 ContextElement = 0;
    qint16 FirstPick = 0;
    qint16 RelationPick = 0;
    qint16 CurrentLine = 0;
    float GrabX = 0, GrabY = 0;
    // The first connector of a relationship connection waiting for its second entity.
    // Kept apart from CurrentLine, which the Line menu retargets while the mode runs.
    qint16 PendingLine = 0;
    // The running "Set Attribute" or "Set Relationship" starts again after each connection.
    bool StickyConnect = false;
};

// Check marks of the element and Line menus. The kind commands read and flip them, so they are
// state of the window, not of the widgets that show them.
struct MenuChecks {
    bool Entity = false, WeakEntity = false, EntityLockSize = false;
    bool Attribute = false, MultAttribute = false, Key = false, AttributeLockSize = false;
    bool Relationship = false, WeakRelationship = false, RelationshipLockSize = false;
    bool DescriptionEnabled = false;  // Line menu: "Description" only on dotted connectors
};

// Which project the diagram is. Taking back a load or a new diagram takes it back too, and crash
// recovery keeps it.
struct ProjectIdentity {
    QString name;  // what the caption names; empty for a diagram that has none yet (「未命名」)
    // The stored project the diagram was loaded from or last saved as in this window, and the
    // store (its database URL) that holds it; empty when it has none. Save replaces that project
    // without asking; any other stored project is asked for first.
    QString stored;
    QString store;
    bool draft = false;  // `stored` was stored as a draft, which may not pass validation

    friend bool operator==(const ProjectIdentity&, const ProjectIdentity&) = default;
};

// What the main window shows around the canvas, driven by the commands.
struct ViewState {
    QString prompt;    // the connect mode's prompt, StatusBar2 panel 1
    QString hover[3];  // StatusBar1 panels 1-3
    bool legendVisible = false;
    bool toolbarEnabled = true;
    QString projectName;  // the project name last typed for a save or a load (Load offers it)
    ProjectIdentity project;
    // The selected elements, which commands such as the Delete key act on. A left click selects
    // the element clicked.
    std::set<int> selection;
    // The elements the running connect mode marks; empty while none runs.
    Highlights highlights;
    // The drawing rectangle the window shows, less the places its buttons cover; new elements go
    // to a free place inside it. Empty without a window.
    QRectF visibleArea;
};

struct EditingSession {
    WindowState state;
    MenuChecks checks;
    ViewState view;
};
