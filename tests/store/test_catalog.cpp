#include <gtest/gtest.h>

#include "diagrambuilder.h"
#include "projectcatalog.h"
#include "storetesting.h"

namespace {

class Catalog : public StoreTest {
protected:
    // Saves a valid project of one entity with `attributes` attributes.
    void save(const QString& name, int attributes) {
        DiagramBuilder b;
        const int e = b.entity("E");
        for (int i = 0; i < attributes; ++i) b.attribute(e, QString("a%1").arg(i), i == 0);
        ASSERT_TRUE(store().saveAs(b.d, name).ok);
    }

    QStringList listed() {
        StoreError error;
        const auto projects = listProjects(store(), &error);
        EXPECT_TRUE(projects) << error.text().toStdString();
        QStringList lines;
        for (const ProjectSummary& p : projects.value_or(std::vector<ProjectSummary>{})) {
            EXPECT_TRUE(p.savedAt.isValid()) << p.name.toStdString();
            EXPECT_LE(p.savedAt.secsTo(QDateTime::currentDateTimeUtc()), 60);
            lines << QString("%1 %2 %3").arg(p.number).arg(p.name).arg(p.elements);
        }
        return lines;
    }
};

TEST_P(Catalog, ListsRenamesAndDeletesProjects) {
    EXPECT_EQ(listed(), QStringList());
    save("b 'O''Brien'", 2);
    save("a", 1);
    save("c 日本", 3);
    EXPECT_EQ(listed(), QStringList({"2 a 2", "1 b 'O''Brien' 3", "3 c 日本 4"}));

    StoreError error;
    EXPECT_EQ(renameProject(store(), "a", "c 日本", &error), CatalogChange::NameTaken);
    EXPECT_EQ(renameProject(store(), "none", "z", &error), CatalogChange::NotFound);
    EXPECT_EQ(renameProject(store(), "a", "z", &error), CatalogChange::Done);
    EXPECT_EQ(listed(), QStringList({"1 b 'O''Brien' 3", "3 c 日本 4", "2 z 2"}));

    // Deleting takes every row of the project and nothing of the others.
    EXPECT_EQ(deleteProject(store(), "b 'O''Brien'", &error), CatalogChange::Done);
    EXPECT_EQ(deleteProject(store(), "b 'O''Brien'", &error), CatalogChange::NotFound);
    EXPECT_EQ(listed(), QStringList({"3 c 日本 4", "2 z 2"}));
    EXPECT_EQ(count("Attribute"), 3 + 1);
    EXPECT_EQ(count("ProjectSaved"), 2);

    // Saving again keeps the number and moves the time.
    save("z", 5);
    EXPECT_EQ(listed(), QStringList({"3 c 日本 4", "2 z 6"}));
}

TEST_P(Catalog, AStoreWithoutSaveTimesStillLists) {
    save("old", 1);
    ASSERT_TRUE(execute("DROP TABLE \"ProjectSaved\""));
    StoreError error;
    const auto projects = listProjects(store(), &error);
    ASSERT_TRUE(projects);
    ASSERT_EQ(projects->size(), 1u);
    EXPECT_FALSE(projects->front().savedAt.isValid());
}

INSTANTIATE_TEST_SUITE_P(Engines, Catalog, testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         engineName);

}  // namespace
