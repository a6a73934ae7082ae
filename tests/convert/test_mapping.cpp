#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QFile>
#include <QJsonArray>
#include <csignal>
#include <map>

#include "checkdiagram.h"
#include "conversionjob.h"
#include "diagrambuilder.h"
#include "drawingcheck.h"
#include "mapping.h"
#include "qtprint.h"
#include "readback.h"
#include "schematext.h"
#include "workbook.h"
#include "workbookfile.h"
#include "workbooklimits.h"

namespace {

constexpr double H = 16.48425;

// Converts a drawn diagram into a workbook file and reads it back.
class Conversion : public ::testing::Test {
protected:
    Readback convert(std::optional<int> fkpk = std::nullopt) {
        const QString file = folder.path(WorkbookFolder::currentTestFileName());
        const ConvertResult result = ConversionJob(b.editor).run(file, fkpk);
        EXPECT_TRUE(result.ok()) << result.error.toStdString()
                                 << b.prompts.messages.join("; ").toStdString();
        folder.keep(file);
        Readback r = readBack(file);
        EXPECT_TRUE(r.ok) << r.error.toStdString();
        return r;
    }

    // A cell's text and whether it is a key (underlined), an owner key (italic), a foreign key
    // (coloured); names are bold.
    void expectCell(const Readback& r, const QString& ref, const QString& text, bool key,
                    bool foreign = false, bool italic = false) {
        const QJsonObject c = r.cell("Sheet1", ref);
        EXPECT_EQ(c.value("v").toString(), text) << ref.toStdString();
        EXPECT_EQ(c.value("u").toBool(), key) << ref.toStdString();
        EXPECT_EQ(!c.value("colour").isNull(), foreign) << ref.toStdString();
        EXPECT_EQ(c.value("i").toBool(), italic) << ref.toStdString();
        EXPECT_FALSE(c.value("b").toBool()) << ref.toStdString();
    }
    void expectName(const Readback& r, const QString& ref, const QString& text) {
        const QJsonObject c = r.cell("Sheet1", ref);
        EXPECT_EQ(c.value("v").toString(), text) << ref.toStdString();
        EXPECT_TRUE(c.value("b").toBool()) << ref.toStdString();
    }
    // Cells of one row of Sheet1, in column order, up to the first empty one.
    QStringList row(const Readback& r, int number) {
        QStringList out;
        for (QChar c = 'A'; c <= 'Z'; c = QChar(c.unicode() + 1)) {
            const QString v = r.text(QString(c) + QString::number(number));
            if (v.isEmpty()) break;
            out << v;
        }
        return out;
    }
    // Whether the n-th arrow ends on the key cell (row, column).
    bool arrowReaches(const Readback& r, int n, int row, int column) {
        return onCell(r, arrowEnd(r, n), row, column);
    }

