// "Set Subclass" by clicks, the circle's deletion rules, copy and paste of circles, random editing
// with circles (consistency, undo and redo), and what the renderer draws of them.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <cmath>

#include "classlinks.h"
#include "diagrambuilder.h"
#include "diagramrenderer.h"
#include "elementmenus.h"
#include "fragment.h"
#include "history.h"
#include "invariants.h"
#include "randomsession.h"

namespace {

class Subclassing : public ::testing::Test {
protected:
    void SetUp() override {
        history.stack().setUndoLimit(0);
        b.editor.setHistory(&history);
        employee = b.entity("EMPLOYEE");
        secretary = b.entity("SECRETARY");
        engineer = b.entity("ENGINEER");
        jobType = b.attribute(employee, "Job_type");
    }

    std::vector<int> candidates() const {
        std::vector<int> found;
        for (int i = 1; i < b.d.elementCount(); ++i)
            if (b.d.view.highlights.of(i) == Highlight::Candidate) found.push_back(i);
        return found;
    }

    DiagramBuilder b;
    History history{b.d};
    int employee = 0, secretary = 0, engineer = 0, jobType = 0;
};

// Every datum of two documents, hidden entries included; empty when they are the same.
std::string differenceBetween(const Document& a, const Document& b) {
    if (a.elementCount() != b.elementCount() || a.connectorCount() != b.connectorCount())
        return "counts differ";
    for (int i = 0; i < a.elementCount(); ++i)
        if (!(a.element(i) == b.element(i))) return "element " + std::to_string(i);
    for (int k = 0; k < a.connectorCount(); ++k)
        if (!(a.connector(k) == b.connector(k))) return "connector " + std::to_string(k);
    return {};
}

// What editing must keep true of circles: no live class line ends on a hidden element, and a
// defining attribute is a live attribute of the circle's superclass.
QString circleProblem(const Diagram& d) {
    for (int k = 1; k < d.connectorCount(); ++k) {
        const Connector& c = d.connector(k);
        if (d.isLiveConnector(k) && c.isClassLink() &&
            (!d.isLiveElement(c.first) || !d.isLiveElement(c.second)))
            return QString("class line %1 ends on a hidden element").arg(k);
    }
    for (int i = 1; i < d.elementCount(); ++i) {
        const Element& circle = d.element(i);
        if (!d.isLiveElement(i) || circle.DefiningAttribute == 0) continue;
        const ClassLinks links = classLinksOf(d.document(), i);
        if (links.superclasses.empty() || !d.isLiveElement(circle.DefiningAttribute) ||
            !d.element(circle.DefiningAttribute)
                 .RelativeEntityList.containsItem(qint16(links.superclasses.front())))
            return QString("circle %1 keeps defining attribute %2")
                .arg(i)
                .arg(circle.DefiningAttribute);
    }
    return {};
}

}  // namespace

