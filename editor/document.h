#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>
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
    // Enhanced ER: a specialization circle (marked "d" disjoint or "o" overlapping) between one
    // superclass and its subclasses, and a category circle (marked "∪") between several
    // superclasses and the one subclass that is their union.
    KindSpecialization = 6,
    KindCategory = 7,
};

// How a specialization becomes relations (the textbook's options 8A to 8D).
enum class SubclassMapping : qint8 {
    SuperclassAndSubclasses = 0,  // 8A: a relation per class, subclasses keyed by the superclass key
    SubclassesOnly = 1,           // 8B: a relation per subclass with the inherited attributes
    OneTypeAttribute = 2,         // 8C: one relation with one type attribute (disjoint only)
    TypeFlags = 3,                // 8D: one relation with a Boolean flag per subclass
};

// Connector line styles.
constexpr qint16 kLineSolid = 1;
constexpr qint16 kLineDotted = 3;

// One diagram element: the shape, caption and colours drawn for it plus the editor's data.
struct Element {
    float Shape = KindEntity;  // the kind code, compared exactly
    QString Caption;
    OleColor BackColor = 0xC0C0FF;
    OleColor ForeColor = kSystemWindowText;
    QFont Font;  // underlined caption: a key attribute
    qint16 BorderStyle = 0;
    bool IsSizeLock = false;
    bool Visible = false;
    float Left = 0, Top = 0, Width = 0, Height = 0;
    qint32 RecWidth = 0, EllWidth = 0, DiaWidth = 0;
    Collection AttributeList, RelationList, RelativeEntityList, PrimaryEntityList, WeakRelationList,
        WeakEntityList;
    // Specialization and category circles only. Whether the subclasses may overlap (the caption
    // is the mark drawn: "d" or "o"); whether every superclass entity belongs to a subclass
    // (specialization) or every subclass entity to one superclass (category), drawn as a double
    // line; how a specialization is mapped; the superclass attribute whose value decides the
    // subclass (a predicate-defined specialization), 0 for none.
    bool Overlapping = false;
    bool Total = false;
    SubclassMapping Mapping = SubclassMapping::SuperclassAndSubclasses;
    qint16 DefiningAttribute = 0;

    bool is(int kind) const { return Shape == float(kind); }
    bool isEntityKind() const { return is(KindEntity) || is(KindWeakEntity); }
    bool isAttributeKind() const { return is(KindAttribute) || is(KindMultAttribute); }
    bool isRelationshipKind() const { return is(KindRelationship) || is(KindWeakRelationship); }
    bool isSpecializationKind() const { return is(KindSpecialization) || is(KindCategory); }
    bool underlined() const { return Font.underline(); }
    void setUnderlined(bool on) { Font.setUnderline(on); }

    // Empties the six collections.
    void newCollections();

    friend bool operator==(const Element&, const Element&) = default;
};

struct Line {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    OleColor BorderColor = 0;
    qint16 BorderStyle = kLineSolid;
    bool Visible = false;

    bool dotted() const { return BorderStyle == kLineDotted; }

    friend bool operator==(const Line&, const Line&) = default;
};

// A text label sized to its caption. Sizes are drawing units, measured once with the label font
// at one unit per pixel, whatever scale or zoom a view shows them at.
struct Label {
    QString Caption;
    float Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = false;

    friend bool operator==(const Label&, const Label&) = default;
};

// What a connector joins: an owner to its attribute, or an entity to a relationship. Fixed when
// the connector is made, with its two ends; the line colours only show it.
// Enhanced ER: a superclass to a specialization or category circle, a subclass to one.
enum class ConnectorKind : qint8 { None, Attribute, Relationship, Superclass, Subclass };

// Connector k: the main line, the parallel second line, the participation label and the role label.
struct Connector {
    Line Line1;
    Line Line2;
    Label MN;
    Label Description;
    ConnectorKind kind = ConnectorKind::None;
    // Its two ends, as element indices: the owner or entity first, the attribute, relationship or
    // circle second. Both lines run between them.
    qint16 first = 0;
    qint16 second = 0;

    bool isAttribute() const { return kind == ConnectorKind::Attribute; }
    bool isRelationship() const { return kind == ConnectorKind::Relationship; }
    bool isClassLink() const {
        return kind == ConnectorKind::Superclass || kind == ConnectorKind::Subclass;
    }
    bool joins(int a, int b) const { return first == a && second == b; }

    friend bool operator==(const Connector&, const Connector&) = default;
};

// The font participation and role labels are drawn with, and a caption's size in it.
QFont labelFont();
QSizeF labelSize(const QString& caption);
// Sets a label's caption and sizes the label to it.
void setLabelCaption(Label& label, const QString& caption);

// What a project is: elements indexed 1, 2, ... (0 is the hidden template new ones copy) and
// connectors indexed the same way. Indices are never reused; deletion only hides. A plain value:
// copies are independent, and cheap, as the collections share their entries until changed.
class Document {
public:
    static constexpr int kLargestIndex = 32767;

    Document();

    // Elements. elementCount() includes the template and hidden entries.
    int elementCount() const { return int(elements_.size()); }
    Element& element(int i) { return elements_[size_t(i)]; }
    const Element& element(int i) const { return elements_[size_t(i)]; }
    bool isElement(int i) const { return i >= 1 && i < elementCount(); }
    bool isLiveElement(int i) const { return isElement(i) && element(i).Visible; }
    // Loads the next entry as a hidden copy of the template with empty collections; returns its
    // index, or 0 when the index would pass the largest element index.
    int loadElement();

    // Connectors. connectorCount() includes the template 0.
    int connectorCount() const { return int(connectors_.size()); }
    Connector& connector(int k) { return connectors_[size_t(k)]; }
    const Connector& connector(int k) const { return connectors_[size_t(k)]; }
    bool isConnector(int k) const { return k >= 1 && k < connectorCount(); }
    bool isLiveConnector(int k) const { return isConnector(k) && connector(k).Line1.Visible; }
    // Loads the next connector from the template, of `kind` from element `first` to `second`;
    // 0 when full.
    int loadConnector(ConnectorKind kind, int first, int second);

    // Every connector, live or hidden, with element i at one of its ends, lowest index first.
    const std::vector<int>& connectorsOf(int i) const;
    // Whether element i is a partial key: a live attribute marked as a key whose owner is a weak
    // entity. It identifies the weak entity only together with its owner's key, and is drawn
    // with a dashed underline.
    bool isPartialKey(int i) const;

    // Back to the templates alone: indices start again at 1.
    void clear();
    // A document with this one's templates and nothing else.
    Document emptyCopy() const;

    // For taking steps back and forth: drops the entries from the given counts on (the template
    // stays), and appends an entry as it was (a connector indexed under its ends again).
    void truncate(int elementCount, int connectorCount);
    void appendElement(const Element& element);
    void appendConnector(const Connector& connector);

private:
    std::vector<Element> elements_;
    std::vector<Connector> connectors_;
    // Index: element -> the connectors ending on it. Ends never change, so it only grows.
    std::vector<std::vector<int>> connectorsOf_;
};