    DiagramBuilder b;
    WorkbookFolder folder;
};

TEST_F(Conversion, StudentWithMultivaluedPhone) {
    const int student = b.entity("Student");
    const int no = b.attribute(student, "StudentNo", true);
    const int name = b.attribute(student, "Name");
    const int phone = b.multAttribute(student, "Phone");
    const Readback r = convert();

    expectName(r, "A1", "Student");
    expectCell(r, "A2", "StudentNo", true);
    expectCell(r, "B2", "Name", false);
    EXPECT_EQ(row(r, 2).size(), 2);
    expectName(r, "A4", "多值屬性Phone");
    expectCell(r, "A5", "StudentNo", true, true);
    expectCell(r, "B5", "Phone", true);
    EXPECT_EQ(r.cells("Sheet1").size(), 6);
    // Position table: names, own columns, and Phone at its column in its own relation.
    for (auto [element, rowNo, col] :
         {std::tuple{student, 1, 1}, {no, 2, 1}, {name, 2, 2}, {phone, 5, 2}}) {
        EXPECT_EQ(r.number("A" + QString::number(element)), element);
        EXPECT_EQ(r.number("B" + QString::number(element)), rowNo) << element;
        EXPECT_EQ(r.number("C" + QString::number(element)), col) << element;
    }
    ASSERT_EQ(arrowCount(r), 1);
    EXPECT_TRUE(arrowReaches(r, 0, 2, 1));
}

TEST_F(Conversion, CompositeAttributeGivesItsVisibleComponents) {
    const int student = b.entity("Student");
    b.attribute(student, "StudentNo", true);
    const int address = b.attribute(student, "Address");
    b.attribute(address, "City");
    b.attribute(address, "Street");
    const int zip = b.attribute(address, "Zip");
    b.d.element(zip).Visible = false;
    const Readback r = convert();
    EXPECT_EQ(row(r, 2), QStringList({"StudentNo", "City", "Street"}));
    expectCell(r, "B2", "City", false);
}

TEST_F(Conversion, WeakEntityTakesItsOwnersKeyInItalics) {
    const int employee = b.entity("Employee");
    b.attribute(employee, "EmpNo", true);
    b.attribute(employee, "Name");
    const int dependent = b.entity("Dependent");
    b.attribute(dependent, "DepName", true);
    const int has = b.relationship("Has");
    const auto [k1, k2] = b.binary(dependent, has, employee);
    b.makeWeak(dependent, has);
    b.setParticipation(k1, "1,N");
    b.setParticipation(k2, "0,N");
    const Readback r = convert();

    expectName(r, "A1", "Employee");
    expectName(r, "A4", "Dependent");
    expectCell(r, "A5", "DepName", true);
    expectCell(r, "B5", "EmpNo", true, true, true);
    EXPECT_EQ(r.cell("Sheet1", "B5").value("colour").toInt(), 12);
    // The identifying relationship gives no relation.
    EXPECT_EQ(row(r, 7), QStringList());
    EXPECT_EQ(r.cells("Sheet1").size(), 6);
    ASSERT_EQ(arrowCount(r), 1);
    EXPECT_TRUE(arrowReaches(r, 0, 2, 1));
}

// A reference to a weak entity takes its whole key; the owner's part of it is a foreign key
// itself, with no place in the position table, and its arrow points at that column of the weak
// entity's relation, not past it at the owner.
TEST_F(Conversion, ArrowsToAWeakEntitysWholeKeyPointAtItsColumns) {
    const int employee = b.entity("Employee");
    b.attribute(employee, "EmpNo", true);
    const int dependent = b.entity("Dependent");
    b.attribute(dependent, "DepName", true);
    const int has = b.relationship("Has");
    const auto [h1, h2] = b.binary(dependent, has, employee);
    b.makeWeak(dependent, has);
    b.setParticipation(h1, "1,N");
    b.setParticipation(h2, "0,N");
    const int policy = b.entity("Policy");
    b.attribute(policy, "PNo", true);
    const int covers = b.relationship("Covers");
    const auto [c1, c2] = b.binary(policy, covers, dependent);
    b.setParticipation(c1, "1,N");
    b.setParticipation(c2, "0,1");
    for (int fkpk : {0, 1, 2}) {
        const Readback r = convert(fkpk);
        // Employee, Policy, then the weak Dependent.
        EXPECT_EQ(row(r, 5), QStringList({"PNo", "DepName", "EmpNo"})) << fkpk;
        EXPECT_EQ(row(r, 8), QStringList({"DepName", "EmpNo"})) << fkpk;
        ASSERT_EQ(arrowCount(r), 3) << fkpk;
        EXPECT_TRUE(arrowReaches(r, 0, 2, 1)) << "Dependent's EmpNo to Employee, style " << fkpk;
        EXPECT_TRUE(arrowReaches(r, 1, 8, 1)) << "Policy's DepName, style " << fkpk;
        EXPECT_TRUE(arrowReaches(r, 2, 8, 2)) << "Policy's EmpNo to Dependent's, style " << fkpk;
    }
}

struct OrderCase {
    bool departmentFirst;
};

class WorksFor : public Conversion, public ::testing::WithParamInterface<bool> {};

TEST_P(WorksFor, OneToManyAppendsToTheManySideWhicheverWasConnectedFirst) {
    const int employee = b.entity("Employee");
    b.attribute(employee, "EmpNo", true);
    b.attribute(employee, "Name");
    const int department = b.entity("Department");
    b.attribute(department, "DeptNo", true);
    const int worksFor = b.relationship("WorksFor");
    b.attribute(worksFor, "StartDate");
    const bool departmentFirst = GetParam();
    const auto [k1, k2] = departmentFirst ? b.binary(department, worksFor, employee)
                                          : b.binary(employee, worksFor, department);
    b.setParticipation(departmentFirst ? k2 : k1, "1,N");
    b.setParticipation(departmentFirst ? k1 : k2, "0,1");
    const Readback r = convert();

    EXPECT_EQ(row(r, 2), QStringList({"EmpNo", "Name", "DeptNo", "StartDate"}));
    // A foreign key only: the employee's key stays {EmpNo}.
    expectCell(r, "C2", "DeptNo", false, true);
    expectCell(r, "D2", "StartDate", false);
    EXPECT_EQ(row(r, 5), QStringList({"DeptNo"}));
    // No relation of its own: nothing after Department.
    EXPECT_EQ(r.cells("Sheet1").size(), 7);
    ASSERT_EQ(arrowCount(r), 1);
    EXPECT_TRUE(arrowReaches(r, 0, 5, 1));
    // Out of DeptNo's cell.
    EXPECT_TRUE(onCell(r, geometryOf(r.shapes()[0].toObject()).start, 2, 3));
}

INSTANTIATE_TEST_SUITE_P(ConnectionOrder, WorksFor, ::testing::Bool());

class Manages : public Conversion, public ::testing::WithParamInterface<bool> {};

TEST_P(Manages, OneToOneKeyGoesToTheSideThatMustTakePart) {
    const int employee = b.entity("Employee");
    b.attribute(employee, "EmpNo", true);
    const int department = b.entity("Department");
    b.attribute(department, "DeptNo", true);
    b.attribute(department, "DName");
    const int manages = b.relationship("Manages");
    const bool departmentFirst = GetParam();
    const auto [k1, k2] = departmentFirst ? b.binary(department, manages, employee)
                                          : b.binary(employee, manages, department);
    b.setParticipation(departmentFirst ? k2 : k1, "0,1");
    b.setParticipation(departmentFirst ? k1 : k2, "1,1");
    const Readback r = convert();

    EXPECT_EQ(row(r, 2), QStringList({"EmpNo"}));
    EXPECT_EQ(row(r, 5), QStringList({"DeptNo", "DName", "EmpNo"}));
    expectCell(r, "C5", "EmpNo", false, true);
}

INSTANTIATE_TEST_SUITE_P(ConnectionOrder, Manages, ::testing::Bool());

TEST_F(Conversion, ManyToManyGivesARelationOfBothKeys) {
    const int student = b.entity("Student");
    b.attribute(student, "StudentNo", true);
    const int course = b.entity("Course");
    b.attribute(course, "CourseNo", true);
    b.attribute(course, "Title");
    const int enrols = b.relationship("Enrols");
    b.attribute(enrols, "Grade");
    const auto [k1, k2] = b.binary(student, enrols, course);
    b.setParticipation(k1, "0,N");
    b.setParticipation(k2, "1,N");
    const Readback r = convert();

    expectName(r, "A7", "Enrols");
    expectCell(r, "A8", "StudentNo", true, true);
    expectCell(r, "B8", "CourseNo", true, true);
    expectCell(r, "C8", "Grade", false);
    EXPECT_EQ(r.cell("Sheet1", "A8").value("colour").toInt(), 12);
    EXPECT_EQ(r.cell("Sheet1", "B8").value("colour").toInt(), 17);
    ASSERT_EQ(arrowCount(r), 2);
    EXPECT_TRUE(arrowReaches(r, 0, 2, 1));
    EXPECT_TRUE(arrowReaches(r, 1, 5, 1));
    EXPECT_EQ(geometryOf(r.shapes().last().toObject()).rgb, "008000");
}

TEST_F(Conversion, TernaryKeysFollowTheManySides) {
    const int supplier = b.entity("Supplier");
    b.attribute(supplier, "SNo", true);
    const int part = b.entity("Part");
    b.attribute(part, "PNo", true);
    const int project = b.entity("Project");
    b.attribute(project, "JNo", true);
    const int supply = b.relationship("Supply");
    b.attribute(supply, "Qty");
    const auto [k1, k2] = b.binary(supplier, supply, part);
    const int k3 = b.join(project, supply);
    b.setParticipation(k1, "0,N");
    b.setParticipation(k2, "0,N");
    b.setParticipation(k3, "0,1");
    const Readback r = convert();

    expectName(r, "A10", "Supply");
    expectCell(r, "A11", "SNo", true, true);
    expectCell(r, "B11", "PNo", true, true);
    expectCell(r, "C11", "JNo", false, true);
    expectCell(r, "D11", "Qty", false);
    EXPECT_EQ(arrowCount(r), 3);
}

// The key references the "1" side and carries its role, whichever connector was drawn first.
TEST_F(Conversion, RecursiveOneToManyNamesTheKeyAfterTheOneSidesRole) {
    const int employee = b.entity("Employee");
    const int empNo = b.attribute(employee, "EmpNo", true);
    b.attribute(employee, "Name");
    const int supervises = b.relationship("Supervises");
    const auto [k1, k2] = b.recursive(employee, supervises);
    b.setRole(k1, "Supervisor");
    b.setRole(k2, "Supervisee");
    b.setParticipation(k1, "0,1");
    b.setParticipation(k2, "0,N");
    const Readback r = convert(1);

    EXPECT_EQ(row(r, 2), QStringList({"EmpNo", "Name", "Supervisor"}));
    expectCell(r, "C2", "Supervisor", false, true);
    EXPECT_EQ(r.cells("Sheet1").size(), 4);
    // Same row as the key it references: the loop under the row into EmpNo's cell.
    ASSERT_EQ(r.shapes().size(), 4);
    EXPECT_TRUE(closeTo(arrowEnd(r, 0), QPointF(5, 2 * H - 3)));
    EXPECT_EQ(r.number("C" + QString::number(empNo)), 1);

    // Straight arrows draw it as one line.
    const Readback straight = convert(0);
    ASSERT_EQ(straight.shapes().size(), 1);
    EXPECT_TRUE(closeTo(geometryOf(straight.shapes()[0].toObject()).end, QPointF(5, H + 5)));
}

// Course is keyed by the composite CourseId(Dept, Num), drawn as textbooks draw it: the composite
// underlined, its parts plain. Its parts are Course's key, and every reference to Course takes
// both, each with its own arrow, in one colour.
TEST_F(Conversion, ACompositeKeyIsKeyedByItsPartsAndReferencedByEachOfThem) {
    const int student = b.entity("Student");
    b.attribute(student, "StudentNo", true);
    const int course = b.entity("Course");
    b.attribute(course, "Title");
    const int id = b.attribute(course, "CourseId", true);
    b.attribute(id, "Dept");
    b.attribute(id, "Num");
    const int teacher = b.entity("Teacher");
    b.attribute(teacher, "TNo", true);
    const int section = b.entity("Section");
    b.attribute(section, "SecNo", true);
    const int enrols = b.relationship("Enrols");
    const auto [k1, k2] = b.binary(student, enrols, course);
    b.setParticipation(k1, "0,N");
    b.setParticipation(k2, "0,N");
    const int teaches = b.relationship("Teaches");
    const auto [t1, t2] = b.binary(course, teaches, teacher);
    b.setParticipation(t1, "1,N");
    b.setParticipation(t2, "0,1");
    const int of = b.relationship("Of");
    const auto [o1, o2] = b.binary(section, of, course);
    b.makeWeak(section, of);
    b.setParticipation(o1, "1,N");
    b.setParticipation(o2, "0,N");
    const Readback r = convert();

    // Course: Title, then its key parts, underlined; the teacher's key appended, not key.
    EXPECT_EQ(row(r, 5), QStringList({"Title", "Dept", "Num", "TNo"}));
    expectCell(r, "B5", "Dept", true);
    expectCell(r, "C5", "Num", true);
    expectCell(r, "D5", "TNo", false, true);
    // Section, weak: its own key and the owner's two parts, italic owner keys.
    EXPECT_EQ(row(r, 11), QStringList({"SecNo", "Dept", "Num"}));
    expectCell(r, "B11", "Dept", true, true, true);
    expectCell(r, "C11", "Num", true, true, true);
    // Enrols, many-to-many: both keys, Course's as its two parts.
    EXPECT_EQ(row(r, 14), QStringList({"StudentNo", "Dept", "Num"}));
    expectCell(r, "B14", "Dept", true, true);
    expectCell(r, "C14", "Num", true, true);
    EXPECT_EQ(r.cell("Sheet1", "B14").value("colour"), r.cell("Sheet1", "C14").value("colour"))
        << "one group, one colour";
    EXPECT_NE(r.cell("Sheet1", "A14").value("colour"), r.cell("Sheet1", "B14").value("colour"));
    // One arrow per column (Section's two come first), each into its own part's cell of Course.
    ASSERT_EQ(arrowCount(r), 6);
    EXPECT_TRUE(arrowReaches(r, 3, 5, 2));
    EXPECT_TRUE(arrowReaches(r, 4, 5, 3));
}

TEST_F(Conversion, RelationsComeInPassOrderAndAppendsDoNotMoveThem) {
    // Drawn relationships first, entities later: the workbook still starts with the entities.
    const int enrols = b.relationship("Enrols");
    const int worksIn = b.relationship("WorksIn");
    const int student = b.entity("Student");
    b.attribute(student, "StudentNo", true);
    b.multAttribute(student, "Email");
    const int course = b.entity("Course");
    b.attribute(course, "CourseNo", true);
    const int dept = b.entity("Dept");
    b.attribute(dept, "DeptNo", true);
    auto [e1, e2] = b.binary(student, enrols, course);
    b.setParticipation(e1, "0,N");
    b.setParticipation(e2, "0,N");
    auto [w1, w2] = b.binary(course, worksIn, dept);
    b.setParticipation(w1, "1,N");
    b.setParticipation(w2, "1,1");
    const Readback r = convert();

    EXPECT_EQ(r.text("A1"), "Student");
    EXPECT_EQ(r.text("A4"), "Course");
    EXPECT_EQ(r.text("A7"), "Dept");
    EXPECT_EQ(r.text("A10"), "多值屬性Email");
    EXPECT_EQ(r.text("A13"), "Enrols");
    EXPECT_EQ(row(r, 5), QStringList({"CourseNo", "DeptNo"}));
    EXPECT_EQ(r.text("A16"), "");
    // Colours in output order: Email's key, Enrols' two keys, then the appended DeptNo.
    EXPECT_EQ(r.cell("Sheet1", "A11").value("colour").toInt(), 12);
    EXPECT_EQ(r.cell("Sheet1", "A14").value("colour").toInt(), 17);
    EXPECT_EQ(r.cell("Sheet1", "B14").value("colour").toInt(), 53);
    EXPECT_EQ(r.cell("Sheet1", "B5").value("colour").toInt(), 62);
    (void)enrols;
    (void)worksIn;
}

TEST_F(Conversion, RefusedDiagramWritesNothing) {
    b.entity("Course");
    const QString file = folder.path("refused.xlsx");
    const ConvertResult result = ConversionJob(b.editor).run(file);
    EXPECT_EQ(result.status, ConvertResult::Status::Refused);
    EXPECT_EQ(b.prompts.messages, QStringList{"實體 Course 沒有設定主鍵"});
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(Conversion, TextbookModeIsRefusedWithoutValidating) {
    const int e = b.entity("Course");
    b.attribute(e, "CourseNo", true);
    b.d.settings.PresentStyle = 0;
    const QString file = folder.path("textbook.xlsx");
    const ConvertResult result = ConversionJob(b.editor).run(file);
    EXPECT_EQ(result.status, ConvertResult::Status::Refused);
    EXPECT_EQ(result.error, textbookModeRefusal());
    EXPECT_TRUE(b.prompts.messages.isEmpty());
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(Conversion, WriteFailureReportsWhyAndLeavesTheOldFile) {
    const int e = b.entity("Course");
    b.attribute(e, "CourseNo", true);
    const QString missingFolder = folder.path("no/such/folder/book.xlsx");
    ConvertResult result = ConversionJob(b.editor).run(missingFolder);
    EXPECT_EQ(result.status, ConvertResult::Status::Failed);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_FALSE(QFile::exists(missingFolder));

    // A write that fails half-way (the file size limit is hit): the earlier workbook stays as it
    // was, with no temporary file beside it.
    const QString dir = folder.path("limited");
    QDir().mkpath(dir);
    const QString file = dir + "/book.xlsx";
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("previous");
    }
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    result = ConversionJob(b.editor).run(file);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result.status, ConvertResult::Status::Failed);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{"book.xlsx"});
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "previous");
}

