#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
#include <array>
#include <random>
#include <tuple>

#include "canvas.h"
#include "fakeprompts.h"
#include "reviewpanel.h"
#include "workspace.h"

namespace {

// A panel over a real workspace and canvas, driven by editor commands as the mouse drives them.
struct PanelRig {
    FakePrompts prompts;
    Workspace workspace{prompts};
    Canvas canvas{workspace.diagram(), workspace.editor()};
    ReviewPanel panel{workspace, canvas};
    std::mt19937 random;

    explicit PanelRig(unsigned seed) : random(seed) { panel.show(); }

    int chance(int n) { return int(random() % unsigned(n)); }
    // A random live element of the kind, 0 when there is none.
    int any(bool (Element::*kind)() const) {
        std::vector<int> found;
        const Diagram& d = workspace.diagram();
        for (int i = 1; i < d.elementCount(); ++i)
            if (d.isLiveElement(i) && (d.element(i).*kind)()) found.push_back(i);
        return found.empty() ? 0 : found[size_t(chance(int(found.size())))];
    }

    // One random command: creation, an attribute joined to an entity, a key, a deletion, or (as
    // often as all of them) undo and redo.
    QString act() {
        Editor& editor = workspace.editor();
        const int e = any(&Element::isEntityKind), a = any(&Element::isAttributeKind);
        const int roll = e && a ? chance(10) : 0;
        if (roll < 3) {
            const char* item = std::array{"Entity", "Attribute", "Relationship"}[size_t(chance(3))];
            editor.buttonMenuItem(item);
            return QString("create %1").arg(item);
        }
        if (roll == 3) {
            editor.toolbarButton("AttLine");
            editor.elementLeftDown(e, 1, 1);
            editor.elementLeftDown(a, 1, 1);
            editor.cancel();
            return QString("join %1 to %2").arg(a).arg(e);
        }
        if (roll == 4) {
            editor.elementRightDown(a);
            editor.menuKey(a);
            return QString("key %1").arg(a);
        }
        if (roll == 5) {
            editor.deleteElement(chance(2) ? e : a);
            return "delete";
        }
        roll < 8 ? editor.undo() : editor.redo();
        return roll < 8 ? "undo" : "redo";
    }
};

}  // namespace

// Whatever a command, an undo or a redo changed, once the pause is over the panel shows what a
// panel opened afresh on the same diagram shows.
TEST(ReviewPanel, AfterEveryCommandUndoAndRedoItShowsWhatAFreshPanelShows) {
    for (unsigned seed : {1u, 31u, 2026u}) {
        PanelRig rig(seed);
        QStringList trace;
        for (int step = 0; step < 120; ++step) {
            trace << rig.act();
            // The pause ends: what the panel was waiting for, it shows now.
            if (rig.panel.refreshPending()) rig.panel.refresh();
            ReviewPanel fresh(rig.workspace, rig.canvas);
            fresh.refresh();
            ASSERT_EQ(rig.panel.text()->toPlainText().toStdString(),
                      fresh.text()->toPlainText().toStdString())
                << "seed " << seed << ": " << trace.join(", ").toStdString();
        }
    }
}

// A narrow panel breaks its lines between words, never inside a name.
TEST(ReviewPanel, WrapsLinesBetweenWordsOnly) {
    PanelRig rig(0);
    Editor& editor = rig.workspace.editor();
    // Two long names, each in a problem's line.
    for (const auto& [item, caption, menu] :
         {std::tuple{"Entity", "DEPARTMENTOFRESEARCH", Editor::Menu::Entity},
          std::tuple{"Attribute", "DepartmentNumber", Editor::Menu::Attribute}}) {
        editor.buttonMenuItem(item);
        rig.prompts.answer(caption);
        editor.rename(menu, rig.workspace.diagram().elementCount() - 1);
    }
    rig.panel.resize(140, 400);
    rig.panel.refresh();
    QCoreApplication::processEvents();

    const QTextDocument& document = *rig.panel.text()->document();
    const auto inName = [](QChar c) { return c.isLetterOrNumber() || c == '.' || c == '_'; };
    int wrapped = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (int n = 1; n < block.layout()->lineCount(); ++n) {
            ++wrapped;
            const int at = block.layout()->lineAt(n).textStart();
            EXPECT_FALSE(inName(text[at - 1]) && inName(text[at]))
                << "broken at " << at << " in " << text.toStdString();
        }
    }
    EXPECT_GT(wrapped, 0) << "the panel is narrow enough to wrap";
}
