#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <functional>

#include "classlinks.h"
#include "diagrambuilder.h"
#include "invariants.h"
#include "projectcatalog.h"
#include "projectfile.h"
#include "storetesting.h"
#include "textbookeer.h"

// Enhanced-ER circles and their lines in stored projects and project files: kept in two tables
// of their own beside the five, made only when a project has a circle.

namespace {

// The textbook's example with every choice a circle can have: a defining attribute (by job),
// 8B on a total specialization (by pay), an overlapping one mapped by flags (managers), a total
// category with a colour of its own.
struct Eer : TextbookEer {
    Eer() {
        b.editor.setSubclassMapping(byPay, SubclassMapping::SubclassesOnly);
        b.editor.setOverlapping(managers, true);
        b.editor.setSubclassMapping(managers, SubclassMapping::TypeFlags);
        b.editor.setTotalSpecialization(ownerCategory, true);
        b.d.element(ownerCategory).BackColor = 0x00FF80;
        // The participations were written straight into their labels: placed as a load places them.
        b.editor.layoutAllConnectors();
    }
    // How many live elements are `which`; how many live superclass and subclass lines there are.
    int count(const std::function<bool(const Element&)>& which) const {
        int n = 0;
        for (int i = 1; i < b.d.elementCount(); ++i)
            if (b.d.isLiveElement(i) && which(b.d.element(i))) ++n;
        return n;
    }
    int classLinks() const {
        int n = 0;
        for (int k = 1; k < b.d.connectorCount(); ++k)
            if (b.d.isLiveConnector(k) && b.d.connector(k).isClassLink()) ++n;
        return n;
    }
};

// Everything the load must give back, and each circle's classes in the order they were joined.
void expectSameEer(const Diagram& loaded, const Diagram& original) {
    EXPECT_EQ(storedData(loaded), storedData(original));
    EXPECT_EQ(loaded.elementCount(), original.elementCount());
    EXPECT_EQ(findInconsistency(loaded, {}), "");
    for (int i = 1; i < original.elementCount(); ++i) {
        if (!original.isLiveElement(i) || !original.element(i).isSpecializationKind()) continue;
        const ClassLinks want = classLinksOf(original.document(), i);
        const ClassLinks got = classLinksOf(loaded.document(), i);
        EXPECT_EQ(got.superclasses, want.superclasses) << "circle " << i;
        EXPECT_EQ(got.subclasses, want.subclasses) << "circle " << i;
    }
}

class SpecializationStore : public StoreTest {
protected:
    QStringList tables() const {
        return rowsText(GetParam() == Engine::SQLite
                            ? "SELECT name FROM sqlite_master WHERE type = 'table'"
                            : "SELECT table_name FROM information_schema.tables "
                              "WHERE table_schema = current_schema()");
    }
};

TEST_P(SpecializationStore, AnEerDiagramComesBackWholeAndNothingOfItEntersTheFiveTables) {
    const Eer original;
    DiagramBuilder loaded;
    const auto saved = store().saveAs(original.b.d, "company");
    ASSERT_TRUE(saved.ok) << saved.error.text().toStdString();
    const auto result = store().loadInto(loaded.editor, "company");
    ASSERT_EQ(result.status, ProjectStore::LoadResult::Status::Loaded)
        << result.error.text().toStdString();
    EXPECT_EQ(result.skippedRows, 0);
    expectSameEer(loaded.d, original.b.d);
    // An earlier version reads every EntityType row as an entity or relationship.
    EXPECT_EQ(rowsText("SELECT count(*) FROM \"EntityType\" WHERE \"type\" NOT IN (0, 1, 4, 5)"),
              QStringList{"0"});

    // Saved again from the loaded diagram, the rows are the same but for the save time.
    const auto circleRows = [this] {
        QStringList rows = rowsText(
            "SELECT \"i\", \"eName\", \"color\", \"type\", \"overlapping\", \"total\", "
            "\"mapping\", \"Ai\" FROM \"Specialization\" ORDER BY \"i\"");
        rows += rowsText(
            "SELECT \"n\", \"Ci\", \"Ei\", \"IsSuperclass\" FROM "
            "\"SpecializationLink\" ORDER BY \"n\"");
        return rows;
    };
    const QStringList before = circleRows();
    ASSERT_TRUE(store().saveAs(loaded.d, "company").ok);
    EXPECT_EQ(circleRows(), before);
    EXPECT_EQ(before.size(),
              original.count(&Element::isSpecializationKind) + original.classLinks());
}

TEST_P(SpecializationStore, TheNewTablesComeWithTheFirstCircleAndCountOnlyForTheLastSave) {
    // A store with today's tables and a project without circles: saving it creates nothing new.
    DiagramBuilder basic;
    drawSample(basic);
    ASSERT_TRUE(store().saveAs(basic.d, "school").ok);
    const QStringList plain = tables();
    EXPECT_FALSE(plain.contains("Specialization"));
    EXPECT_FALSE(plain.contains("SpecializationLink"));

    const Eer eer;
    const auto saved = store().saveAs(eer.b.d, "company");
    ASSERT_TRUE(saved.ok) << saved.error.text().toStdString();
    EXPECT_TRUE(tables().contains("Specialization"));
    EXPECT_TRUE(tables().contains("SpecializationLink"));
    ASSERT_TRUE(store().saveAs(basic.d, "school").ok);
    DiagramBuilder school;
    ASSERT_EQ(store().loadInto(school.editor, "school").skippedRows, 0);
    EXPECT_EQ(storedData(school.d), storedData(basic.d));

    // The listed element count takes in the circles: every element is counted.
    const auto listed = listProjects(store(), nullptr);
    ASSERT_TRUE(listed);
    const auto company = std::find_if(listed->begin(), listed->end(),
                                      [](const ProjectSummary& p) { return p.name == "company"; });
    ASSERT_NE(company, listed->end());
    EXPECT_EQ(company->elements, eer.count([](const Element&) { return true; }));

    // An earlier version saving "company" again leaves these tables alone and records a new save
    // time: the old circles no longer belong to the project.
    const QString pi = QString::number(saved.projectNumber);
    ASSERT_TRUE(
        execute("UPDATE \"ProjectSaved\" SET \"SavedAt\" = '2020-01-01T00:00:00.000Z' "
                "WHERE \"Pi\" = " +
                pi));
    DiagramBuilder reread;
    const auto result = store().loadInto(reread.editor, "company");
    ASSERT_EQ(result.status, ProjectStore::LoadResult::Status::Loaded);
    EXPECT_EQ(result.skippedRows, 0);
    for (int i = 1; i < reread.d.elementCount(); ++i)
        EXPECT_FALSE(reread.d.isLiveElement(i) && reread.d.element(i).isSpecializationKind()) << i;
    EXPECT_EQ(findInconsistency(reread.d, {}), "");

    // An earlier version deleting it leaves the rows beside the five; the next project, which
    // takes the number, still saves and loads whole.
    for (const char* table : {"ET_Identify_WET", "Invoke", "Attribute", "EntityType"})
        ASSERT_TRUE(execute(QStringLiteral("DELETE FROM \"%1\" WHERE \"Pi\" = ").arg(table) + pi));
    ASSERT_TRUE(execute("DELETE FROM \"Project\" WHERE \"i\" = " + pi));
    const auto next = store().saveAs(eer.b.d, "garage");
    ASSERT_TRUE(next.ok) << next.error.text().toStdString();
    EXPECT_EQ(next.projectNumber, saved.projectNumber);
    DiagramBuilder garage;
    ASSERT_EQ(store().loadInto(garage.editor, "garage").skippedRows, 0);
    expectSameEer(garage.d, eer.b.d);

    // Deleting a project deletes its circles and lines.
    EXPECT_EQ(deleteProject(store(), "garage", nullptr), CatalogChange::Done);
    EXPECT_EQ(count("Specialization") + count("SpecializationLink"), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, SpecializationStore,
                         testing::Values(Engine::SQLite, Engine::PostgreSQL), engineName);

TEST(SpecializationFile, AnEerProjectFileComesBackWhole) {
    QTemporaryDir dir;
    const Eer original;
    DiagramBuilder loaded;
    const QString path = dir.filePath("company.relvane");
    ASSERT_EQ(exportProjectFile(original.b.d, path, "company"), std::nullopt);
    QString problem, warning;
    ASSERT_EQ(importProjectFile(loaded.editor, path, &problem, &warning), "company")
        << problem.toStdString();
    EXPECT_EQ(warning, "");
    expectSameEer(loaded.d, original.b.d);
}

// Rows another tool or a damaged store may hold: each is left out or read as the default, and
// counted, and what is loaded still holds together.
class HostileSpecializationRows : public SpecializationStore {};

TEST_P(HostileSpecializationRows, AreLeftOutOrReadAsDefaultsAndCounted) {
    const Eer s;
    const auto n = [](int i) { return QString::number(i); };
    const struct {
        QString sql;
        int skipped;
        std::function<bool(const Diagram&)> holds;
    } cases[] = {
        // The first line drawn is EMPLOYEE's superclass line of byJob.
        {"UPDATE \"SpecializationLink\" SET \"Ei\" = 999 WHERE \"n\" = 1", 1,
         [&](const Diagram& d) {
             return classLinksOf(d.document(), s.byJob).superclasses.empty();
         }},
        {"UPDATE \"SpecializationLink\" SET \"Ei\" = " + n(s.ssn) + " WHERE \"n\" = 1", 1,
         [&](const Diagram& d) {
             return classLinksOf(d.document(), s.byJob).superclasses.empty();
         }},
        {"INSERT INTO \"SpecializationLink\" SELECT \"Pi\", 99, \"Ci\", " + n(s.salaried) +
             ", 1, \"SavedAt\" FROM \"SpecializationLink\" WHERE \"n\" = 1",
         1,
         [&](const Diagram& d) {
             return classLinksOf(d.document(), s.byJob).superclasses ==
                    std::vector<int>{s.employee};
         }},
        // A circle of another kind is left out with its three lines.
        {"UPDATE \"Specialization\" SET \"type\" = 4 WHERE \"i\" = " + n(s.byPay), 4,
         [&](const Diagram& d) { return !d.isLiveElement(s.byPay); }},
        {"UPDATE \"Specialization\" SET \"mapping\" = '8Z' WHERE \"i\" = " + n(s.byPay), 1,
         [&](const Diagram& d) {
             return d.element(s.byPay).Mapping == SubclassMapping::SuperclassAndSubclasses;
         }},
        {"UPDATE \"Specialization\" SET \"total\" = 0 WHERE \"i\" = " + n(s.byPay), 1,
         [&](const Diagram& d) {
             return d.element(s.byPay).Mapping == SubclassMapping::SuperclassAndSubclasses &&
                    !d.element(s.byPay).Total;
         }},
        {"UPDATE \"Specialization\" SET \"Ai\" = " + n(s.secretary) +
             " WHERE \"i\" = " + n(s.byJob),
         1, [&](const Diagram& d) { return d.element(s.byJob).DefiningAttribute == 0; }},
        {"UPDATE \"Specialization\" SET \"i\" = " + n(s.employee) +
             " WHERE \"i\" = " + n(s.ownerCategory),
         5, [&](const Diagram& d) { return d.element(s.employee).isEntityKind(); }},
        {"UPDATE \"Specialization\" SET \"overlapping\" = 'yes' WHERE \"i\" = " +
             n(s.ownerCategory),
         5, [&](const Diagram& d) { return !d.isLiveElement(s.ownerCategory); }},
    };
    for (const auto& c : cases) {
        if (GetParam() == Engine::PostgreSQL && c.sql.contains("'yes'")) continue;
        ASSERT_TRUE(store().saveAs(s.b.d, "company").ok);
        ASSERT_TRUE(execute(c.sql)) << c.sql.toStdString();
        DiagramBuilder b;
        const auto result = store().loadInto(b.editor, "company");
        ASSERT_EQ(result.status, ProjectStore::LoadResult::Status::Loaded) << c.sql.toStdString();
        EXPECT_EQ(result.skippedRows, c.skipped) << c.sql.toStdString();
        EXPECT_TRUE(c.holds(b.d)) << c.sql.toStdString();
        EXPECT_EQ(findInconsistency(b.d, {}), "") << c.sql.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, HostileSpecializationRows,
                         testing::Values(Engine::SQLite, Engine::PostgreSQL), engineName);

}  // namespace