TEST(MappingModel, MalformedReferencesYieldFewerColumnsWithoutCrashing) {
    DiagramBuilder b;
    const int e = b.entity("E");
    b.attribute(e, "K", true);
    const int f = b.entity("F");
    b.attribute(f, "L", true);
    const int r = b.relationship("R");
    const auto [k1, k2] = b.binary(e, r, f);
    b.setParticipation(k1, "0,N");
    b.setParticipation(k2, "0,1");
    // Entries and connector ends that name no element.
    b.d.element(e).AttributeList.add(30000, "30000");
    b.d.element(r).RelativeEntityList.add(-5, "-5");
    b.d.connector(k2).first = 9999;
    const int m = b.multAttribute(f, "M");
    b.d.element(m).RelativeEntityList.clear();
    b.d.element(m).RelativeEntityList.add(31000);

    CheckDiagram(b.editor);
    const RelationalModel model = mapDiagram(b.d);
    // E, F, 多值屬性M, and R, which the bogus third entry makes n-ary.
    ASSERT_EQ(model.relations.size(), 4u);
    EXPECT_EQ(model.relations[2].name, "多值屬性M");
    EXPECT_EQ(model.relations[3].name, "R");
    EXPECT_EQ(model.relations[3].columns.size(), 1u);  // only E's key is left
    const Workbook book = layOutWorkbook(model, 1);
    EXPECT_EQ(book.output.find(11, 1)->text, "K");
}

