// The textbook's enhanced-ER example mapped with each option of step 8 and the category of
// step 9: relations, keys and foreign keys, the workbook's arrows and explanation sheet; and
// the validation of specializations and categories.
#include <gtest/gtest.h>

#include <functional>

#include "checkdiagram.h"
#include "comparison.h"
#include "conversionjob.h"
#include "drawingcheck.h"
#include "mapping.h"
#include "readback.h"
#include "rubric.h"
#include "schematext.h"
#include "textbookeer.h"
#include "workbookfile.h"

namespace {

using M = SubclassMapping;

QStringList schema(const RelationalModel& model) {
    const auto references = columnReferences(model);
    QStringList out;
    for (size_t r = 0; r < model.relations.size(); ++r) out << schemaLine(model, r, references);
    return out;
}

// Relations every case shares: the owners of the category and the trade union.
const QStringList kCategory = {
    "TRADE_UNION(_Uname_)",
    "PERSON(_Ssn_, Name, OWNER_id→OWNER.OWNER_id)",
    "BANK(_Bname_, OWNER_id→OWNER.OWNER_id)",
    "COMPANY(_Cname_, OWNER_id→OWNER.OWNER_id)",
    "OWNER(_OWNER_id_)",
};

struct Case {
    const char* name;
    M jobs, pay, vehicles;
    QStringList relations;  // in the workbook's order, less kCategory (inserted by place)
    QStringList checks;     // CHECK constraints the SQLite script holds
    int checkCount;         // and how many it holds in all
    int rule;               // a rule the explanation sheet names
};

const Case kCases[] = {
    {"A",
     M::SuperclassAndSubclasses,
     M::SuperclassAndSubclasses,
     M::SuperclassAndSubclasses,
     {"EMPLOYEE(_Ssn_, Fname, Job_type)", "SECRETARY(_Ssn_→EMPLOYEE.Ssn, Typing_speed)",
      "TECHNICIAN(_Ssn_→EMPLOYEE.Ssn, Tgrade, Uname→TRADE_UNION.Uname)",
      "ENGINEER(_Ssn_→EMPLOYEE.Ssn, Eng_type)", "MANAGER(_Ssn_→EMPLOYEE.Ssn)",
      "SALARIED_EMPLOYEE(_Ssn_→EMPLOYEE.Ssn, Salary)",
      "HOURLY_EMPLOYEE(_Ssn_→EMPLOYEE.Ssn, Pay_scale)", "ENGINEERING_MANAGER(_Ssn_→ENGINEER.Ssn & MANAGER.Ssn)",
      "VEHICLE(_Vehicle_id_, Price)", "CAR(_Vehicle_id_→VEHICLE.Vehicle_id, Max_speed)",
      "TRUCK(_Vehicle_id_→VEHICLE.Vehicle_id, Tonnage)"},
     {},
     0,
     RuleSpecializationA},
    {"B",
     M::SuperclassAndSubclasses,
     M::SuperclassAndSubclasses,
     M::SubclassesOnly,
     {"EMPLOYEE(_Ssn_, Fname, Job_type)", "SECRETARY(_Ssn_→EMPLOYEE.Ssn, Typing_speed)",
      "TECHNICIAN(_Ssn_→EMPLOYEE.Ssn, Tgrade, Uname→TRADE_UNION.Uname)",
      "ENGINEER(_Ssn_→EMPLOYEE.Ssn, Eng_type)", "MANAGER(_Ssn_→EMPLOYEE.Ssn)",
      "SALARIED_EMPLOYEE(_Ssn_→EMPLOYEE.Ssn, Salary)",
      "HOURLY_EMPLOYEE(_Ssn_→EMPLOYEE.Ssn, Pay_scale)", "ENGINEERING_MANAGER(_Ssn_→ENGINEER.Ssn & MANAGER.Ssn)",
      "CAR(_Vehicle_id_, Price, Max_speed)", "TRUCK(_Vehicle_id_, Price, Tonnage)"},
     {},
     0,
     RuleSpecializationB},
    {"C",
     M::OneTypeAttribute,
     M::OneTypeAttribute,
     M::OneTypeAttribute,
     {"EMPLOYEE(_Ssn_, Fname, Job_type, Typing_speed, Tgrade, Eng_type, Type, Salary, Pay_scale, "
      "Uname→TRADE_UNION.Uname)",
      "MANAGER(_Ssn_→EMPLOYEE.Ssn)", "ENGINEERING_MANAGER(_Ssn_→EMPLOYEE.Ssn & MANAGER.Ssn)",
      "VEHICLE(_Vehicle_id_, Price, Type, Max_speed, Tonnage)"},
     {"CHECK (\"Job_type\" IN ('SECRETARY', 'TECHNICIAN', 'ENGINEER'))",
      "CHECK (\"Type\" IN ('SALARIED_EMPLOYEE', 'HOURLY_EMPLOYEE'))",
      "CHECK (\"Type\" IN ('CAR', 'TRUCK'))"},
     3,
     RuleSpecializationC},
    {"D",
     M::TypeFlags,
     M::TypeFlags,
     M::TypeFlags,
     {"EMPLOYEE(_Ssn_, Fname, Job_type, Is_SECRETARY, Is_TECHNICIAN, Is_ENGINEER, Typing_speed, "
      "Tgrade, Eng_type, Is_SALARIED_EMPLOYEE, Is_HOURLY_EMPLOYEE, Salary, Pay_scale, "
      "Uname→TRADE_UNION.Uname)",
      "MANAGER(_Ssn_→EMPLOYEE.Ssn)", "ENGINEERING_MANAGER(_Ssn_→EMPLOYEE.Ssn & MANAGER.Ssn)",
      "VEHICLE(_Vehicle_id_, Price, Is_CAR, Is_TRUCK, Max_speed, Tonnage)"},
     {"CHECK (\"Is_SECRETARY\" IN ('0', '1'))", "CHECK (\"Is_CAR\" IN ('0', '1'))"},
     7,
     RuleSpecializationD},
};

class EerMapping : public testing::TestWithParam<Case> {
protected:
    TextbookEer t;
    WorkbookFolder folder;
};

TEST_P(EerMapping, GivesTheTextbooksRelationsKeysForeignKeysAndArrows) {
    const Case& c = GetParam();
    t.map(c.jobs, c.pay, c.vehicles);
    ASSERT_TRUE(validateDiagram(t.b.d).passed)
        << validateDiagram(t.b.d).messages.join('\n').toStdString();
    const RelationalModel model = mapDiagram(t.b.d);

    // Entities in index order: the trade union comes before VEHICLE, the category's last.
    QStringList expected = c.relations;
    const auto vehicleAt = std::find_if(expected.begin(), expected.end(), [](const QString& line) {
        return line.startsWith("VEHICLE(") || line.startsWith("CAR(");
    });
    expected.insert(vehicleAt, kCategory.front());
    expected.append(kCategory.mid(1));
    EXPECT_EQ(schema(model).join('\n'), expected.join('\n'));

    // The shared subclass's key references both its superclasses' relations.
    const Relation& shared =
        *std::find_if(model.relations.begin(), model.relations.end(),
                      [](const Relation& r) { return r.name == "ENGINEERING_MANAGER"; });
    ASSERT_EQ(shared.sharedKeys.size(), 1u);
    EXPECT_EQ(shared.sharedKeys.front().entity, t.manager);

    const QString sql = sqlScript(model, t.b.d, SqlDialect::SQLite, nullptr);
    for (const QString& check : c.checks) EXPECT_TRUE(sql.contains(check)) << check.toStdString();
    EXPECT_EQ(sql.count("CHECK ("), c.checkCount) << sql.toStdString();
    EXPECT_TRUE(sql.contains("FOREIGN KEY (\"Ssn\") REFERENCES \"MANAGER\" (\"Ssn\")"));

    // The workbook: every foreign-key column has its arrow, ending on the referenced column's
    // cell; the explanation sheet names the option's rule and step 9.
    const QString file = folder.path(WorkbookFolder::currentTestFileName());
    ASSERT_TRUE(ConversionJob(t.b.editor).run(file).ok());
    folder.keep(file);
    const Readback r = readBack(file);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const auto references = columnReferences(model);
    int arrow = 0;
    for (const OutputStep& step : model.steps) {
        const Relation& relation = model.relations[size_t(step.relation)];
        for (int i = step.firstColumn; i < step.firstColumn + step.columnCount; ++i) {
            if (!relation.columns[size_t(i)].references) continue;
            const ColumnReference& to = references[size_t(step.relation)][size_t(i)];
            const int nameRow =
                r.number("B" + QString::number(model.relations[size_t(to.relationIndex)].element));
            EXPECT_TRUE(onCell(r, arrowEnd(r, arrow), nameRow + 1, to.columnIndex + 1))
                << relation.name.toStdString() << "."
                << relation.columns[size_t(i)].name.toStdString();
            ++arrow;
        }
        // Then the shared subclass's key to its further superclass: MANAGER's Ssn.
        if (!step.appends && !relation.sharedKeys.empty()) {
            const int managerRow = r.number("B" + QString::number(t.manager));
            EXPECT_TRUE(onCell(r, arrowEnd(r, arrow), managerRow + 1, 1)) << arrow;
            ++arrow;
        }
    }
    EXPECT_EQ(arrowCount(r), arrow);
    QStringList rules;
    for (const QJsonValue& cell : r.cells("對映說明"))
        rules << cell.toObject().value("v").toString();
    EXPECT_TRUE(rules.contains(ruleTitle(c.rule))) << ruleTitle(c.rule).toStdString();
    EXPECT_TRUE(rules.contains(ruleTitle(RuleCategory)));
}

INSTANTIATE_TEST_SUITE_P(Options, EerMapping, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string("8") + info.param.name;
                         });

