#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <tuple>

#include "checkdiagram.h"
#include "conversionjob.h"
#include "diagrambuilder.h"
#include "diagramedits.h"
#include "diagramwarnings.h"
#include "history.h"
#include "qtprint.h"

namespace {

// Entity Employee (EmpNo key) and Department (DeptNo key) joined by WorksFor.
struct WorksFor {
    DiagramBuilder b;
    int employee = b.entity("Employee");
    int empNo = b.attribute(employee, "EmpNo", true);
    int department = b.entity("Department");
    int deptNo = b.attribute(department, "DeptNo", true);
    int worksFor = b.relationship("WorksFor");
    std::pair<int, int> k = b.binary(employee, worksFor, department);
};

// Employee with a recursive relationship Supervises, roles and participations as given.
struct Supervises {
    Supervises(const QString& role1, const QString& mn1, const QString& role2, const QString& mn2) {
        b.setRole(k.first, role1);
        b.setRole(k.second, role2);
        b.setParticipation(k.first, mn1);
        b.setParticipation(k.second, mn2);
    }
    DiagramBuilder b;
    int employee = b.entity("Employee");
    int empNo = b.attribute(employee, "EmpNo", true);
    int supervises = b.relationship("Supervises");
    std::pair<int, int> k = b.recursive(employee, supervises);
};

// Employee owns weak entity Dependent through the identifying relationship Has.
struct Dependents {
    DiagramBuilder b;
    int employee = b.entity("Employee");
    int empNo = b.attribute(employee, "EmpNo", true);
    int dependent = b.entity("Dependent");
    int has = b.relationship("Has");
    std::pair<int, int> k = b.binary(dependent, has, employee);
    Dependents() {
        b.makeWeak(dependent, has);
        b.setParticipation(k.second, "0,N");
    }
};

bool check(DiagramBuilder& b) {
    b.prompts.messages.clear();
    return CheckDiagram(b.editor);
}

TEST(CheckDiagram, EmptyDiagramHasNoData) {
    DiagramBuilder b;
    EXPECT_FALSE(check(b));
    EXPECT_EQ(b.prompts.messages, QStringList{"目前沒有任何資料"});
}

TEST(CheckDiagram, DiagramWhoseElementsAreAllDeletedHasNoData) {
    WorksFor w;
    w.b.editor.deleteElement(w.worksFor);
    w.b.editor.deleteElement(w.employee);
    w.b.editor.deleteElement(w.department);
    for (int i = 1; i < w.b.d.elementCount(); ++i) ASSERT_FALSE(w.b.d.element(i).Visible) << i;
    EXPECT_FALSE(check(w.b));
    EXPECT_EQ(w.b.prompts.messages, QStringList{"目前沒有任何資料"});
}

TEST(CheckDiagram, CompleteDiagramPasses) {
    WorksFor w;
    w.b.setParticipation(w.k.first, "1,N");
    w.b.setParticipation(w.k.second, "0,1");
    EXPECT_TRUE(check(w.b));
    EXPECT_TRUE(w.b.prompts.messages.isEmpty());
}

TEST(CheckDiagram, EntityWithoutKeyAttributeFails) {
    DiagramBuilder b;
    const int e = b.entity("Course");
    b.attribute(e, "Title");
    EXPECT_FALSE(check(b));
    EXPECT_EQ(b.prompts.messages, QStringList{"實體 Course 沒有設定主鍵"});
}

TEST(CheckDiagram, EntityWhoseOnlyAttributeWasDeletedHasNoKey) {
    DiagramBuilder b;
    const int e = b.entity("Course");
    const int key = b.attribute(e, "CourseNo", true);
    b.editor.deleteElement(key);
    ASSERT_FALSE(b.d.element(key).Visible);
    EXPECT_FALSE(check(b));
    EXPECT_EQ(b.prompts.messages, QStringList{"實體 Course 沒有設定主鍵"});
}

TEST(CheckDiagram, UnderlinedMultivaluedAttributeIsAKey) {
    DiagramBuilder b;
    const int e = b.entity("Student");
    const int phone = b.multAttribute(e, "Phone", true);
    ASSERT_TRUE(b.d.element(phone).is(KindMultAttribute));
    ASSERT_TRUE(b.d.element(phone).underlined());
    EXPECT_TRUE(check(b));
    EXPECT_TRUE(b.prompts.messages.isEmpty());
}

TEST(CheckDiagram, WeakEntityNeedsNoAttributes) {
    Dependents w;
    w.b.setParticipation(w.k.first, "1,N");
    ASSERT_TRUE(w.b.d.element(w.dependent).is(KindWeakEntity));
    EXPECT_TRUE(check(w.b));
    EXPECT_TRUE(w.b.prompts.messages.isEmpty());
}

TEST(CheckDiagram, AttributeWithoutOwnerFails) {
    DiagramBuilder b;
    const int e = b.entity("Student");
    b.attribute(e, "StudentNo", true);
    const int lonely = b.editor.createElement(KindAttribute);
    b.d.element(lonely).Caption = "Nickname";
    EXPECT_FALSE(check(b));
    EXPECT_EQ(b.prompts.messages, QStringList{"屬性 Nickname 未設定擁有者!"});
}

TEST(CheckDiagram, RelationshipWithOneEntityFails) {
    DiagramBuilder b;
    const int e = b.entity("Student");
    b.attribute(e, "StudentNo", true);
    const int r = b.relationship("Enrols");
    const int course = b.entity("Course");
    b.binary(e, r, course);
    b.editor.deleteEntity(course);
    ASSERT_EQ(b.d.element(r).RelativeEntityList.count(), 1);
    EXPECT_FALSE(check(b));
    EXPECT_EQ(b.prompts.messages, QStringList{"關聯實體 Enrols 的關聯數至少應是 2 個"});
}

TEST(CheckDiagram, RecursiveRelationshipHasTwoParticipants) {
    Supervises s("Supervisor", "0,1", "Supervisee", "0,N");
    EXPECT_EQ(s.b.d.element(s.supervises).RelativeEntityList.count(), 2);
    EXPECT_TRUE(check(s.b));
}

TEST(CheckDiagram, FirstDefectByElementIndexWins) {
    DiagramBuilder b;
    const int r = b.relationship("Lonely");
    const int e = b.entity("Course");
    b.join(e, r);
    b.attribute(e, "Title");
    EXPECT_FALSE(check(b));
    EXPECT_EQ(b.prompts.messages, QStringList{"關聯實體 Lonely 的關聯數至少應是 2 個"});
}

TEST(CheckDiagram, ElementsAreCheckedBeforeAnyConnector) {
    WorksFor w;
    const int course = w.b.entity("Course");
    EXPECT_FALSE(check(w.b));
    EXPECT_EQ(w.b.prompts.messages, QStringList{"實體 Course 沒有設定主鍵"});
    // The connectors were not reached: no default was written.
    EXPECT_EQ(w.b.d.connector(w.k.first).MN.Caption, "");
    (void)course;
}

TEST(CheckDiagram, MissingParticipationsAreSetWithOneMessageEach) {
    WorksFor w;
    EXPECT_TRUE(check(w.b));
    EXPECT_EQ(
        w.b.prompts.messages,
        QStringList(
            {"Entity Employee 與 Relationship WorksFor 之間的參與度未設定, 已更改為預設值 0,N",
             "Entity Department 與 Relationship WorksFor 之間的參與度未設定, 已更改為預設值 0,N"}));
    for (int k : {w.k.first, w.k.second}) {
        const Label& mn = w.b.d.connector(k).MN;
        EXPECT_EQ(mn.Caption, "0,N");
        EXPECT_GT(mn.Width, 0);  // the label is sized to its new text
    }
    // Attribute connectors are not visited.
    const int attributeLine = w.b.connector(w.employee, w.empNo);
    EXPECT_EQ(w.b.d.connector(attributeLine).MN.Caption, "");
}

TEST(CheckDiagram, DefaultsStayWhenALaterConnectorFails) {
    Supervises s("", "0,1", "Supervisee", "0,N");
    const int other = s.b.relationship("Mentors");
    const int second = s.b.entity("Team");
    s.b.attribute(second, "TeamNo", true);
    s.b.binary(second, other, s.employee);
    // The recursive pair comes first and fails on its missing role before the others are seen.
    EXPECT_FALSE(check(s.b));
    EXPECT_EQ(s.b.prompts.messages,
              QStringList{"Entity Employee 與 Relationship Supervises 為遞迴關係, 請設定角色 "
                          "(第 1 條虛線, 參與度 0,1)"});

    Supervises t("Boss", "", "", "0,1");
    EXPECT_FALSE(check(t.b));
    EXPECT_EQ(
        t.b.prompts.messages,
        QStringList(
            {"Entity Employee 與 Relationship Supervises 之間的參與度未設定, 已更改為預設值 0,N",
             "Entity Employee 與 Relationship Supervises 為遞迴關係, 請設定角色 "
             "(第 2 條虛線, 參與度 0,1)"}));
    EXPECT_EQ(t.b.d.connector(t.k.first).MN.Caption, "0,N");
}

struct IdentifyingCase {
    qint16 presentStyle;
    QString participation;
    bool passes;
};

class IdentifyingConnector : public ::testing::TestWithParam<IdentifyingCase> {};

TEST_P(IdentifyingConnector, MustBeOneToManyInEnhancedMode) {
    const IdentifyingCase c = GetParam();
    Dependents w;
    ASSERT_TRUE(w.b.d.connector(w.k.first).Line2.Visible);
    w.b.d.settings.PresentStyle = c.presentStyle;
    w.b.setParticipation(w.k.first, c.participation);
    EXPECT_EQ(check(w.b), c.passes);
    if (!c.passes) {
        EXPECT_EQ(
            w.b.prompts.messages,
            QStringList{"Entity Dependent 與 Relationship Has 之間為弱實體關係, 參與度必須為 1,N"});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, IdentifyingConnector,
    ::testing::Values(IdentifyingCase{1, "1,N", true}, IdentifyingCase{1, "0,N", false},
                      IdentifyingCase{1, "1,n", false}, IdentifyingCase{1, "", false},
                      IdentifyingCase{0, "0,N", true}, IdentifyingCase{0, "N", true}));

TEST(CheckDiagram, RecursivePairWithOneManySidePasses) {
    Supervises s("Supervisor", "0,N", "Supervisee", "1,N");
    s.b.setParticipation(s.k.first, "0,N");
    s.b.setParticipation(s.k.second, "0,1");
    EXPECT_TRUE(check(s.b));
}

// A course and its prerequisite courses: a recursive many-to-many pair with its roles converts,
// also when its second participation is the default.
TEST(CheckDiagram, RecursivePairMayBeManyToMany) {
    Supervises s("Supervisor", "0,N", "Supervisee", "1,N");
    EXPECT_TRUE(check(s.b));
    EXPECT_TRUE(s.b.prompts.messages.isEmpty());
    Supervises d("Supervisor", "0,N", "Supervisee", "");
    EXPECT_TRUE(check(d.b));
    EXPECT_EQ(d.b.prompts.messages,
              QStringList{"Entity Employee 與 Relationship Supervises 之間的參與度未設定, "
                          "已更改為預設值 0,N"});
}

TEST(CheckDiagram, LowerConnectorWithoutRoleFailsEvenWhenTheOtherHasOne) {
    Supervises s("", "0,1", "Supervisee", "0,N");
    EXPECT_FALSE(check(s.b));
    EXPECT_EQ(s.b.prompts.messages,
              QStringList{"Entity Employee 與 Relationship Supervises 為遞迴關係, 請設定角色 "
                          "(第 1 條虛線, 參與度 0,1)"});
}

// Both lines of a recursive pair without roles: each message names its own line.
TEST(CheckDiagram, EachRecursiveLineWithoutARoleIsNamed) {
    Supervises s("", "", "", "0,N");
    QStringList roles;
    for (const DiagramProblem& p : findProblems(s.b.d))
        if (p.kind == DiagramProblem::Kind::NoRole) roles << p.message;
    const QString start = "Entity Employee 與 Relationship Supervises 為遞迴關係, 請設定角色";
    EXPECT_EQ(roles, QStringList({start + " (第 1 條虛線)", start + " (第 2 條虛線, 參與度 0,N)"}));
}

TEST(CheckDiagram, DeletedConnectorTakesNoPartInTheManyToManyTest) {
    Supervises s("Supervisor", "0,1", "Supervisee", "0,N");
    DiagramEdits::deletedConnector(s.b.d, s.employee, s.supervises, true, "0,N");
    EXPECT_TRUE(check(s.b));
    EXPECT_TRUE(s.b.prompts.messages.isEmpty());
}

TEST(CheckDiagram, OnlyTheManyMaximumInUpperCaseCounts) {
    Supervises s("Supervisor", "0,n", "Supervisee", "0,N");
    EXPECT_TRUE(check(s.b));
}

// ---- every problem at once ----

TEST(FindProblems, ListsEveryProblemInValidationsOrderAndChangesNothing) {
    DiagramBuilder b;
    const int noKey = b.entity("NoKey");
    const int orphan = b.editor.createElement(KindAttribute);
    const int lonely = b.relationship("Lonely");
    const int emp = b.entity("Employee");
    b.attribute(emp, "EmpNo", true);
    const int dependent = b.entity("Dependent");
    const int has = b.relationship("Has");
    const auto [identifying, owning] = b.binary(dependent, has, emp);
    b.makeWeak(dependent, has);
    b.setParticipation(owning, "0,N");
    const int supervises = b.relationship("Supervises");
    const auto [s1, s2] = b.recursive(emp, supervises);
    b.setRole(s2, "boss");
    b.setParticipation(s1, "0,1");
    const int manages = b.relationship("Manages");
    const auto [m1, m2] = b.recursive(emp, manages);
    for (int k : {m1, m2}) b.setRole(k, "r");
    b.setParticipation(m1, "0,N");  // m2 left empty: its default makes the pair N:N, which passes

    std::vector<QString> captionsBefore;
    const Diagram& model = b.d;
    for (int k = 1; k < model.connectorCount(); ++k)
        captionsBefore.push_back(model.connector(k).MN.Caption);
    int notices = 0;
    QObject::connect(&b.d, &Diagram::changed, [&] { ++notices; });

    using K = DiagramProblem::Kind;
    const std::vector<DiagramProblem> problems = findProblems(b.d);
    std::vector<std::tuple<K, int, int>> got;
    for (const DiagramProblem& p : problems) got.emplace_back(p.kind, p.element, p.connector);
    const std::vector<std::tuple<K, int, int>> want = {
        {K::NoKey, noKey, 0},
        {K::NoOwner, orphan, 0},
        {K::TooFewEntities, lonely, 0},
        {K::IdentifyingParticipation, 0, identifying},
        {K::MissingParticipation, 0, identifying},
        {K::NoRole, 0, s1},
        {K::MissingParticipation, 0, s2},
        {K::MissingParticipation, 0, m2},
    };
    EXPECT_EQ(got, want);
    EXPECT_EQ(problems[1].message, "屬性 Attribute" + QString::number(orphan) + " 未設定擁有者!");
    EXPECT_EQ(problems[5].message,
              "Entity Employee 與 Relationship Supervises 為遞迴關係, 請設定角色 "
              "(第 1 條虛線, 參與度 0,1)");

    EXPECT_EQ(notices, 0);
    for (int k = 1; k < model.connectorCount(); ++k)
        EXPECT_EQ(model.connector(k).MN.Caption, captionsBefore[size_t(k - 1)]) << k;

    // Validation shows the first failure only, after the notes before it.
    EXPECT_FALSE(check(b));
    EXPECT_EQ(b.prompts.messages, QStringList{problems[0].message});
}

}  // namespace

// ---- Warnings: never blocking, each kind once where it applies ----

TEST(DiagramWarnings, EachKindIsFoundWithTheElementOrConnectorItConcerns) {
    DiagramBuilder b;
    const int a = b.entity("A");
    b.attribute(a, "Id", true);
    b.attribute(a, "Name");
    b.attribute(a, "Name");
    const int c = b.entity("C");
    b.attribute(c, "Id", true);
    const int again = b.entity("A");
    b.attribute(again, "No", true);
    const int w = b.entity("W");
    b.attribute(w, "Note");
    const int both = b.relationship("Both");
    const auto [k1, k2] = b.binary(a, both, c);
    b.setParticipation(k1, "1,N");
    b.setParticipation(k2, "2,N");
    const int owns = b.relationship("Owns");
    const auto [o1, o2] = b.binary(w, owns, c);
    b.makeWeak(w, owns);
    b.setParticipation(o1, "1,N");
    b.setParticipation(o2, "2,1");

    std::vector<std::tuple<DiagramWarning::Kind, int, int>> found;
    for (const DiagramWarning& warning : findWarnings(b.d))
        found.emplace_back(warning.kind, warning.element, warning.connector);
    using K = DiagramWarning::Kind;
    EXPECT_EQ(found, (std::vector<std::tuple<K, int, int>>{{K::DuplicateAttribute, a, 0},
                                                           {K::DuplicateName, again, 0},
                                                           {K::WeakEntityWithoutOwnKey, w, 0},
                                                           {K::ManyToManyBothTotal, both, 0},
                                                           {K::MinimumAboveMaximum, 0, o2}}));
    EXPECT_EQ(findWarnings(b.d).back().message,
              "Entity C 與 Relationship Owns 之間的參與度 2,1 最小值大於最大值");
}

static bool hasRelation(const RelationalModel& model, const QString& name) {
    for (const Relation& r : model.relations)
        if (r.name == name) return true;
    return false;
}

// Validation only reports: its messages and the defaults it asks for, the diagram untouched.
TEST(ConversionJob, ValidationNamesTheDefaultsWithoutFillingThemIn) {
    WorksFor w;
    const Validation found = validateDiagram(w.b.d);
    EXPECT_TRUE(found.passed);
    EXPECT_EQ(found.messages.size(), 2);
    EXPECT_EQ(found.defaults, (std::vector<int>{w.k.first, w.k.second}));
    EXPECT_EQ(w.b.d.connector(w.k.first).MN.Caption, "");
    EXPECT_TRUE(w.b.prompts.messages.isEmpty());
}

// The job puts the defaults in as one step before it maps, so the workbook sees "0,N" on both
// sides (a many-to-many relation of its own); Undo takes the defaults back, the file stays.
TEST(ConversionJob, DefaultsAreOneStepAndTheMappingSeesThem) {
    WorksFor w;
    History history(w.b.d);
    w.b.editor.setHistory(&history);
    const int steps = history.stack().count();
    QTemporaryDir dir;
    const QString path = dir.filePath("worksfor.xlsx");

    ConversionJob job(w.b.editor);
    ASSERT_FALSE(job.check());
    EXPECT_EQ(history.stack().count(), steps + 1);
    EXPECT_EQ(history.stack().undoText(), "預設參與度 0,N");
    EXPECT_EQ(w.b.prompts.messages, validateDiagram(WorksFor().b.d).messages);
    EXPECT_TRUE(hasRelation(job.model(), "WorksFor"));
    ASSERT_TRUE(job.writeWorkbook(path, 1).ok());
    QString script;
    ASSERT_TRUE(job.sqlScript(SqlDialect::SQLite, &script, nullptr).ok());
    EXPECT_TRUE(script.contains("WorksFor"));

    w.b.editor.undo();
    EXPECT_EQ(w.b.d.connector(w.k.first).MN.Caption, "");
    EXPECT_TRUE(QFileInfo::exists(path));
}

// A refused job writes nothing: in textbook notation, and when validation fails.
TEST(ConversionJob, RefusedJobWritesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("refused.xlsx");
    WorksFor textbook;
    textbook.b.d.settings.PresentStyle = 0;
    const ConvertResult notation = ConversionJob(textbook.b.editor).run(path);
    EXPECT_EQ(notation.status, ConvertResult::Status::Refused);
    EXPECT_EQ(notation.error, textbookModeRefusal());

    DiagramBuilder b;
    b.entity("Keyless");
    const ConvertResult invalid = ConversionJob(b.editor).run(path);
    EXPECT_EQ(invalid.status, ConvertResult::Status::Refused);
    EXPECT_EQ(b.prompts.messages, QStringList{"實體 Keyless 沒有設定主鍵"});
    EXPECT_FALSE(QFileInfo::exists(path));
}