TEST(ConvertPaths, DefaultWorkbookIsTheProjectNameInDocuments) {
    const QString path = defaultWorkbookPath("Library");
    EXPECT_TRUE(path.endsWith("/Library.xlsx"));
    EXPECT_TRUE(defaultWorkbookPath("a/b").endsWith("/a_b.xlsx"));
}

TEST(MappingModel, ForeignKeysRecordWhatTheyReference) {
    DiagramBuilder b;
    const int employee = b.entity("Employee");
    const int empNo = b.attribute(employee, "EmpNo", true);
    const int department = b.entity("Department");
    const int deptNo = b.attribute(department, "DeptNo", true);
    const int worksFor = b.relationship("WorksFor");
    const int since = b.attribute(worksFor, "Since");
    const auto [k1, k2] = b.binary(department, worksFor, employee);
    b.setParticipation(k1, "0,1");
    b.setParticipation(k2, "1,N");
    const RelationalModel m = mapDiagram(b.d);

    ASSERT_EQ(m.relations.size(), 2u);
    const Relation& emp = m.relations[0];
    EXPECT_EQ(emp.origin, RelationOrigin::Entity);
    ASSERT_EQ(emp.columns.size(), 3u);
    EXPECT_EQ(emp.columns[0].element, empNo);
    EXPECT_FALSE(emp.columns[0].references);
    ASSERT_TRUE(emp.columns[1].references);
    EXPECT_EQ(emp.columns[1].references->attribute, deptNo);
    EXPECT_EQ(emp.columns[1].references->entity, department);
    EXPECT_EQ(emp.columns[1].addedBy, worksFor);
    EXPECT_EQ(emp.columns[2].element, since);
    EXPECT_EQ(emp.columns[2].addedBy, worksFor);
    ASSERT_EQ(m.steps.size(), 3u);
    EXPECT_TRUE(m.steps[2].appends);
    EXPECT_EQ(m.steps[2].relation, 0);
    EXPECT_EQ(m.steps[2].firstColumn, 1);
    EXPECT_EQ(m.steps[2].columnCount, 2);
}

}  // namespace

