#include <gtest/gtest.h>

#include <QLineF>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "attributerings.h"
#include "diagrambuilder.h"
#include "history.h"
#include "layoutplan.h"
#include "randomsession.h"

// Automatic plan: the whole diagram (or the selection), and the attributes around their
// owners, each one step.

namespace {

// The farthest an attribute's centre may lie from its owner's centre once arranged, for an owner
// with at most kReachOwnerSlots attributes and relationship lines together, none of whose
// attributes has parts of its own.
constexpr double kAttributeReach = 250;
constexpr int kReachOwnerSlots = 10;
// The widest gap between a weak entity's box and its identifying relationship's box, when both
// are such owners: their attribute rings lie between them.
constexpr double kWeakEntityReach = 600;

struct Recorded {
    Recorded() {
        history.stack().setUndoLimit(0);  // every step of a large drawing stays
        b.editor.setHistory(&history);
    }
    DiagramBuilder b;
    History history{b.d};
};

QRectF boxOf(const Diagram& d, int i) {
    const Element& e = d.element(i);
    return {e.Left, e.Top, e.Width, e.Height};
}

double centreDistance(const Diagram& d, int a, int b) {
    return QLineF(boxOf(d, a).center(), boxOf(d, b).center()).length();
}

double boxGap(const QRectF& a, const QRectF& b) {
    const double dx = std::max({0.0, a.left() - b.right(), b.left() - a.right()});
    const double dy = std::max({0.0, a.top() - b.bottom(), b.top() - a.bottom()});
    return std::hypot(dx, dy);
}

bool crosses(const QLineF& line, const QRectF& box) {
    if (box.contains(line.p1()) || box.contains(line.p2())) return true;
    const QPointF corners[] = {box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
    for (int n = 0; n < 4; ++n)
        if (line.intersects(QLineF(corners[n], corners[(n + 1) % 4]), nullptr) ==
            QLineF::BoundedIntersection)
            return true;
    return false;
}

std::vector<int> liveElements(const Diagram& d) {
    std::vector<int> live;
    for (int i = 1; i < d.elementCount(); ++i)
        if (d.isLiveElement(i)) live.push_back(i);
    return live;
}

// The first live element among `these` whose box overlaps another live element's; empty when
// none does.
std::string overlap(const Diagram& d, const std::vector<int>& these) {
    for (int i : these)
        for (int j : liveElements(d))
            if (i != j && boxOf(d, i).intersects(boxOf(d, j)))
                return std::to_string(i) + " overlaps " + std::to_string(j);
    return {};
}

// What differs between the diagram and a document it was copied from, in places and lines.
std::string differenceFrom(const Diagram& d, const Document& before) {
    if (d.elementCount() != before.elementCount()) return "element count";
    for (int i = 1; i < before.elementCount(); ++i)
        if (!(d.element(i) == before.element(i))) return "element " + std::to_string(i);
    for (int k = 1; k < before.connectorCount(); ++k)
        if (!(d.connector(k) == before.connector(k))) return "connector " + std::to_string(k);
    return {};
}

// Whether an owner's attributes are few and plain enough for the stated distances to hold: at
// most kReachOwnerSlots attributes and lines together, none of the attributes with parts.
bool plainOwner(const Document& doc, int owner) {
    const std::vector<int> owned = ownedAttributes(doc, owner);
    const int lines = attributeOwner(doc, owner) ? 1 : int(linkedNeighbours(doc, owner).size());
    return int(owned.size()) + lines <= kReachOwnerSlots &&
           std::all_of(owned.begin(), owned.end(),
                       [&](int a) { return ownedAttributes(doc, a).empty(); });
}

// Attributes farther from their owner than kAttributeReach, for owners it holds for.
std::string farAttribute(const Diagram& d) {
    for (int owner : liveElements(d)) {
        if (!plainOwner(d.document(), owner)) continue;
        for (int a : ownedAttributes(d.document(), owner))
            if (centreDistance(d, owner, a) > kAttributeReach)
                return std::to_string(a) + " is " + std::to_string(centreDistance(d, owner, a)) +
                       " from its owner " + std::to_string(owner);
    }
    return {};
}

// Weak entities not right beside their identifying relationship: in the same row with no other
// entity or relationship between them, and for plain owners no farther than kWeakEntityReach.
std::string weakEntityApart(const Diagram& d) {
    for (int w : liveElements(d)) {
        const Element& weak = d.element(w);
        if (!weak.is(KindWeakEntity) || weak.WeakRelationList.isEmpty()) continue;
        const int r = *weak.WeakRelationList.item(1);
        if (!d.isLiveElement(r)) continue;
        const std::string pair = std::to_string(w) + " and " + std::to_string(r);
        if (std::abs(boxOf(d, w).center().y() - boxOf(d, r).center().y()) > 1)
            return "weak entity and identifying relationship in different rows: " + pair;
        if (plainOwner(d.document(), w) && plainOwner(d.document(), r) &&
            boxGap(boxOf(d, w), boxOf(d, r)) > kWeakEntityReach)
            return "weak entity far from its identifying relationship: " + pair;
        const QLineF between(boxOf(d, w).center(), boxOf(d, r).center());
        for (int i : liveElements(d))
            if (i != w && i != r && !d.element(i).isAttributeKind() &&
                crosses(between, boxOf(d, i)))
                return std::to_string(i) + " lies between " + pair;
    }
    return {};
}

// A small company: every element kind, a composite and a multivalued attribute, an attribute on a
// relationship, a weak entity, a specialization, and an entity joined to nothing. All of it piled
// up in one corner.
struct Company : Recorded {
    int employee, department, project, dependent, worksFor, manages, worksOn, dependentsOf,
        controls, lonely, name, fname, lname, startDate, engineer, secretary, specialization;
    Company() {
        employee = b.entity("EMPLOYEE");
        department = b.entity("DEPARTMENT");
        project = b.entity("PROJECT");
        dependent = b.entity("DEPENDENT");
        lonely = b.entity("LONELY");
        worksFor = b.relationship("WORKS_FOR");
        manages = b.relationship("MANAGES");
        worksOn = b.relationship("WORKS_ON");
        dependentsOf = b.relationship("DEPENDENTS_OF");
        controls = b.relationship("CONTROLS");
        b.attribute(employee, "Ssn", true);
        name = b.attribute(employee, "Name");
        fname = b.attribute(name, "Fname");
        lname = b.attribute(name, "Lname");
        b.attribute(employee, "Salary");
        b.attribute(department, "Dnumber", true);
        b.attribute(department, "Dname");
        b.multAttribute(department, "Locations");
        b.attribute(project, "Pnumber", true);
        b.attribute(project, "Pname");
        b.attribute(dependent, "Dependent_name", true);
        startDate = b.attribute(manages, "Start_date");
        b.attribute(worksOn, "Hours");
        b.attribute(lonely, "Note");
        b.binary(employee, worksFor, department);
        b.binary(employee, manages, department);
        b.binary(employee, worksOn, project);
        b.binary(department, controls, project);
        b.binary(employee, dependentsOf, dependent);
        b.makeWeak(dependent, dependentsOf);
        engineer = b.entity("ENGINEER");
        secretary = b.entity("SECRETARY");
        b.attribute(engineer, "Eng_type");
        specialization = b.specialization(employee, {engineer, secretary});
        for (int i : liveElements(b.d)) {
            b.d.element(i).Left = float(200 + (i * 37) % 90);
            b.d.element(i).Top = float(150 + (i * 53) % 70);
        }
        b.editor.layoutAllConnectors();
    }
};

}  // namespace

TEST(ArrangeDiagram, LaysAPiledUpDiagramOutClearAndCompactAsOneStep) {
    Company c;
    DiagramBuilder& b = c.b;
    const Document before = b.d.document();
    QRectF was;
    for (int i : liveElements(b.d)) was |= boxOf(b.d, i);
    const int steps = c.history.stack().count();

    b.editor.arrangeDiagram();

    const std::vector<int> live = liveElements(b.d);
    EXPECT_EQ(overlap(b.d, live), "");
    EXPECT_EQ(farAttribute(b.d), "");
    EXPECT_EQ(weakEntityApart(b.d), "");
    // The rings leave the lines' directions free: with several lines around one owner a slot
    // can miss its line by up to half a slot, so a few may still graze an attribute of an end.
    int lines = 0, grazed = 0;
    for (int k = 1; k < b.d.connectorCount(); ++k) {
        if (!b.d.isLiveConnector(k) || !b.d.isRelationshipConnector(k)) continue;
        const Connector& line = b.d.connector(k);
        const QLineF drawn(line.Line1.X1, line.Line1.Y1, line.Line1.X2, line.Line1.Y2);
        ++lines;
        for (int end : {int(line.first), int(line.second)})
            for (int a : ownedAttributes(b.d.document(), end))
                grazed += crosses(drawn, boxOf(b.d, a));
    }
    EXPECT_LE(grazed * 5, lines) << grazed << " of " << lines << " lines";
    // The specialization circle sits in the row between its superclass and its subclasses.
    const auto middleY = [&](int i) { return boxOf(b.d, i).center().y(); };
    EXPECT_NE(middleY(c.specialization), middleY(c.employee));
    EXPECT_EQ(middleY(c.engineer), middleY(c.secretary));
    EXPECT_LT(std::abs(middleY(c.specialization) - middleY(c.employee)) +
                  std::abs(middleY(c.specialization) - middleY(c.engineer)),
              std::abs(middleY(c.engineer) - middleY(c.employee)) + 1);
    // The composite's parts lie beyond it, on the side away from its owner.
    for (int part : {c.fname, c.lname})
        EXPECT_GT(centreDistance(b.d, c.employee, part), centreDistance(b.d, c.employee, c.name));
    QRectF now;
    for (int i : live) now |= boxOf(b.d, i);
    EXPECT_EQ(now.topLeft(), was.topLeft()) << "the diagram stays where it was drawn";
    EXPECT_LT(now.width() * now.height(), 3000.0 * 3000.0);
    // Every line lies where a fresh layout puts it.
    const Document arranged = b.d.document();
    b.editor.layoutAllConnectors();
    EXPECT_EQ(differenceFrom(b.d, arranged), "");

    ASSERT_EQ(c.history.stack().count(), steps + 1);
    EXPECT_EQ(c.history.stack().undoText(), "排列全圖");
    b.editor.undo();
    EXPECT_EQ(differenceFrom(b.d, before), "") << "one undo puts every element back";
    b.editor.redo();
    EXPECT_EQ(differenceFrom(b.d, arranged), "");

    b.editor.arrangeDiagram();
    EXPECT_EQ(c.history.stack().count(), steps + 1) << "an arranged diagram stays as it is";
    DiagramBuilder empty;
    empty.editor.arrangeDiagram();
    empty.editor.arrangeAttributes();
    EXPECT_EQ(empty.d.elementCount(), 1);
}

TEST(ArrangeAttributes, PutsTheOwnersAttributesEvenlyOnARingClearOfItsLinesAndOfOthers) {
    Recorded rec;
    DiagramBuilder& b = rec.b;
    const int e = b.entity("E"), r = b.relationship("R"), f = b.entity("F");
    b.binary(e, r, f);
    std::vector<int> owned;
    for (const char* caption : {"A1", "A2", "A3", "A4"}) owned.push_back(b.attribute(e, caption));
    const int composite = b.attribute(e, "C");
    owned.push_back(composite);
    const int part1 = b.attribute(composite, "P1"), part2 = b.attribute(composite, "P2");
    const int other = b.attribute(f, "F1");
    const auto put = [&](int i, float left, float top) {
        b.d.element(i).Left = left;
        b.d.element(i).Top = top;
    };
    put(e, 400, 400);
    put(r, 800, 400);
    put(f, 1100, 400);
    put(other, 1100, 600);
    // An entity right where the ring would go, and the attributes strewn far away.
    const int obstacle = b.entity("G");
    put(obstacle, 510, 210);
    for (int n = 0; n < int(owned.size()); ++n) put(owned[size_t(n)], 60, 40 + 50 * float(n));
    put(part1, 1300, 40);
    put(part2, 1300, 100);
    b.editor.layoutAllConnectors();
    const Document before = b.d.document();

    b.editor.selectElements({e});
    b.editor.arrangeAttributes();

    EXPECT_EQ(rec.history.stack().undoText(), "排列屬性");
    for (int unmoved : {e, r, f, other, obstacle})
        EXPECT_EQ(b.d.element(unmoved), before.element(unmoved)) << unmoved;
    EXPECT_EQ(overlap(b.d, liveElements(b.d)), "");
    const QLineF line(
        b.d.connector(b.connector(e, r)).Line1.X1, b.d.connector(b.connector(e, r)).Line1.Y1,
        b.d.connector(b.connector(e, r)).Line1.X2, b.d.connector(b.connector(e, r)).Line1.Y2);
    for (int a : owned) {
        EXPECT_FALSE(crosses(line, boxOf(b.d, a))) << "attribute " << a << " on the line to R";
    }
    for (int part : {part1, part2}) {
        EXPECT_GT(centreDistance(b.d, e, part), centreDistance(b.d, e, composite));
        EXPECT_FALSE(boxOf(b.d, part).intersects(boxOf(b.d, composite)));
    }

    // Those the obstacle does not push out share one ring, and every attribute keeps its own of
    // six evenly spread directions (five attributes and the line), the line's slot left free.
    const QPointF centre = boxOf(b.d, e).center();
    std::vector<double> angles, radii;
    for (int a : owned) {
        const QPointF to = boxOf(b.d, a).center() - centre;
        angles.push_back(std::atan2(to.y(), to.x()));
        radii.push_back(QLineF(centre, boxOf(b.d, a).center()).length());
    }
    std::sort(radii.begin(), radii.end());
    EXPECT_NEAR(radii[0], radii[radii.size() - 2], 1.5);
    EXPECT_LE(radii[radii.size() - 2], kAttributeReach);
    EXPECT_GT(radii.back(), radii[0] + AttributeRings::kGap)
        << "one moved out of the obstacle's way";
    std::sort(angles.begin(), angles.end());
    const double step = 2 * std::numbers::pi / 6;
    int doubleGaps = 0;
    for (size_t n = 0; n < angles.size(); ++n) {
        const double gap = n + 1 < angles.size() ? angles[n + 1] - angles[n]
                                                 : angles[0] + 2 * std::numbers::pi - angles[n];
        const double share = gap / step;
        EXPECT_NEAR(share, std::round(share), 0.02) << "gap " << n;
        doubleGaps += std::lround(share) == 2;
    }
    EXPECT_EQ(doubleGaps, 1);

    b.editor.undo();
    EXPECT_EQ(differenceFrom(b.d, before), "");
}

namespace {

// A random diagram drawn through the editor: entities; binary, ternary and recursive
// relationships, some identifying a weak entity; specializations and categories; attributes on
// entities and relationships, some multivalued, some composite with parts of their own; everything
// strewn over a small area.
void drawRandomDiagram(DiagramBuilder& b, std::mt19937& rng) {
    const auto below = [&](int n) { return int(rng() % unsigned(n)); };
    std::vector<int> entities, owners;
    for (int n = 3 + below(12); n > 0; --n)
        entities.push_back(b.entity(QStringLiteral("E%1").arg(entities.size())));
    owners = entities;
    std::set<int> weak;
    for (int n = below(int(entities.size()) + 4); n > 0; --n) {
        const int r = b.relationship(QStringLiteral("R%1").arg(n));
        owners.push_back(r);
        const int e1 = entities[size_t(below(int(entities.size())))];
        const int e2 = entities[size_t(below(int(entities.size())))];
        if (e1 == e2 || below(6) == 0) {
            b.recursive(e1, r);
            continue;
        }
        b.binary(e1, r, e2);
        if (below(4) == 0) b.join(entities[size_t(below(int(entities.size())))], r);
        if (below(4) == 0 && weak.insert(e2).second) b.makeWeak(e2, r);
    }
    // Specializations and categories among distinct entities.
    for (int n = below(3); n > 0 && entities.size() >= 3; --n) {
        std::vector<int> three = entities;
        std::shuffle(three.begin(), three.end(), rng);
        if (below(2))
            b.specialization(three[0], {three[1], three[2]}, below(2) == 0);
        else
            b.category({three[0], three[1]}, three[2]);
    }
    for (int owner : owners)
        for (int n = below(6); n > 0; --n) {
            const QString caption = QStringLiteral("A%1_%2").arg(owner).arg(n);
            const int a = below(5) == 0 ? b.multAttribute(owner, caption)
                                        : b.attribute(owner, caption, n == 1);
            if (below(6) == 0)
                for (int p = 2 + below(2); p > 0; --p)
                    b.attribute(a, caption + QStringLiteral("_%1").arg(p));
        }
    for (int i : liveElements(b.d)) {
        b.d.element(i).Left = float(below(600));
        b.d.element(i).Top = float(below(400));
    }
    b.editor.layoutAllConnectors();
}

// Arranged, nothing overlaps, attributes stay near their owners and weak entities beside their
// identifying relationships; arranging the attributes of an arranged diagram keeps it clear;
// attributes arranged in a diagram as it was, and a selection arranged, land clear of everything
// else; and undo gives back every place and line.
std::string arrangingFault(DiagramBuilder& b, QUndoStack& stack, unsigned seed) {
    b.editor.cancel();
    const Document before = b.d.document();
    const std::vector<int> live = liveElements(b.d);
    const int start = stack.index();
    const auto undoToStart = [&] {
        while (stack.index() > start) b.editor.undo();
        return differenceFrom(b.d, before);
    };
    std::string fault;
    b.editor.arrangeDiagram();
    if (!(fault = overlap(b.d, live) + farAttribute(b.d) + weakEntityApart(b.d)).empty())
        return fault;
    b.editor.arrangeAttributes();
    if (!(fault = overlap(b.d, live)).empty()) return "attributes arranged: " + fault;
    if (!(fault = undoToStart()).empty()) return "undo: " + fault;

    const auto moved = [&] {
        std::vector<int> these;
        for (int i : live)
            if (!(b.d.element(i) == before.element(i))) these.push_back(i);
        return these;
    };
    b.editor.arrangeAttributes();
    if (!(fault = overlap(b.d, moved())).empty()) return "attributes arranged in place: " + fault;
    if (!(fault = undoToStart()).empty()) return "undo of the attributes': " + fault;

    std::mt19937 pick(seed);
    std::vector<int> chosen;
    for (int i : live)
        if (pick() % 3 == 0) chosen.push_back(i);
    b.editor.selectElements(chosen);
    b.editor.arrangeDiagram();
    if (!(fault = overlap(b.d, moved())).empty()) return "selection arranged: " + fault;
    if (!(fault = undoToStart()).empty()) return "undo of the selection's: " + fault;
    return {};
}

}  // namespace

// Random diagrams drawn whole, and whatever random editing leaves behind.
TEST(Arrange, AnyDiagramComesOutClearAndUndoGivesItBack) {
    for (unsigned seed = 1; seed <= 80; ++seed) {
        Recorded drawn;
        std::mt19937 rng(seed);
        drawRandomDiagram(drawn.b, rng);
        ASSERT_EQ(arrangingFault(drawn.b, drawn.history.stack(), seed), "")
            << "drawn, seed " << seed;

        RandomSession edited(seed);
        for (int step = 0; step < 150; ++step) edited.step();
        ASSERT_EQ(arrangingFault(edited.b, edited.history.stack(), seed), "")
            << "edited, seed " << seed;
    }
}