// Each defect of a specialization or category, made on the valid textbook diagram, is the one
// validation reports, with its message.
TEST(EerValidation, ReportsEachDefectOfSpecializationsAndCategories) {
    struct Defect {
        std::function<void(TextbookEer&)> make;
        DiagramProblem::Kind kind;
        QString message;
    };
    const std::vector<Defect> defects = {
        {[](TextbookEer& t) { t.b.editor.createElement(KindSpecialization); },
         DiagramProblem::Kind::ClassLinks, "特殊化 d 必須恰有一個超類別, 並至少有一個子類別"},
        {[](TextbookEer& t) { t.b.category({t.person}, t.b.entity("X")); },
         DiagramProblem::Kind::ClassLinks, "類別 X 必須有至少兩個超類別, 並恰有一個子類別"},
        {[](TextbookEer& t) {
             t.b.category({t.b.entity("NOKEY"), t.bank}, t.b.entity("Y"));
         },
         DiagramProblem::Kind::CategoryKey, "實體 NOKEY 是類別 Y 的超類別, 必須設定主鍵"},
        {[](TextbookEer& t) { t.b.specialization(t.manager, {t.employee}); },
         DiagramProblem::Kind::ClassCycle,
         "類別形成循環, EMPLOYEE 成為自己的子類別: EMPLOYEE → MANAGER → EMPLOYEE"},
        {[](TextbookEer& t) {
             t.b.d.element(t.byJob).DefiningAttribute =
                 qint16(t.b.d.element(t.person).AttributeList.items().at(1));
         },
         DiagramProblem::Kind::DefiningAttribute,
         "EMPLOYEE 的特殊化的定義屬性 Name 不是 EMPLOYEE 的屬性"},
        {[](TextbookEer& t) { t.b.d.element(t.byJob).Mapping = M::SubclassesOnly; },
         DiagramProblem::Kind::MappingOption,
         "EMPLOYEE 的特殊化是部分特殊化, 不能用 8B 對映: 不屬任何子類別的 EMPLOYEE 會沒有關聯可放"},
        {[](TextbookEer& t) { t.b.d.element(t.byPay).Mapping = M::SubclassesOnly; },
         DiagramProblem::Kind::MappingOption,
         "EMPLOYEE 的特殊化不能用 8B 對映: 8B 不給 EMPLOYEE 自己的關聯, 但 EMPLOYEE 還參與關係、"
         "擁有弱實體或多值屬性、或屬其他特殊化或類別, 需要一個關聯供參照"},
        {[](TextbookEer& t) {
             t.b.d.element(t.vehicles).Overlapping = true;
             t.b.d.element(t.vehicles).Mapping = M::OneTypeAttribute;
         },
         DiagramProblem::Kind::MappingOption,
         "VEHICLE 的特殊化是重疊的, 不能用 8C 對映: 一個類型屬性只能記錄一個子類別"},
    };
    for (const Defect& defect : defects) {
        TextbookEer t;
        ASSERT_TRUE(findProblems(t.b.d).empty());
        defect.make(t);
        const std::vector<DiagramProblem> found = findProblems(t.b.d);
        ASSERT_EQ(found.size(), 1u) << defect.message.toStdString();
        EXPECT_EQ(found.front().kind, defect.kind);
        EXPECT_EQ(found.front().message, defect.message);
        // Mapping an invalid diagram still ends, without a crash.
        mapDiagram(t.b.d);
    }
}

}  // namespace

namespace {

// A student's EER diagram compared with the textbook's: each circle drawn otherwise is one
// counted difference, priced by the rubric.
TEST(EerComparison, FindsCirclesMissingOrDrawnOtherwise) {
    TextbookEer reference, student;
    student.b.d.element(student.byJob).Overlapping = true;
    student.b.d.element(student.byPay).Total = false;
    student.b.d.element(student.vehicles).Visible = false;
    const Comparison c = compareDiagrams(student.b.d, reference.b.d);
    QStringList hints;
    for (const Difference& d : c.differences) {
        if (d.category != DifferenceCategory::Specialization) continue;
        hints << d.hint;
        EXPECT_TRUE(d.counted());
        EXPECT_EQ(d.cost, Rubric::standard().cost(DifferenceCategory::Specialization));
    }
    EXPECT_EQ(hints, QStringList({"EMPLOYEE 的特殊化在參考答案是 d, 這裡是 o",
                                  "EMPLOYEE 的特殊化在參考答案是全部參與 (雙線), 這裡是部分參與",
                                  "缺少 VEHICLE 的特殊化"}));
    EXPECT_TRUE(compareDiagrams(reference.b.d, reference.b.d).differences.empty());
}

}  // namespace
