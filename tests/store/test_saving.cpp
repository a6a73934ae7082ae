// Saving that never surprises: which project the diagram is, Save and Save As, Enter on the
// questions, saving over a project in tables without cascading deletes, and drafts.
#include <gtest/gtest.h>

#include "checkdiagram.h"
#include "diagrambuilder.h"
#include "history.h"
#include "projectcatalog.h"
#include "schema.h"
#include "storetesting.h"

namespace {

class Saving : public StoreTest {
protected:
    // A stored project holding one entity `caption` with a key.
    void store(const QString& name, const QString& caption) {
        DiagramBuilder b;
        b.attribute(b.entity(caption), "id", true);
        ASSERT_TRUE(StoreTest::store().saveAs(b.d, name).ok);
    }
    // The entity captions of stored project `name`.
    QStringList entitiesOf(const QString& name) const {
        return rowsText(QString("SELECT e.\"eName\" FROM \"EntityType\" e JOIN \"Project\" p ON "
                                "p.\"i\" = e.\"Pi\" WHERE p.\"ProjectName\" = '%1' ORDER BY 1")
                            .arg(name));
    }
    bool load(DiagramBuilder& b, const QString& name) {
        if (!b.editor.captureRect().isEmpty()) b.prompts.answerConfirm(true);  // clear the canvas
        b.prompts.answer(name);
        return loadProject(StoreTest::store(), b.editor, {});
    }
    bool save(DiagramBuilder& b, SaveTarget target = SaveTarget::Current) {
        return saveProject(StoreTest::store(), b.editor, {}, nullptr, target);
    }
};

TEST_P(Saving, EnterNeverReplacesAnotherProjectAndSaveGoesToTheDiagramsOwnUnasked) {
    store("A", "Alpha");
    store("B", "Beta");
    DiagramBuilder b;
    ASSERT_TRUE(load(b, "A"));
    EXPECT_EQ(b.d.view.project, (ProjectIdentity{"A", "A", StoreTest::store().place(), false}));

    // Ctrl+Shift+S, "B", Enter: the question's default is No.
    b.prompts.answer("B");
    b.prompts.answerEnter();
    EXPECT_FALSE(save(b, SaveTarget::AskForName));
    EXPECT_EQ(b.prompts.confirmations, QStringList{"Project B 已存在, 要覆蓋嗎?"});
    EXPECT_EQ(b.prompts.confirmationDefaults.back(), Prompts::Answer::No);
    EXPECT_EQ(entitiesOf("B"), QStringList{"Beta"});
    EXPECT_EQ(b.d.view.project.stored, "A");

    // Ctrl+S: the diagram's own project, without a question.
    const size_t asked = b.prompts.inputRequests.size();
    b.d.element(1).Caption = "Alpha 2";
    EXPECT_TRUE(save(b));
    EXPECT_EQ(b.prompts.inputRequests.size(), asked);
    EXPECT_EQ(b.prompts.confirmations.size(), 1);
    EXPECT_EQ(entitiesOf("A"), QStringList{"Alpha 2"});
    EXPECT_EQ(entitiesOf("B"), QStringList{"Beta"});

    // The same name in another store is another project: asked for.
    QTemporaryDir elsewhere;
    EXPECT_FALSE(saveProject(ProjectStore("sqlite:" + elsewhere.filePath("other.db")), b.editor, {},
                             nullptr, SaveTarget::Current))
        << "Cancel in the name box";
    EXPECT_EQ(b.prompts.inputRequests.back().defaultText, "A");
}

TEST_P(Saving, UndoingALoadOrANewDiagramTakesTheProjectBackToo) {
    store("A", "Alpha");
    store("B", "Beta");
    DiagramBuilder b;
    History history(b.d);
    b.editor.setHistory(&history);
    ASSERT_TRUE(load(b, "A"));
    ASSERT_TRUE(load(b, "B"));
    b.editor.undo();
    EXPECT_EQ(b.d.element(1).Caption, "Alpha");
    EXPECT_EQ(b.d.view.project.name, "A") << "the caption names the drawing it shows";
    EXPECT_TRUE(save(b));
    EXPECT_EQ(b.prompts.confirmations.size(), 1) << "only the question before clearing A";
    EXPECT_EQ(entitiesOf("B"), QStringList{"Beta"}) << "B is not replaced by A's drawing";
    b.editor.redo();
    EXPECT_EQ(b.d.view.project.stored, "B");

    // New: no project, an empty name box, and B is replaced only when the user says so.
    b.editor.newDiagram();
    EXPECT_EQ(b.d.view.project, ProjectIdentity{});
    b.attribute(b.entity("Gamma"), "id", true);
    b.prompts.answer("B");
    b.prompts.answerEnter();
    EXPECT_FALSE(save(b));
    EXPECT_EQ(b.prompts.inputRequests.back().defaultText, "");
    EXPECT_EQ(entitiesOf("B"), QStringList{"Beta"});
    // An edit made after a save keeps the project when it is taken back.
    b.prompts.answer("C");
    ASSERT_TRUE(save(b));
    b.d.element(1).Caption = "changed";
    b.editor.createElement(KindEntity);
    b.editor.undo();
    EXPECT_EQ(b.d.view.project.stored, "C");
    b.editor.undo();  // the key attribute, drawn before the save
    EXPECT_EQ(b.d.view.project.stored, "C");
}

TEST_P(Saving, SavingOverAProjectDeletesItsRowsFromEveryTableWithoutCascades) {
    const auto provider = GetParam() == Engine::SQLite ? DatabaseUrl::Provider::SQLite
                                                       : DatabaseUrl::Provider::PostgreSQL;
    for (QString statement : schemaStatements(provider))
        ASSERT_TRUE(execute(statement.replace("ON DELETE CASCADE", "")));
    DiagramBuilder b;
    drawSample(b);
    const QStringList tables{"EntityType", "Attribute", "Invoke", "ET_Identify_WET"};
    const auto counts = [&] {
        QStringList result;
        for (const QString& table : tables) result << QString::number(count(table));
        return result;
    };
    ASSERT_TRUE(StoreTest::store().saveAs(b.d, "school").ok);
    const QStringList once = counts();
    ASSERT_TRUE(StoreTest::store().saveAs(b.d, "school").ok);
    EXPECT_EQ(counts(), once) << "the old rows went with the project";
    StoreError error;
    EXPECT_EQ(deleteProject(StoreTest::store(), "school", &error), CatalogChange::Done);
    EXPECT_EQ(counts(), QStringList({"0", "0", "0", "0"}));
    EXPECT_EQ(count("ProjectExtra"), 0);
}

TEST_P(Saving, AFailingDiagramIsOfferedAsADraftThatKeepsEverythingDrawn) {
    store("other", "Other");
    DiagramBuilder b;
    const int e = b.entity("Student");  // no key
    const int loose = b.editor.createElement(KindAttribute);
    b.d.element(loose).Caption = "unattached";
    const int f = b.entity("Course");
    b.attribute(f, "cid", true);
    const int r = b.relationship("Takes");
    b.binary(e, r, f);
    b.editor.deleteEntity(f);  // Takes keeps one entity
    const QStringList problems = [&] {
        QStringList messages;
        for (const DiagramProblem& p : findProblems(b.d)) messages << p.message;
        return messages;
    }();

    // Enter: 取消, nothing stored.
    b.prompts.answerEnter();
    EXPECT_FALSE(save(b));
    ASSERT_EQ(b.prompts.draftOffers.size(), 1);
    for (const DiagramProblem& problem : findProblems(b.d))
        EXPECT_EQ(b.prompts.draftOffers[0].contains(problem.message), !problem.isNote())
            << problem.message.toStdString();
    EXPECT_TRUE(b.prompts.inputRequests.empty());
    EXPECT_EQ(count("Project"), 1);

    b.prompts.answerDraft(true);
    b.prompts.answer("homework");
    ASSERT_TRUE(save(b));
    EXPECT_TRUE(b.d.view.project.draft);
    StoreError error;
    const auto listed = listProjects(StoreTest::store(), &error);
    ASSERT_TRUE(listed);
    EXPECT_TRUE(listed->front().draft && listed->front().name == "homework");
    EXPECT_FALSE(listed->back().draft);

    DiagramBuilder loaded;
    ASSERT_TRUE(load(loaded, "homework"));
    EXPECT_TRUE(loaded.prompts.messages.isEmpty())
        << loaded.prompts.messages.join("\n").toStdString();
    EXPECT_EQ(storedData(loaded.d), storedData(b.d));
    EXPECT_TRUE(loaded.d.view.project.draft);
    QStringList again;
    for (const DiagramProblem& p : findProblems(loaded.d)) again << p.message;
    EXPECT_EQ(again, problems);

    // Saved again as a project, it is a draft no more.
    loaded.attribute(e, "sid", true);
    loaded.attribute(e, "spare");
    loaded.editor.deleteAttribute(loose);
    loaded.editor.deleteRelationship(r);
    EXPECT_TRUE(save(loaded));
    EXPECT_FALSE(loaded.d.view.project.draft);
    EXPECT_FALSE(listProjects(StoreTest::store(), &error)->front().draft);
}

TEST_P(Saving, EarlierVersionsStillReadTheStoreAndTheirSavesDropTheDraftMark) {
    store("plain", "Plain");
    DiagramBuilder b;
    b.entity("NoKey");
    ASSERT_TRUE(StoreTest::store().saveAs(b.d, "draft", nullptr, true).ok);
    // The five tables are as an earlier version expects them.
    RawConnection raw(url());
    StoreError error;
    EXPECT_EQ(checkSchema(raw.db(),
                          GetParam() == Engine::SQLite ? DatabaseUrl::Provider::SQLite
                                                       : DatabaseUrl::Provider::PostgreSQL,
                          &error),
              std::optional<bool>(true));
    // An earlier version saving the draft again leaves the table beside the five as it was; the
    // row then belongs to an older save and is not read.
    ASSERT_TRUE(execute("UPDATE \"ProjectSaved\" SET \"SavedAt\" = 'later'"));
    DiagramBuilder loaded;
    ASSERT_TRUE(load(loaded, "draft"));
    EXPECT_FALSE(loaded.d.view.project.draft);
    EXPECT_FALSE(listProjects(StoreTest::store(), &error)->front().draft);
    // Without the table beside the five every project still loads.
    ASSERT_TRUE(execute("DROP TABLE \"ProjectExtra\""));
    DiagramBuilder plain;
    ASSERT_TRUE(load(plain, "plain"));
    EXPECT_EQ(plain.d.element(1).Caption, "Plain");
}

INSTANTIATE_TEST_SUITE_P(Engines, Saving, testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         engineName);

}  // namespace
