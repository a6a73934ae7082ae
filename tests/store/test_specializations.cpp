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

// Enhanced-ER circles and their lines in stored projects and project files: kept in two tables
// of their own beside the five, made only when a project has a circle.

namespace {

struct EerSample {
    int employee, ssn, jobType, secretary, technician, engineer, salaried, hourly, manager;
    int person, bank, company, owner;
    int byJob, byPay, engineers, owners;  // the circles
};

// The textbook's EMPLOYEE with its subclasses by job type (disjoint, partial, defined by
// Job_type) and by pay (disjoint, total, 8B), ENGINEERING_MANAGER a subclass of both SALARIED and
// ENGINEER (overlapping, 8D), and OWNER, the total category of PERSON, BANK and COMPANY.
EerSample drawEer(DiagramBuilder& b) {
    EerSample s{};
    s.employee = b.entity("EMPLOYEE");
    s.ssn = b.attribute(s.employee, "Ssn", true);
    s.jobType = b.attribute(s.employee, "Job_type");
    s.secretary = b.entity("SECRETARY");
    s.technician = b.entity("TECHNICIAN");
    s.engineer = b.entity("ENGINEER");
    s.salaried = b.entity("SALARIED_EMPLOYEE");
    s.hourly = b.entity("HOURLY_EMPLOYEE");
    s.manager = b.entity("ENGINEERING_MANAGER");
    s.byJob = b.specialization(s.employee, {s.secretary, s.technician, s.engineer});
    b.editor.setDefiningAttribute(s.byJob, s.jobType);
    s.byPay = b.specialization(s.employee, {s.salaried, s.hourly}, false, true);
    b.editor.setSubclassMapping(s.byPay, SubclassMapping::SubclassesOnly);
    s.engineers = b.specialization(s.engineer, {s.manager}, true);
    b.editor.linkSubclass(s.salaried, b.editor.createElement(KindSpecialization), s.manager);
    b.editor.setSubclassMapping(s.engineers, SubclassMapping::TypeFlags);
    s.person = b.entity("PERSON");
    s.bank = b.entity("BANK");
    s.company = b.entity("COMPANY");
    s.owner = b.entity("OWNER");
    s.owners = b.category({s.person, s.bank, s.company}, s.owner, true);
    b.d.element(s.owners).BackColor = 0x00FF80;
    return s;
}

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
    DiagramBuilder original, loaded;
    drawEer(original);
    const auto saved = store().saveAs(original.d, "company");
    ASSERT_TRUE(saved.ok) << saved.error.text().toStdString();
    const auto result = store().loadInto(loaded.editor, "company");
    ASSERT_EQ(result.status, ProjectStore::LoadResult::Status::Loaded)
        << result.error.text().toStdString();
    EXPECT_EQ(result.skippedRows, 0);
    expectSameEer(loaded.d, original.d);
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
    EXPECT_EQ(before.size(), 5 + 15);
}

TEST_P(SpecializationStore, TheNewTablesComeWithTheFirstCircleAndCountOnlyForTheLastSave) {
    // A store with today's tables and a project without circles: saving it creates nothing new.
    DiagramBuilder basic;
    drawSample(basic);
    ASSERT_TRUE(store().saveAs(basic.d, "school").ok);
    const QStringList plain = tables();
    EXPECT_FALSE(plain.contains("Specialization"));
    EXPECT_FALSE(plain.contains("SpecializationLink"));

    DiagramBuilder eer;
    drawEer(eer);
    const auto saved = store().saveAs(eer.d, "company");
    ASSERT_TRUE(saved.ok) << saved.error.text().toStdString();
    EXPECT_TRUE(tables().contains("Specialization"));
    EXPECT_TRUE(tables().contains("SpecializationLink"));
    ASSERT_TRUE(store().saveAs(basic.d, "school").ok);
    DiagramBuilder school;
    ASSERT_EQ(store().loadInto(school.editor, "school").skippedRows, 0);
    EXPECT_EQ(storedData(school.d), storedData(basic.d));

    // The listed element count takes in the circles.
    const auto listed = listProjects(store(), nullptr);
    ASSERT_TRUE(listed);
    const auto company = std::find_if(listed->begin(), listed->end(),
                                      [](const ProjectSummary& p) { return p.name == "company"; });
    ASSERT_NE(company, listed->end());
    EXPECT_EQ(company->elements, 11 + 2 + 5);

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
    const auto next = store().saveAs(eer.d, "garage");
    ASSERT_TRUE(next.ok) << next.error.text().toStdString();
    EXPECT_EQ(next.projectNumber, saved.projectNumber);
    DiagramBuilder garage;
    ASSERT_EQ(store().loadInto(garage.editor, "garage").skippedRows, 0);
    expectSameEer(garage.d, eer.d);

    // Deleting a project deletes its circles and lines.
    EXPECT_EQ(deleteProject(store(), "garage", nullptr), CatalogChange::Done);
    EXPECT_EQ(count("Specialization") + count("SpecializationLink"), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, SpecializationStore,
                         testing::Values(Engine::SQLite, Engine::PostgreSQL), engineName);

TEST(SpecializationFile, AnEerProjectFileComesBackWhole) {
    QTemporaryDir dir;
    DiagramBuilder original, loaded;
    drawEer(original);
    const QString path = dir.filePath("company.relvane");
    ASSERT_EQ(exportProjectFile(original.d, path, "company"), std::nullopt);
    QString problem, warning;
    ASSERT_EQ(importProjectFile(loaded.editor, path, &problem, &warning), "company")
        << problem.toStdString();
    EXPECT_EQ(warning, "");
    expectSameEer(loaded.d, original.d);
}

// Rows another tool or a damaged store may hold: each is left out or read as the default, and
// counted, and what is loaded still holds together.
class HostileSpecializationRows : public SpecializationStore {};

TEST_P(HostileSpecializationRows, AreLeftOutOrReadAsDefaultsAndCounted) {
    DiagramBuilder original;
    const EerSample s = drawEer(original);
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
        {"UPDATE \"Specialization\" SET \"i\" = " + n(s.employee) + " WHERE \"i\" = " + n(s.owners),
         5, [&](const Diagram& d) { return d.element(s.employee).isEntityKind(); }},
        {"UPDATE \"Specialization\" SET \"overlapping\" = 'yes' WHERE \"i\" = " + n(s.owners), 5,
         [&](const Diagram& d) { return !d.isLiveElement(s.owners); }},
    };
    for (const auto& c : cases) {
        if (GetParam() == Engine::PostgreSQL && c.sql.contains("'yes'")) continue;
        ASSERT_TRUE(store().saveAs(original.d, "company").ok);
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
