#include "projectbuilder.h"

#include <QSet>
#include <algorithm>
#include <utility>

#include "classlinks.h"
#include "listorders.h"

namespace {

QString key(int index) {
    return QString::number(index);
}

// The table an element row comes from, which decides the kinds it may hold.
enum class ElementTable { EntityType, Attribute, Specialization };

bool contains(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// Builds the project into an empty document with the templates of the diagram it is loaded into,
// reading that diagram's settings.
class DiagramBuilder {
public:
    DiagramBuilder(Document empty, const ProgramSettings& settings)
        : d_(std::move(empty)), settings_(settings) {}

    Document takeDocument() { return std::move(d_); }

    // The number of rows left out; nullopt when `progress` stopped the build.
    std::optional<int> build(const ProjectRows& rows, Progress* progress = nullptr) {
        progress_ = progress;
        draft_ = rows.draft;
        total_ = qint64(rows.entityTypes.size() + 2 * rows.attributes.size() + rows.invokes.size() +
                        rows.owners.size() + rows.circles.size() + rows.classLinks.size());
        for (const auto& row : rows.entityTypes) {
            addElement(row, ElementTable::EntityType);
            if (!step()) return std::nullopt;
        }
        for (const auto& row : rows.circles) {
            addCircle(row);
            if (!step()) return std::nullopt;
        }
        std::vector<const ProjectRows::ElementRow*> attributes;
        for (const auto& row : rows.attributes) {
            if (addElement(row, ElementTable::Attribute)) attributes.push_back(&row);
            if (!step()) return std::nullopt;
        }
        for (const auto* row : attributes) {
            linkAttribute(*row);
            if (!step()) return std::nullopt;
        }
        std::vector<ProjectRows::InvokeRow> invokes = rows.invokes;
        orderInvokeRows(invokes, rows.orders);
        for (const auto& row : invokes) {
            addInvoke(row);
            if (!step()) return std::nullopt;
        }
        for (const auto& row : rows.classLinks) {
            addClassLink(row);
            if (!step()) return std::nullopt;
        }
        checkDefiningAttributes();
        for (const auto& row : rows.owners) addOwner(row);
        deriveMissingOwners();
        applyListOrders(d_, rows.orders);
        return skipped_;
    }

private:
    // One row done; false when the user asked to stop. Progress hears of every 256th row.
    bool step() {
        ++done_;
        return done_ % 256 != 0 || proceed(progress_, done_, total_);
    }

    // Loads entries up to index n; false when n is no element index.
    bool reach(int n) {
        if (n < 1 || n > Diagram::kLargestIndex) return false;
        while (n >= d_.elementCount())
            if (d_.loadElement() == 0) return false;
        return true;
    }

    // False when the row is left out.
    bool addElement(const ProjectRows::ElementRow& row, ElementTable table) {
        const bool attribute = table == ElementTable::Attribute;
        bool validKind = false;
        if (table == ElementTable::EntityType)
            validKind = row.kind == KindEntity || row.kind == KindWeakEntity ||
                        row.kind == KindRelationship || row.kind == KindWeakRelationship;
        else if (attribute)
            validKind = row.kind == KindAttribute || row.kind == KindMultAttribute;
        else
            validKind = row.kind == KindSpecialization || row.kind == KindCategory;
        // An index stored twice (in both tables, say) keeps its first row.
        if (!validKind || !reach(row.index) || d_.element(row.index).Visible) {
            ++skipped_;
            return false;
        }
        const Element& tmpl = d_.element(0);
        Element& e = d_.element(row.index);
        // A circle has no inset to take.
        if (attribute) {
            e.EllWidth = tmpl.EllWidth;
        } else if (table == ElementTable::EntityType) {
            e.RecWidth = tmpl.RecWidth;
            e.DiaWidth = tmpl.DiaWidth;
        }
        // The entry is a copy of the template: a value that could not be read keeps the
        // template's (counted by the reader), the element keeps everything else.
        e.Caption = row.caption;
        e.BackColor = row.colour.value_or(e.BackColor);
        e.Left = row.left.value_or(e.Left);
        e.Top = row.top.value_or(e.Top);
        e.Width = row.width.value_or(e.Width);
        e.Height = row.height.value_or(e.Height);
        e.Shape = float(row.kind);
        e.setUnderlined(attribute && row.key);
        e.Visible = true;
        loaded_.insert(row.index);
        return true;
    }

    bool isLoaded(int i) const { return loaded_.contains(i); }

    // A choice the editor refuses (8B for a partial specialization, 8C for an overlapping one,
    // either for a category) is read as the default mapping and counted as left out.
    void addCircle(const ProjectRows::CircleRow& row) {
        if (!addElement(row.element, ElementTable::Specialization)) return;
        Element& circle = d_.element(row.element.index);
        circle.Overlapping = row.overlapping;
        circle.Total = row.total;
        circle.Mapping = row.mapping;
        circle.DefiningAttribute = qint16(row.definingAttribute);
        const bool refused = (row.mapping == SubclassMapping::SubclassesOnly &&
                              (!row.total || isCategory(circle))) ||
                             (row.mapping == SubclassMapping::OneTypeAttribute &&
                              (row.overlapping || isCategory(circle)));
        if (refused) {
            circle.Mapping = SubclassMapping::SuperclassAndSubclasses;
            ++skipped_;
        }
    }

    static bool isCategory(const Element& circle) { return circle.is(KindCategory); }

    // A line from an entity to a circle, as linking classes draws it: a specialization has one
    // superclass, a category one subclass, and an entity is joined to a circle once.
    void addClassLink(const ProjectRows::ClassLinkRow& row) {
        const int circle = row.circle, entity = row.entity;
        if (!isLoaded(circle) || !isLoaded(entity) || !d_.element(entity).isEntityKind() ||
            !d_.element(circle).isSpecializationKind()) {
            ++skipped_;
            return;
        }
        const ClassLinks links = classLinksOf(d_, circle);
        const bool category = isCategory(d_.element(circle));
        const bool single = category ? !row.superclass : row.superclass;
        const bool taken =
            single && !(row.superclass ? links.superclasses : links.subclasses).empty();
        if (taken || contains(links.superclasses, entity) || contains(links.subclasses, entity)) {
            ++skipped_;
            return;
        }
        const ConnectorKind kind =
            row.superclass ? ConnectorKind::Superclass : ConnectorKind::Subclass;
        const int k = newConnector(kind, entity, circle, settings_.RelLineColor);
        if (k == 0) {
            ++skipped_;
            return;
        }
        d_.connector(k).Line2.Visible =
            d_.element(circle).Total && carriesTotal(d_.element(circle), kind);
    }

    // A defining attribute is an attribute of the project; one that is not there defines nothing.
    void checkDefiningAttributes() {
        for (int i : loaded_) {
            Element& circle = d_.element(i);
            const int a = circle.DefiningAttribute;
            if (!circle.isSpecializationKind() || a == 0) continue;
            if (!isLoaded(a) || !d_.element(a).isAttributeKind()) {
                circle.DefiningAttribute = 0;
                ++skipped_;
            }
        }
    }

    int newConnector(ConnectorKind kind, int first, int second, OleColor colour) {
        const int k = d_.loadConnector(kind, first, second);
        if (k == 0) return 0;
        Connector& c = d_.connector(k);
        c.Line1.BorderColor = colour;
        c.Line1.BorderStyle = kLineSolid;
        c.Line1.Visible = true;
        c.Line2.BorderColor = colour;
        c.Line2.BorderStyle = kLineSolid;
        c.Line2.Visible = false;
        setLabelCaption(c.MN, QString());
        c.MN.Visible = false;
        setLabelCaption(c.Description, QString());
        c.Description.Visible = false;
        return k;
    }

    void linkAttribute(const ProjectRows::ElementRow& row) {
        const int a = row.index, o = row.owner;
        // A draft keeps an attribute that has no owner yet under owner 0.
        if (draft_ && o == 0) return;
        if (!isLoaded(o) || o == a || d_.element(o).AttributeList.containsKey(key(a))) {
            ++skipped_;
            return;
        }
        const int k = newConnector(ConnectorKind::Attribute, o, a, settings_.AttLineColor);
        if (k == 0) {
            ++skipped_;
            return;
        }
        d_.element(a).RelativeEntityList.add(qint16(o));
        d_.element(o).AttributeList.add(qint16(a), key(a));
    }

    void addInvoke(const ProjectRows::InvokeRow& row) {
        const int e = row.entity, r = row.relationship;
        if (!isLoaded(e) || !isLoaded(r) || !d_.element(e).isEntityKind() ||
            !d_.element(r).isRelationshipKind()) {
            ++skipped_;
            return;
        }
        Element& entity = d_.element(e);
        Element& relationship = d_.element(r);
        // The second connector of a recursive pair files the entity again under "e_2", as
        // drawing the pair does; the entity lists the relationship once.
        const QString entityKey = row.is2nd ? key(e) + QStringLiteral("_2") : key(e);
        if (!row.detached && relationship.RelativeEntityList.containsKey(entityKey)) {
            ++skipped_;
            return;
        }
        const int k = newConnector(ConnectorKind::Relationship, e, r, settings_.RelLineColor);
        if (k == 0) {
            ++skipped_;
            return;
        }
        if (!row.detached) {
            relationship.RelativeEntityList.add(qint16(e), entityKey);
            if (!entity.RelationList.containsKey(key(r)))
                entity.RelationList.add(qint16(r), key(r));
        }

        Connector& c = d_.connector(k);
        if (settings_.PresentStyle != 0) {
            c.Line2.Visible = row.isWeak;
            setLabelCaption(c.MN, row.min.isEmpty() || row.max.isEmpty()
                                      ? QString()
                                      : row.min + QLatin1Char(',') + row.max);
        } else {
            c.Line2.Visible = row.min == QLatin1String("1");
            setLabelCaption(c.MN, row.max);
        }
        c.MN.Visible = true;
        if (!row.description.isEmpty()) {
            setLabelCaption(c.Description, row.description);
            c.Description.Visible = true;
        }

        if (row.is2nd) {
            makeDotted(c);
            // Its partner is the connector just before it when that one joins the same two
            // elements as a first connector; otherwise it stays a lone dotted connector.
            if (lastFirst_.k == k - 1 && lastFirst_.e == e && lastFirst_.r == r)
                makeDotted(d_.connector(k - 1));
        } else {
            lastFirst_ = {k, e, r};
            if (row.isWeak && c.Line2.Visible && entity.is(KindWeakEntity) &&
                relationship.is(KindWeakRelationship)) {
                entity.WeakRelationList.add(qint16(r), key(r));
                identifyingLinks_.push_back({e, r});
            }
        }
    }

    static void makeDotted(Connector& c) {
        c.Line1.BorderStyle = kLineDotted;
        if (c.Line2.Visible) c.Line2.BorderStyle = kLineDotted;
    }

    void addOwner(const ProjectRows::OwnerRow& row) {
        if (!isLoaded(row.owner) || !isLoaded(row.weakEntity) ||
            !d_.element(row.weakEntity).PrimaryEntityList.add(qint16(row.owner), key(row.owner))) {
            ++skipped_;
            return;
        }
        weakEntitiesWithOwners_.insert(row.weakEntity);
    }

    // Owners are stored only in enhanced mode. A weak entity without stored owners gets them
    // from its identifying relationships, as designating it did: every other entity of each.
    void deriveMissingOwners() {
        for (const auto& [w, r] : identifyingLinks_) {
            if (weakEntitiesWithOwners_.contains(w)) continue;
            Collection& owners = d_.element(w).PrimaryEntityList;
            for (const qint16 x : d_.element(r).RelativeEntityList.items())
                if (x != w && !owners.containsKey(key(x))) owners.add(x, key(x));
        }
    }

    struct FirstOfPair {
        int k = 0, e = 0, r = 0;
    };

    Document d_;
    const ProgramSettings settings_;
    QSet<int> loaded_;
    QSet<int> weakEntitiesWithOwners_;
    FirstOfPair lastFirst_;
    std::vector<std::pair<int, int>> identifyingLinks_;
    int skipped_ = 0;
    bool draft_ = false;
    Progress* progress_ = nullptr;
    qint64 done_ = 0, total_ = 0;
};

}  // namespace

int buildDiagram(Editor& editor, const ProjectRows& rows, const ProjectIdentity& project) {
    int skipped = 0;
    const ProgramSettings settings = editor.diagram().settings;
    editor.replaceDiagram(
        [&](Document empty) {
            DiagramBuilder builder(std::move(empty), settings);
            skipped = *builder.build(rows);
            return builder.takeDocument();
        },
        project);
    return skipped + rows.unreadableRows + rows.unreadableValues;
}

std::optional<int> buildDiagram(Editor& editor, const ProjectRows& rows, Progress& progress,
                                const ProjectIdentity& project) {
    // Built aside, so that a stop leaves the editor's diagram as it was.
    DiagramBuilder builder(editor.diagram().document().emptyCopy(), editor.diagram().settings);
    const std::optional<int> skipped = builder.build(rows, &progress);
    if (!skipped) return std::nullopt;
    editor.replaceDiagram(builder.takeDocument(), project);
    return *skipped + rows.unreadableRows;
}

Document buildDocument(Document empty, const ProgramSettings& settings, const ProjectRows& rows) {
    DiagramBuilder builder(std::move(empty), settings);
    builder.build(rows);
    return builder.takeDocument();
}
