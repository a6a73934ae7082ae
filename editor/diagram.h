#pragma once

#include <QFont>
#include <QObject>
#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

#include "collection.h"
#include "olecolor.h"

// Element kinds: the shape code of the element's outline.
enum ElementKind : int {
    KindEntity = 0,
    KindWeakEntity = 1,
    KindAttribute = 2,
    KindMultAttribute = 3,
    KindRelationship = 4,
    KindWeakRelationship = 5,
};

// Connector line styles.
constexpr qint16 kLineSolid = 1;
constexpr qint16 kLineDotted = 3;

// Program-wide settings the editor, converter and store read. Held in memory while the program
// runs; the settings store loads and saves them.
struct ProgramSettings {
    qint16 PresentStyle = 1;  // 1 enhanced mode (min,max notation), 0 textbook mode
    qint16 MNPosition = 1;    // 0 participation label near the entity, else near the relationship
    qint16 FKPK = 1;          // 1 elbowed foreign-key arrows, 0 straight
    qint16 DoubleLineWidth = 5;
    OleColor SelectedColor = 16711680;  // blue
    OleColor CandidateColor = 255;      // red
    OleColor AttLineColor = 16744576;
    OleColor RelLineColor = 8421631;
    OleColor WindowBackColor = 0xF0F0F0;  // the main window's background; not stored

    bool enhancedMode() const { return PresentStyle == 1; }
};

// One diagram element: what the shape control shows plus the host's extender data.
struct Element {
    float Shape = KindEntity;  // the kind code, compared exactly
    QString Caption;
    OleColor BackColor = 0xC0C0FF;
    OleColor ForeColor = kSystemWindowText;
    QString Tag;  // the own colour as decimal text while highlighted; empty if never highlighted
    QFont Font;   // underlined caption: a key attribute
    qint16 BorderStyle = 0;
    bool IsSizeLock = false;
    bool Visible = false;
    float Left = 0, Top = 0, Width = 0, Height = 0;
    qint32 RecWidth = 0, EllWidth = 0, DiaWidth = 0;
    // Shared with the element's shape control, which holds the same objects.
    std::shared_ptr<Collection> AttributeList, RelationList, RelativeEntityList, PrimaryEntityList,
        WeakRelationList, WeakEntityList;

    bool is(int kind) const { return Shape == float(kind); }
    bool isEntityKind() const { return is(KindEntity) || is(KindWeakEntity); }
    bool isAttributeKind() const { return is(KindAttribute) || is(KindMultAttribute); }
    bool isRelationshipKind() const { return is(KindRelationship) || is(KindWeakRelationship); }
    bool underlined() const { return Font.underline(); }
    void setUnderlined(bool on) { Font.setUnderline(on); }

    // Gives the element six new, empty collections.
    void newCollections();
};

struct Line {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    OleColor BorderColor = 0;
    qint16 BorderStyle = kLineSolid;
    bool Visible = false;
    QString Tag;  // "a,b": two element indices joined by one comma

    bool dotted() const { return BorderStyle == kLineDotted; }
};

// A text label sized to its caption.
struct Label {
    QString Caption;
    float Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = false;
};

// Connector k: the main line, the parallel second line, the participation label and the role label.
struct Connector {
    Line Line1;
    Line Line2;
    Label MN;
    Label Description;
};

// Window-level state shared by the editing commands.
struct WindowState {
    float ConnectMode = 0;
    qint16 ContextElement = 0;
    qint16 FirstPick = 0;
    qint16 RelationPick = 0;
    qint16 CurrentLine = 0;
    float GrabX = 0, GrabY = 0;
    // The first connector of a relationship connection waiting for its second entity (mode 5).
    // Kept apart from CurrentLine, which the Line menu retargets while the mode runs.
    qint16 PendingLine = 0;
};

// Check marks of the element and Line menus. The kind commands read and flip them, so they are
// state of the window, not of the widgets that show them.
struct MenuChecks {
    bool Entity = false, WeakEntity = false, EntityLockSize = false;
    bool Attribute = false, MultAttribute = false, Key = false, AttributeLockSize = false;
    bool Relationship = false, WeakRelationship = false, RelationshipLockSize = false;
    bool DescriptionEnabled = false;  // Line menu: "Description" only on dotted connectors
};