// Superclass, circle, subclass: each click leaves only what the next may pick highlighted, the
// status bar says what to click, and the last click joins them as one step. Shift keeps the tool,
// Esc ends it.
TEST_F(Subclassing, SetSubclassPicksSuperclassCircleAndSubclass) {
    b.editor.toolbarButton("Specialization");
    const int circle = b.d.elementCount() - 1;
    b.editor.toolbarButton("Category");
    const int category = b.d.elementCount() - 1;
    const int steps = history.stack().index();

    b.editor.toolbarButton("SubLine", true);
    EXPECT_EQ(candidates(), (std::vector<int>{employee, secretary, engineer}));
    EXPECT_FALSE(b.d.view.prompt.isEmpty());
    EXPECT_FALSE(b.d.view.toolbarEnabled);
    b.click(circle);  // not a candidate: nothing happens
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::Superclass);
    b.click(employee);
    EXPECT_EQ(candidates(), (std::vector<int>{circle, category}));
    const QString circlePrompt = b.d.view.prompt;
    b.click(circle);
    EXPECT_NE(b.d.view.prompt, circlePrompt);
    EXPECT_EQ(candidates(), (std::vector<int>{secretary, engineer}));
    b.click(secretary);
    EXPECT_EQ(history.stack().index(), steps + 1);
    EXPECT_EQ(classLinksOf(b.d.document(), circle).subclasses, std::vector<int>{secretary});
    // Sticky: the tool starts again; ENGINEER joins the same way.
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::Superclass);
    b.click(employee);
    b.click(circle);
    EXPECT_EQ(candidates(), std::vector<int>{engineer});  // SECRETARY is joined already
    b.click(engineer);
    EXPECT_EQ(classLinksOf(b.d.document(), circle).subclasses,
              (std::vector<int>{secretary, engineer}));
    // Another superclass is no candidate for a specialization that has one.
    b.click(secretary);
    EXPECT_EQ(candidates(), std::vector<int>{category});
    b.editor.cancel();
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    EXPECT_TRUE(b.d.view.highlights.empty());
    EXPECT_TRUE(b.d.view.toolbarEnabled);

    // A category takes several superclasses and then only its one subclass.
    const int owner = b.entity("OWNER");
    b.editor.toolbarButton("SubLine");
    b.click(secretary);
    b.click(category);
    b.click(owner);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);  // not sticky
    b.editor.toolbarButton("SubLine");
    b.click(engineer);
    b.click(category);
    EXPECT_EQ(candidates(), std::vector<int>{owner});
    b.click(owner);
    EXPECT_EQ(classLinksOf(b.d.document(), category).superclasses,
              (std::vector<int>{secretary, engineer}));
    EXPECT_EQ(findInconsistency(b.d, {}), QString());

    // The hover text names what the circle joins.
    b.editor.elementHover(circle);
    EXPECT_TRUE(b.d.view.hover[1].contains("EMPLOYEE"));
    EXPECT_TRUE(b.d.view.hover[2].contains("SECRETARY, ENGINEER"));
    // A circle keeps its round size through Resize and refuses a new caption.
    b.editor.resizeToCaptions();
    b.editor.renameElement(circle, "X");
    EXPECT_EQ(b.d.element(circle).Width, b.d.element(circle).Height);
    EXPECT_EQ(b.d.element(circle).Caption, "d");
}

