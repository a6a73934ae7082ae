#include <gtest/gtest.h>

#include "classlinks.h"
#include "diagrambuilder.h"
#include "history.h"
#include "invariants.h"

namespace {

class Specializing : public ::testing::Test {
protected:
    void SetUp() override {
        history.stack().setUndoLimit(0);
        b.editor.setHistory(&history);
        employee = b.entity("EMPLOYEE");
        secretary = b.entity("SECRETARY");
        engineer = b.entity("ENGINEER");
        jobType = b.attribute(employee, "Job_type");
    }

    DiagramBuilder b;
    History history{b.d};
    int employee = 0, secretary = 0, engineer = 0, jobType = 0;
};

// A specialization gets one superclass line however many subclasses join; a total one doubles
// that line only; every command is one step, and undoing them all leaves the diagram as it was.
TEST_F(Specializing, LinksChoicesAndUndo) {
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
    EXPECT_TRUE(b.d.document().elementCount() == before.elementCount());
    EXPECT_FALSE(b.d.isLiveConnector(links.superclassConnectors.front()));
}

// What a circle refuses, with a message and without a step: a second superclass, a class below
// itself, 8B while partial, 8C while overlapping, a defining attribute of another entity.
TEST_F(Specializing, RefusalsChangeNothing) {
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
TEST_F(Specializing, CategoryJoinsSeveralSuperclassesToOneSubclass) {
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