// ---- What a spreadsheet program cannot hold is not written ----

TEST(WorkbookLimitsTest, TooLongATextTooWideARelationOrTooManyRowsIsRefusedNamingTheElement) {
    Diagram d;
    const int e = d.loadElement();
    d.element(e).Caption = "Student";
    const auto modelOf = [](int relations, int columns, int textSize) {
        RelationalModel model;
        for (int n = 0; n < relations; ++n) {
            Relation relation{"R", 1, RelationOrigin::Entity, {}};
            relation.columns.resize(size_t(columns), Column{"c", false, false, 1, {}, 0});
            if (columns) relation.columns.back().name = QString(textSize, QChar('x'));
            model.relations.push_back(std::move(relation));
        }
        return model;
    };
    EXPECT_FALSE(workbookLimitProblem(modelOf(3, 16384, 32767), d)) << "at the limits";
    const auto wide = workbookLimitProblem(modelOf(1, 16385, 1), d);
    ASSERT_TRUE(wide);
    EXPECT_TRUE(wide->startsWith("Student (元素 1) 的關聯有 16385 欄")) << wide->toStdString();
    EXPECT_TRUE(workbookLimitProblem(modelOf(1, 2, 32768), d));
    EXPECT_TRUE(workbookLimitProblem(modelOf(349526, 0, 0), d)) << "three rows a relation";
}

