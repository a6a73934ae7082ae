#include <gtest/gtest.h>

#include <QTableWidget>
#include <QTemporaryDir>

#include "diagrambuilder.h"
#include "fakeprompts.h"
#include "projectlistdialog.h"

// Load's project list on a real store: the filter, and delete and rename asking first.
TEST(ProjectList, FiltersDeletesAndRenamesWithTheUsersConsent) {
    QTemporaryDir dir;
    const ProjectStore store(dir.filePath("projects.db"));
    for (const QString name : {"Library", "lab 1", "Hotel"}) {
        DiagramBuilder b;
        b.attribute(b.entity("E"), "id", true);
        ASSERT_TRUE(store.saveAs(b.d, name).ok);
    }
    FakePrompts prompts;
    // The name typed last is offered, yet the list opens whole.
    ProjectListDialog list(store, prompts, "What's your project name", "Project Name", "Hotel");
    EXPECT_EQ(list.name(), "Hotel");
    EXPECT_EQ(list.shownRows(), QStringList({"Hotel|3|2", "lab 1|2|2", "Library|1|2"}));
    list.setFilterText("LI");
    EXPECT_EQ(list.shownRows(), QStringList({"Library|1|2"}));
    // A name typed that is not in the list is still the name loaded.
    list.setFilterText("new one");
    EXPECT_EQ(list.name(), "new one");
    EXPECT_TRUE(list.shownRows().isEmpty());

    list.setFilterText("lab 1");
    prompts.answerConfirm(false);
    list.deleteChosen();
    prompts.answer("Hotel");
    list.renameChosen();
    EXPECT_EQ(prompts.messages, QStringList({"已經有名為 Hotel 的專案"}));
    prompts.answerConfirm(true);
    list.deleteChosen();
    ASSERT_EQ(prompts.confirmations.size(), 2);
    // Deleted, the name is gone from the box, the list shows whole and has the focus.
    EXPECT_EQ(list.name(), "");
    EXPECT_EQ(list.shownRows(), QStringList({"Hotel|3|2", "Library|1|2"}));
    EXPECT_EQ(list.focusWidget(), list.findChild<QTableWidget*>());
}