// Deleting a circle, a superclass, a defining attribute or a selection with circles: what goes
// with each, and one undo gives the diagram back exactly.
TEST_F(Subclassing, DeletionRulesAndUndo) {
    const int circle = b.specialization(employee, {secretary, engineer}, false, true);
    b.editor.setDefiningAttribute(circle, jobType);
    const int owner = b.entity("OWNER");
    const int union_ = b.category({secretary, engineer}, owner, true);
    const std::vector<int> circleLines = [&] {
        const ClassLinks l = classLinksOf(b.d.document(), circle);
        std::vector<int> all = l.superclassConnectors;
        all.insert(all.end(), l.subclassConnectors.begin(), l.subclassConnectors.end());
        return all;
    }();
    const Document start = b.d.document();

    struct Case {
        const char* name;
        std::function<void()> act;
        std::function<void()> check;
    };
    const std::vector<Case> cases = {
        {"circle by its menu", [&] { b.editor.deleteSpecialization(circle); },
         [&] {
             EXPECT_FALSE(b.d.isLiveElement(circle));
             for (int k : circleLines) EXPECT_FALSE(b.d.isLiveConnector(k));
             EXPECT_TRUE(b.d.isLiveElement(employee));
         }},
        {"circle by the Delete key", [&] { b.editor.deleteElement(union_); },
         [&] {
             EXPECT_FALSE(b.d.isLiveElement(union_));
             EXPECT_TRUE(classLinksOf(b.d.document(), circle).subclasses.size() == 2);
         }},
        {"superclass", [&] { b.editor.deleteEntity(employee); },
         [&] {
             EXPECT_TRUE(b.d.isLiveElement(circle));
             EXPECT_TRUE(classLinksOf(b.d.document(), circle).superclasses.empty());
             EXPECT_EQ(b.d.element(circle).DefiningAttribute, 0);
         }},
        {"subclass", [&] { b.editor.deleteEntity(secretary); },
         [&] {
             EXPECT_EQ(classLinksOf(b.d.document(), circle).subclasses, std::vector<int>{engineer});
             EXPECT_EQ(classLinksOf(b.d.document(), union_).superclasses,
                       std::vector<int>{engineer});
         }},
        {"defining attribute", [&] { b.editor.deleteAttribute(jobType); },
         [&] {
             EXPECT_EQ(b.d.element(circle).DefiningAttribute, 0);
             EXPECT_EQ(classLinksOf(b.d.document(), circle).subclasses.size(), 2u);
         }},
        {"selection with circles",
         [&] {
             b.editor.selectElements({circle, union_, owner});
             b.editor.deleteSelection();
         },
         [&] {
             for (int i : {circle, union_, owner}) EXPECT_FALSE(b.d.isLiveElement(i));
             for (int k = 1; k < b.d.connectorCount(); ++k)
                 EXPECT_FALSE(b.d.isLiveConnector(k) && b.d.connector(k).isClassLink());
             EXPECT_TRUE(b.prompts.messages.empty());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        b.prompts.messages.clear();
        const int steps = history.stack().index();
        c.act();
        EXPECT_EQ(history.stack().index(), steps + 1);
        c.check();
        EXPECT_EQ(findInconsistency(b.d, {}), QString());
        EXPECT_EQ(circleProblem(b.d), QString());
        b.editor.undo();
        EXPECT_EQ(differenceBetween(b.d.document(), start), "");
    }
}

// A copy carries the circles and the lines among the copied elements with all of the circle's
// choices; the defining attribute only when it was copied too.
TEST_F(Subclassing, CopyAndPasteCarryCircles) {
    const int circle = b.specialization(employee, {secretary, engineer}, true, true);
    b.editor.setSubclassMapping(circle, SubclassMapping::TypeFlags);
    b.editor.setDefiningAttribute(circle, jobType);

    const std::vector<int> whole = b.editor.pasteFragment(
        copyFragment(b.d, {employee, secretary, engineer, jobType, circle}), QPointF(300, 0));
    ASSERT_EQ(whole.size(), 5u);
    // Pasted in index order: EMPLOYEE, SECRETARY, ENGINEER, Job_type, the circle.
    const Element& copy = b.d.element(whole[4]);
    EXPECT_TRUE(copy.is(KindSpecialization));
    EXPECT_TRUE(copy.Overlapping && copy.Total);
    EXPECT_EQ(copy.Mapping, SubclassMapping::TypeFlags);
    EXPECT_EQ(copy.Caption, "o");
    EXPECT_EQ(copy.DefiningAttribute, whole[3]);
    const ClassLinks links = classLinksOf(b.d.document(), whole[4]);
    EXPECT_EQ(links.superclasses, std::vector<int>{whole[0]});
    EXPECT_EQ(links.subclasses, (std::vector<int>{whole[1], whole[2]}));
    EXPECT_TRUE(b.d.connector(links.superclassConnectors.front()).Line2.Visible);
    EXPECT_FLOAT_EQ(copy.Left, b.d.element(circle).Left + 300);
    // The lines are laid out between the pasted elements: the superclass line ends on the
    // circle's rim.
    const Line& line = b.d.connector(links.superclassConnectors.front()).Line1;
    EXPECT_NEAR(
        std::hypot(line.X2 - (copy.Left + copy.Width / 2), line.Y2 - (copy.Top + copy.Height / 2)),
        copy.Width / 2, 0.01);

    // Without the attribute, and without the superclass: what is left behind is cut.
    const std::vector<int> part =
        b.editor.pasteFragment(copyFragment(b.d, {secretary, employee, circle}), QPointF(0, 300));
    EXPECT_EQ(b.d.element(part[2]).DefiningAttribute, 0);
    const std::vector<int> lower =
        b.editor.pasteFragment(copyFragment(b.d, {secretary, circle}), QPointF(0, 400));
    const ClassLinks cut = classLinksOf(b.d.document(), lower[1]);
    EXPECT_TRUE(cut.superclasses.empty());
    EXPECT_EQ(cut.subclasses, std::vector<int>{lower[0]});
    EXPECT_EQ(findInconsistency(b.d, {}), QString());
    EXPECT_EQ(circleProblem(b.d), QString());
}

// The circle menu's defining attribute is asked for by name among the superclass's attributes.
TEST_F(Subclassing, DefiningAttributeIsChosenByName) {
    const int circle = b.specialization(employee, {secretary});
    b.prompts.answer(" Job_type ");
    b.editor.chooseDefiningAttribute(circle);
    EXPECT_EQ(b.d.element(circle).DefiningAttribute, jobType);
    b.prompts.answer("Salary");
    b.editor.chooseDefiningAttribute(circle);
    EXPECT_EQ(b.d.element(circle).DefiningAttribute, jobType);
    EXPECT_EQ(b.prompts.messages.size(), 1u);
    b.prompts.answer("");
    b.editor.chooseDefiningAttribute(circle);
    EXPECT_EQ(b.d.element(circle).DefiningAttribute, 0);
}

// The circle's menu shows the circle's choices, runs the commands, and hides what a category
// lacks.
TEST_F(Subclassing, CircleMenuMirrorsTheCircleAndRunsItsCommands) {
    QWidget window;
    ElementMenus menus(b.editor, &window);
    const int circle = b.specialization(employee, {secretary});
    const int union_ = b.category({secretary, engineer}, employee);
    const auto action = [&window](const char* name) {
        QAction* found = window.findChild<QAction*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    };
    QMenu* menu = menus.popupElementMenu(b.editor.elementRightDown(circle), circle, QPoint());
    ASSERT_EQ(menu, menus.specializationMenu());
    EXPECT_TRUE(action("mnuDisjoint")->isChecked());
    EXPECT_TRUE(action("mnuPartial")->isChecked());
    EXPECT_TRUE(action("mnuMapping8A")->isChecked());
    action("mnuTotal")->trigger();
    action("mnuMapping8B")->trigger();
    EXPECT_TRUE(b.d.element(circle).Total);
    EXPECT_EQ(b.d.element(circle).Mapping, SubclassMapping::SubclassesOnly);
    EXPECT_TRUE(action("mnuTotal")->isChecked() && !action("mnuPartial")->isChecked());
    EXPECT_TRUE(action("mnuMapping8B")->isChecked() && !action("mnuMapping8A")->isChecked());
    // 8B needs a total specialization: partial is refused, and the checks stay.
    action("mnuPartial")->trigger();
    EXPECT_TRUE(b.d.element(circle).Total);
    EXPECT_TRUE(action("mnuTotal")->isChecked() && !action("mnuPartial")->isChecked());
    menu->hide();

    menus.popupElementMenu(b.editor.elementRightDown(union_), union_, QPoint());
    EXPECT_FALSE(action("mnuDisjoint")->isVisible());
    EXPECT_FALSE(action("mnuMapping8A")->isVisible());
    EXPECT_TRUE(action("mnuTotal")->isVisible());
    action("mnuDelSpecialization")->trigger();
    EXPECT_FALSE(b.d.isLiveElement(union_));
    menus.specializationMenu()->hide();
}

// Random editing with circles: the diagram stays consistent after every step, and taking every
// step back gives the start again, doing them again the end.
TEST(SubclassingSession, RandomEditingStaysConsistentAndUndoesExactly) {
    int linked = 0;  // sequences that drew class lines, so that the circles were exercised
    for (unsigned seed = 1; seed <= 300; ++seed) {
        RandomSession session(seed);
        session.enhanced = true;
        const Document start = session.b.d.document();
        for (int step = 0; step < 60; ++step) {
            session.step();
            std::set<int> unrelated = session.abandoned;
            if (session.b.d.state.ConnectMode == ConnectMode::SecondEntity)
                unrelated.insert(session.b.d.state.PendingLine);
            QString problem = findInconsistency(session.b.d, unrelated);
            if (problem.isEmpty()) problem = circleProblem(session.b.d);
            ASSERT_EQ(problem, QString())
                << "seed " << seed << " step " << step << ": " << session.trace.back();
        }
        session.b.editor.cancel();
        const Document end = session.b.d.document();
        for (int k = 1; k < end.connectorCount(); ++k)
            if (end.connector(k).isClassLink()) {
                ++linked;
                break;
            }
        const int steps = session.history.stack().index();
        while (session.history.stack().canUndo()) session.b.editor.undo();
        ASSERT_EQ(differenceBetween(session.b.d.document(), start), "") << "seed " << seed;
        while (session.history.stack().index() < steps) session.b.editor.redo();
        ASSERT_EQ(differenceBetween(session.b.d.document(), end), "") << "seed " << seed;
    }
    EXPECT_GT(linked, 100);
}

// ---- the picture ----

namespace {

bool inColour(QRgb pixel, QColor colour) {
    const QColor seen(pixel);
    return std::abs(seen.red() - colour.red()) < 60 &&
           std::abs(seen.green() - colour.green()) < 60 &&
           std::abs(seen.blue() - colour.blue()) < 60 && seen != QColor(Qt::white);
}

// Pixels of `colour` within `radius` of `at`.
int pixelsNear(const QImage& image, QPointF at, int radius, QColor colour) {
    int found = 0;
    for (int y = int(at.y()) - radius; y <= int(at.y()) + radius; ++y)
        for (int x = int(at.x()) - radius; x <= int(at.x()) + radius; ++x)
            if (image.rect().contains(x, y) && inColour(image.pixel(x, y), colour)) ++found;
    return found;
}

// A specialization gets one superclass line however many subclasses join; a total one doubles
// that line only; every command is one step, and undoing them all leaves the diagram as it was.
TEST_F(Subclassing, LinksChoicesAndUndo) {
    const Document before = b.d.document();
    const int steps = history.stack().index();
    const int circle = b.specialization(employee, {secretary, engineer}, false, true);
    b.editor.setDefiningAttribute(circle, jobType);
    b.editor.setSubclassMapping(circle, SubclassMapping::SubclassesOnly);

    const ClassLinks links = classLinksOf(b.d.document(), circle);
    EXPECT_EQ(links.superclasses, std::vector<int>{employee});
    EXPECT_EQ(links.subclasses, (std::vector<int>{secretary, engineer}));
    EXPECT_TRUE(b.d.connector(links.superclassConnectors.front()).Line2.Visible);
    EXPECT_FALSE(b.d.connector(links.subclassConnectors.front()).Line2.Visible);
    EXPECT_EQ(b.d.element(circle).Caption, "d");
    EXPECT_EQ(b.d.element(circle).DefiningAttribute, jobType);
    EXPECT_EQ(b.d.element(circle).Mapping, SubclassMapping::SubclassesOnly);
    EXPECT_EQ(findInconsistency(b.d, {}), QString());
    // Creation, total, two links, defining attribute, mapping.
    EXPECT_EQ(history.stack().index(), steps + 6);

    while (history.stack().index() > steps) b.editor.undo();
    EXPECT_EQ(differenceBetween(b.d.document(), before), "");
}

// What a circle refuses, with a message and without a step: a second superclass, a class below
// itself, 8B while partial, 8C while overlapping, a defining attribute of another entity.
TEST_F(Subclassing, RefusalsChangeNothing) {
    const int circle = b.specialization(employee, {secretary}, true, false);
    const int other = b.attribute(engineer, "Degree");
    const int steps = history.stack().index();
    b.prompts.messages.clear();

    EXPECT_FALSE(b.editor.linkSubclass(engineer, circle, secretary));
    EXPECT_FALSE(b.editor.linkSubclass(employee, circle, employee));
    b.editor.setSubclassMapping(circle, SubclassMapping::SubclassesOnly);
    b.editor.setSubclassMapping(circle, SubclassMapping::OneTypeAttribute);
    b.editor.setDefiningAttribute(circle, other);

    EXPECT_EQ(b.prompts.messages.size(), 5);
    EXPECT_EQ(history.stack().index(), steps);
    EXPECT_EQ(b.d.element(circle).Mapping, SubclassMapping::SuperclassAndSubclasses);
    EXPECT_EQ(b.d.element(circle).Caption, "o");
}

// A category has several superclasses and one subclass; total doubles the subclass line.
TEST_F(Subclassing, CategoryJoinsSeveralSuperclassesToOneSubclass) {
    const int owner = b.entity("OWNER");
    const int circle = b.category({employee, secretary}, owner, true);
    EXPECT_FALSE(b.editor.linkSubclass(engineer, circle, secretary));

    const ClassLinks links = classLinksOf(b.d.document(), circle);
    EXPECT_EQ(links.superclasses, (std::vector<int>{employee, secretary}));
    EXPECT_EQ(links.subclasses, std::vector<int>{owner});
    EXPECT_TRUE(b.d.connector(links.subclassConnectors.front()).Line2.Visible);
    EXPECT_FALSE(b.d.connector(links.superclassConnectors.front()).Line2.Visible);
    EXPECT_EQ(b.d.element(circle).Caption, QString(QChar(0x222A)));
}

}  // namespace

// The circle's outline and mark, the subset mark across the subclass line (on the subclass's side
// of its middle, not on the circle's), and the defining attribute beside the superclass line, at
// 100 % and at 200 %.
TEST_F(Subclassing, PictureShowsCircleMarkSubsetAndDefiningAttribute) {
    const int circle = b.specialization(employee, {secretary}, false, true);
    b.editor.setDefiningAttribute(circle, jobType);
    // EMPLOYEE above the circle, SECRETARY far below it: vertical lines.
    const auto place = [&](int i, float left, float top) {
        b.editor.elementLeftDown(i, 0, 0);
        b.editor.dropElement(i, left, top);
    };
    const float middle = 240;
    place(employee, middle - b.d.element(employee).Width / 2, 40);
    place(jobType, 20, 40);
    place(circle, middle - 17, 180);
    place(secretary, middle - b.d.element(secretary).Width / 2, 360);
    b.editor.clearSelection();
    const QColor lineColour = toQColor(b.d.settings.RelLineColor);
    const Line sub =
        b.d.connector(classLinksOf(b.d.document(), circle).subclassConnectors.front()).Line1;
    const Connector& superclassLine =
        b.d.connector(classLinksOf(b.d.document(), circle).superclassConnectors.front());
    const Line super = superclassLine.Line1, second = superclassLine.Line2;
    ASSERT_FLOAT_EQ(sub.X1, sub.X2);  // vertical, from SECRETARY up to the circle
    ASSERT_GT(sub.Y1, sub.Y2);

    for (double zoom : {1.0, 2.0}) {
        SCOPED_TRACE(zoom);
        DiagramRenderer renderer(b.d);
        renderer.setMapping(ScaleMapping().viewed(zoom, QPointF()), zoom);
        QImage image(int(500 * zoom), int(500 * zoom), QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        renderer.paintDiagram(painter, image.rect(), Qt::white);
        painter.end();
        const auto px = [zoom](double x, double y) { return QPointF(x * zoom, y * zoom); };
        const Element& c = b.d.element(circle);
        // The rim: left and right ends of the circle's middle row, not its inside.
        EXPECT_GT(pixelsNear(image, px(c.Left, c.Top + c.Height / 2), 2, Qt::black), 0);
        EXPECT_GT(pixelsNear(image, px(c.Left + c.Width, c.Top + c.Height / 2), 2, Qt::black), 0);
        EXPECT_GT(pixelsNear(image, px(c.Left + c.Width / 2, c.Top + c.Height / 2), 5, Qt::black),
                  3);  // the "d"
        EXPECT_EQ(pixelsNear(image, px(c.Left + 10, c.Top + 10), 1, Qt::black), 0);
        // The subset mark: its ends beside the line at the middle, its bottom towards SECRETARY.
        const double subMiddle = (sub.Y1 + sub.Y2) / 2;
        EXPECT_GT(pixelsNear(image, px(sub.X1 - 6, subMiddle), 1, lineColour), 0);
        EXPECT_GT(pixelsNear(image, px(sub.X1 + 6, subMiddle), 1, lineColour), 0);
        EXPECT_EQ(pixelsNear(image, px(sub.X1 - 6, subMiddle - 4), 1, lineColour), 0);
        EXPECT_GT(pixelsNear(image, px(sub.X1 - 4.2, subMiddle + 4.2), 1, lineColour), 0);
        EXPECT_EQ(pixelsNear(image, px(sub.X1 - 4.2, subMiddle - 4.2), 1, lineColour), 0);
        // Total: the superclass line doubled; the defining attribute written beside it.
        ASSERT_TRUE(second.Visible);
        EXPECT_GT(pixelsNear(image, px(second.X1, (second.Y1 + second.Y2) / 2), 1, lineColour), 0);
        EXPECT_GT(pixelsNear(image, px(super.X1 + 20, (super.Y1 + super.Y2) / 2), 8, Qt::black), 3);
    }
}