TEST_F(Conversion, AnOversizedCaptionRefusesTheWorkbookAndLeavesNoFile) {
    const int student = b.entity("Student");
    b.attribute(student, QString(40000, QChar(0x5B57)), true);
    const QString file = folder.path("oversized.xlsx");
    const ConvertResult result = ConversionJob(b.editor).run(file);
    EXPECT_EQ(result.status, ConvertResult::Status::Refused);
    EXPECT_TRUE(result.error.contains("超過試算表一格 32767 字元的上限"))
        << result.error.toStdString();
    EXPECT_FALSE(QFile::exists(file));
}

// ---- The explanation sheet ----

TEST_F(Conversion, TheExplanationSheetGivesEveryColumnItsRuleAndReason) {
    const int employee = b.entity("Employee");
    b.attribute(employee, "Ssn", true);
    b.multAttribute(employee, "Phone");
    const int department = b.entity("Department");
    b.attribute(department, "DNo", true);
    const int project = b.entity("Project");
    b.attribute(project, "PNo", true);
    const int part = b.entity("Part");
    b.attribute(part, "PartNo", true);
    const int dependent = b.entity("Dependent");
    b.attribute(dependent, "DName", true);
    const auto relate = [&](const char* name, int e1, const char* p1, int e2, const char* p2) {
        const int r = b.relationship(name);
        const auto [k1, k2] = b.binary(e1, r, e2);
        b.setParticipation(k1, p1);
        b.setParticipation(k2, p2);
        return r;
    };
    relate("WorksFor", employee, "1,N", department, "0,1");
    relate("Manages", department, "1,1", employee, "0,1");
    relate("WorksOn", employee, "0,N", project, "1,N");
    b.makeWeak(dependent, relate("Has", dependent, "1,N", employee, "0,N"));
    const int supply = relate("Supply", project, "0,N", part, "0,N");
    b.setParticipation(b.join(department, supply), "0,1");
    const Readback r = convert();

    EXPECT_EQ(r.json.value("sheets").toArray(), QJsonArray({"Sheet1", "Sheet2", "對映說明"}));
    const QJsonObject sheet = r.cells("對映說明");
    // Every row after the header: relation, column, then its explanation cells.
    std::map<QString, QStringList> rows;
    for (int row = 2; sheet.contains("A" + QString::number(row)); ++row) {
        QStringList cells;
        for (const char* column : {"A", "B", "C", "D", "E", "F", "G", "H", "I"})
            cells << sheet.value(column + QString::number(row)).toObject().value("v").toString();
        EXPECT_TRUE(sheet.value("A" + QString::number(row)).toObject().value("b").toBool());
        rows[cells[0] + "." + cells[1]] = cells;
    }
    const auto expectRow = [&](const QString& at, const QStringList& marks, const QString& rule) {
        ASSERT_TRUE(rows.count(at)) << at.toStdString();
        const QStringList& cells = rows[at];
        EXPECT_EQ(cells.mid(2, 4), marks) << at.toStdString();
        EXPECT_EQ(cells[7], rule) << at.toStdString();
        EXPECT_FALSE(cells[8].isEmpty()) << at.toStdString();
    };
    expectRow("Employee.Ssn", {"主鍵", "", "", ""}, "規則 1 實體");
    expectRow("Employee.DNo", {"", "外鍵", "Department", "DNo"}, "規則 4 一對多關係");
    EXPECT_EQ(rows["Employee.DNo"][6], "關係 WorksFor");
    expectRow("Department.Ssn", {"", "外鍵", "Employee", "Ssn"}, "規則 3 一對一關係");
    expectRow("Dependent.Ssn", {"主鍵", "外鍵", "Employee", "Ssn"}, "規則 2 弱實體");
    expectRow("多值屬性Phone.Phone", {"主鍵", "", "", ""}, "規則 6 多值屬性");
    expectRow("多值屬性Phone.Ssn", {"主鍵", "外鍵", "Employee", "Ssn"}, "規則 6 多值屬性");
    expectRow("WorksOn.PNo", {"主鍵", "外鍵", "Project", "PNo"}, "規則 5 多對多關係");
    expectRow("Supply.DNo", {"", "外鍵", "Department", "DNo"}, "規則 7 多元關係");
    // Employee and Department must each reference the other: the reference to the relation
    // written later waits for the end of the transaction, and says so.
    EXPECT_EQ(rows["Employee.DNo"][8],
              "WorksFor 是一對多關係, 外鍵加在 N 端 Employee, 參照 Department; Employee 與 "
              "Department 互相以不可為空的外鍵參照, 形成循環: 這個外鍵延到交易結束時才檢查 (MySQL "
              "不能延後檢查, 所以允許空值)");
    EXPECT_EQ(rows["Department.Ssn"][8],
              "Manages 是一對一關係, 外鍵加在 Department 端, 參照 Employee");
    // One row per column of Sheet1's relations.
    int columns = 0;
    for (const auto& relation : mapDiagram(b.d).relations) columns += int(relation.columns.size());
    EXPECT_EQ(int(rows.size()), columns);
}

