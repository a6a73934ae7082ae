#include <gtest/gtest.h>

#include "diagrambuilder.h"
#include "history.h"

namespace {

// Steps made outside the drawing: a project put in place, the options' settings, validation's
// defaults. Each is one step, named, and taking it back gives the diagram and settings back.
TEST(History, WholesaleChangesAreStepsToo) {
    DiagramBuilder b;
    History history(b.d);
    b.editor.setHistory(&history);
    const int e = b.entity("EMPLOYEE");
    const auto [k1, k2] = b.binary(e, b.relationship("WORKS"), b.entity("DEPT"));
    const Document drawn = b.d.document();
    const ProgramSettings settings = b.d.settings;
    const int steps = history.stack().count();

    b.editor.applyDefaultParticipations({k1, k2});
    EXPECT_EQ(history.stack().undoText(), "預設參與度 0,N");
    ProgramSettings textbook = settings;
    textbook.PresentStyle = 0;
    textbook.RelLineColor = 0x00AA00;
    b.editor.applySettings(textbook, TemplateInsets{});
    EXPECT_EQ(b.d.connector(k1).MN.Caption, "N");
    b.editor.replaceDiagram(b.d.document().emptyCopy());
    EXPECT_EQ(b.d.elementCount(), 1);
    EXPECT_EQ(history.stack().count(), steps + 3);

    b.editor.undo();
    EXPECT_EQ(b.d.elementCount(), drawn.elementCount()) << "the load taken back";
    b.editor.undo();
    EXPECT_EQ(b.d.settings, settings);
    EXPECT_EQ(b.d.connector(k1).MN.Caption, "0,N");
    EXPECT_EQ(b.d.connector(k1).Line1.BorderColor, settings.RelLineColor);
    b.editor.undo();
    EXPECT_EQ(b.d.connector(k1).MN, drawn.connector(k1).MN);

    b.editor.deleteEntity(e);
    EXPECT_EQ(history.stack().undoText(), "刪除 EMPLOYEE");
    b.editor.undo();
    EXPECT_TRUE(b.d.isLiveElement(e));
    EXPECT_EQ(history.stack().redoText(), "刪除 EMPLOYEE");
}

// Naming the project and putting the stored settings in force are no steps of their own; a
// project named by a load belongs to the load's step, so Undo gives the earlier project back.
TEST(History, ProjectNamesAndStartupSettingsAreNoSteps) {
    DiagramBuilder b;
    History history(b.d);
    b.editor.setHistory(&history);
    b.entity("BOOK");
    const int steps = history.stack().count();

    const ProjectIdentity saved{"Library", "Library", "library.db", false};
    b.editor.nameProject(saved, QString("Library"));
    EXPECT_EQ(b.d.view.project, saved);
    EXPECT_EQ(b.d.view.projectName, "Library");
    b.editor.nameProject(std::nullopt, QString("typed"));
    EXPECT_EQ(b.d.view.project, saved) << "the identity stays when only a name is typed";

    DiagramSettings values{b.d.settings, {7, 8, 9}, "someone"};
    values.settings.PresentStyle = 0;
    values.settings.RelLineColor = 0x123456;
    values.settings.WindowBackColor = 0x000001;
    const OleColor windowBack = b.d.settings.WindowBackColor;
    b.editor.putSettingsInForce(values);
    EXPECT_EQ(history.stack().count(), steps);
    EXPECT_EQ(b.d.settings.WindowBackColor, windowBack) << "no stored setting";
    EXPECT_EQ(b.d.connector(0).Line2.BorderColor, 0x123456);
    values.settings.WindowBackColor = windowBack;
    const DiagramSettings reported = b.editor.settingsInForce();
    EXPECT_EQ(reported.settings, values.settings);
    EXPECT_EQ(reported.insets.EllWidth, 8);
    EXPECT_EQ(reported.projectName, "someone");

    b.editor.replaceDiagram(b.d.document().emptyCopy(), {"Other", "Other", "other.db", true});
    EXPECT_EQ(history.stack().count(), steps + 1);
    b.editor.undo();
    EXPECT_EQ(b.d.view.project, saved);
}

}  // namespace