// What the main window shows around the canvas, driven by the commands.
struct ViewState {
    QString prompt;    // the connect mode's prompt, StatusBar2 panel 1
    QString hover[3];  // StatusBar1 panels 1-3
    bool legendVisible = false;
    bool toolbarEnabled = true;
    QString projectName;  // the current project name: last typed for a save or a load
    QString captionName;  // the project name the window caption shows (set by start-up and load)
};

// The diagram document: elements indexed 1, 2, ... (0 is the hidden template), connectors indexed
// the same way, and the window state. Indices are never reused; deletion only hides. The model
// needs no widget: views listen to its change signals.
class Diagram : public QObject {
    Q_OBJECT
public:
    static constexpr int kLargestIndex = 32767;

    Diagram();

    // Elements. elementCount() includes the template and hidden entries.
    int elementCount() const { return int(elements_.size()); }
    Element& element(int i) { return elements_[size_t(i)]; }
    const Element& element(int i) const { return elements_[size_t(i)]; }
    bool isElement(int i) const { return i >= 1 && i < elementCount(); }
    bool isLiveElement(int i) const { return isElement(i) && element(i).Visible; }
    // Loads the next entry as a hidden copy of the template with new collections; returns its
    // index, or 0 when the index would pass the largest element index.
    int loadElement();

    // Connectors. connectorCount() includes the template 0.
    int connectorCount() const { return int(connectors_.size()); }
    Connector& connector(int k) { return connectors_[size_t(k)]; }
    const Connector& connector(int k) const { return connectors_[size_t(k)]; }
    bool isConnector(int k) const { return k >= 1 && k < connectorCount(); }
    bool isLiveConnector(int k) const { return isConnector(k) && connector(k).Line1.Visible; }
    // Loads the four members of the next connector from their templates; 0 when full.
    int loadConnector();

    // The settings in force and the window state.
    ProgramSettings settings;
    WindowState state;
    MenuChecks checks;
    ViewState view;

    // Colour conventions.
    bool isRelationshipConnector(int k) const {
        return connector(k).Line1.BorderColor == settings.RelLineColor;
    }
    bool isAttributeConnector(int k) const {
        return connector(k).Line1.BorderColor == settings.AttLineColor;
    }
    // Stores i's colour in its Tag, then shows it in `colour`.
    void highlight(int i, OleColor colour);
    // Sets i's colour back to the number in its Tag; without a saved colour nothing changes.
    void restore(int i);

    // Sets a label's caption and sizes the label to it.
    void setLabelCaption(Label& label, const QString& caption);
    QSizeF labelSize(const QString& caption) const;
    QFont labelFont() const { return labelFont_; }
    // Label sizes are held in drawing units. The view says how many units one pixel of label
    // text spans (1 while the drawing area counts in pixels); every label is measured again.
    void setLabelUnits(double unitsPerPixelX, double unitsPerPixelY);

    // Empties the diagram back to its templates (indices start again at 1) and zeroes the window
    // state; the settings stay.
    void clear();

    // Change notifications for views.
    void notifyElement(int i) { Q_EMIT elementChanged(i); }
    void notifyConnector(int k) { Q_EMIT connectorChanged(k); }
    void notifyView() { Q_EMIT viewChanged(); }

Q_SIGNALS:
    void elementChanged(int index);
    void connectorChanged(int index);
    void viewChanged();
    void reset();

private:
    void loadTemplates();

    std::vector<Element> elements_;
    std::vector<Connector> connectors_;
    QFont labelFont_;
    double labelUnitsX_ = 1, labelUnitsY_ = 1;
};

// Two element indices joined by a comma, as connector tags hold them.
QString makeTag(int first, int second);

// The two element indices of a connector tag, read as numbers without allocating; a half that
// is not a number reads as 0. Layout loops run this over every connector.
struct TagEnds {
    int first = 0;
    int second = 0;
};
TagEnds tagEnds(const QString& tag);