TEST(SchemaText, TheCompanyExampleReadsAsATextbookWritesIt) {
    DiagramBuilder b;
    const int employee = b.entity("EMPLOYEE");
    b.attribute(employee, "Ssn", true);
    b.attribute(employee, "Name");
    const int department = b.entity("DEPARTMENT");
    b.attribute(department, "Dnumber", true);
    const int project = b.entity("PROJECT");
    b.attribute(project, "Pnumber", true);
    const int worksFor = b.relationship("WORKS_FOR");
    const auto [w1, w2] = b.binary(employee, worksFor, department);
    b.setParticipation(w1, "1,N");
    b.setParticipation(w2, "0,1");
    const int worksOn = b.relationship("WORKS_ON");
    b.attribute(worksOn, "Hours");
    const auto [o1, o2] = b.binary(employee, worksOn, project);
    b.setParticipation(o1, "1,N");
    b.setParticipation(o2, "1,N");
    const RelationalModel model = mapDiagram(b.d);
    const auto references = columnReferences(model);
    QStringList lines;
    for (size_t r = 0; r < model.relations.size(); ++r) lines << schemaLine(model, r, references);
    EXPECT_EQ(lines,
              QStringList({"EMPLOYEE(_Ssn_, Name, Dnumber→DEPARTMENT.Dnumber)",
                           "DEPARTMENT(_Dnumber_)", "PROJECT(_Pnumber_)",
                           "WORKS_ON(_Ssn_→EMPLOYEE.Ssn, _Pnumber_→PROJECT.Pnumber, Hours)"}));
}
