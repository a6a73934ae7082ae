// Several projects read in one pass: each built from its own rows as a load of it alone builds it.
#include <gtest/gtest.h>

#include "diagrambuilder.h"
#include "projectbuilder.h"
#include "storetesting.h"

namespace {

class ReadProjects : public StoreTest {
protected:
    // Three projects with different contents, one of them under an awkward name.
    void SetUp() override {
        StoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        DiagramBuilder sample;
        sample.d.settings.PresentStyle = 1;
        drawSample(sample);
        ASSERT_TRUE(store().saveAs(sample.d, "sample").ok);
        DiagramBuilder small;
        small.attribute(small.entity("Only"), "Key", true);
        ASSERT_TRUE(store().saveAs(small.d, kOddName).ok);
        DiagramBuilder empty;
        ASSERT_TRUE(store().saveAs(empty.d, "empty").ok);
    }

    // The project built from its rows of a bulk read, as storedData lists it.
    static QStringList built(const NamedProjectRows& project) {
        DiagramBuilder b;
        b.d.settings.PresentStyle = 1;
        EXPECT_EQ(buildDiagram(b.editor, project.rows), 0) << project.name.toStdString();
        return storedData(b.d);
    }
    // The same project loaded on its own.
    QStringList loaded(const QString& name) const {
        DiagramBuilder b;
        b.d.settings.PresentStyle = 1;
        EXPECT_EQ(store().loadInto(b.editor, name).status, ProjectStore::LoadResult::Status::Loaded);
        return storedData(b.d);
    }

    const QString kOddName = QStringLiteral("O'Brien \"甲\", 第 2 版");
};

TEST_P(ReadProjects, EveryProjectGetsItsOwnRowsAndNoOneElses) {
    const ProjectStore::ReadResult all = store().readProjects(std::nullopt);
    ASSERT_TRUE(all.ok) << all.error.text().toStdString();
    ASSERT_EQ(all.projects.size(), 3u);
    EXPECT_EQ(all.projects[0].name, "sample");
    EXPECT_EQ(all.projects[1].name, kOddName);
    EXPECT_EQ(all.projects[2].name, "empty");
    for (const NamedProjectRows& project : all.projects)
        EXPECT_EQ(built(project), loaded(project.name)) << project.name.toStdString();
    EXPECT_TRUE(all.projects[2].rows.entityTypes.empty());
}

TEST_P(ReadProjects, NamedProjectsOnlyAndNamesNotStoredLeftOut) {
    const auto some = store().readProjects(QStringList{kOddName, "absent", "sample"});
    ASSERT_TRUE(some.ok);
    ASSERT_EQ(some.projects.size(), 2u);
    EXPECT_EQ(some.projects[0].name, "sample");
    EXPECT_EQ(some.projects[1].name, kOddName);
    EXPECT_EQ(built(some.projects[1]), loaded(kOddName));

    const auto none = store().readProjects(QStringList{"absent"});
    EXPECT_TRUE(none.ok);
    EXPECT_TRUE(none.projects.empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, ReadProjects, testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         engineName);

}  // namespace
