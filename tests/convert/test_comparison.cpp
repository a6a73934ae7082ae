#include <gtest/gtest.h>

#include <QStringList>
#include <functional>
#include <memory>

#include "comparison.h"
#include "diagrambuilder.h"
#include "mapping.h"

namespace {

// The differences as "category: relation.column" lines, in the order the comparison gives them.
QStringList summary(const Comparison& c) {
    QStringList out;
    for (const Difference& d : c.differences)
        out << categoryTitle(d.category) + ": " + d.relation +
                   (d.column.isEmpty() ? "" : "." + d.column);
    return out;
}

// The COMPANY exercise and the mistakes students make in it.
struct Company {
    bool worksOnOneToMany = false;  // WORKS_ON drawn one-to-many
    bool withoutDependent = false;  // the weak entity DEPENDENT left out
    bool keyOnName = false;         // PROJECT keyed by Pname instead of Pnumber
    bool phonesSimple = false;      // Phones drawn as a simple attribute
    bool dependentStrong = false;   // DEPENDENT drawn as a strong entity
    QString employee = "EMPLOYEE";

    std::unique_ptr<DiagramBuilder> draw() const {
        auto b = std::make_unique<DiagramBuilder>();
        const int emp = b->entity(employee);
        b->attribute(emp, "Ssn", true);
        b->attribute(emp, "Name");
        if (phonesSimple)
            b->attribute(emp, "Phones");
        else
            b->multAttribute(emp, "Phones");
        const int dept = b->entity("DEPARTMENT");
        b->attribute(dept, "Dnumber", true);
        b->attribute(dept, "Dname");
        const int proj = b->entity("PROJECT");
        b->attribute(proj, "Pnumber", !keyOnName);
        b->attribute(proj, "Pname", keyOnName);
        const auto relate = [&](const char* name, int e1, const char* p1, int e2, const char* p2) {
            const int r = b->relationship(name);
            const auto [k1, k2] = b->binary(e1, r, e2);
            b->setParticipation(k1, p1);
            b->setParticipation(k2, p2);
            return r;
        };
        relate("WORKS_FOR", emp, "1,N", dept, "0,1");
        const int worksOn = relate("WORKS_ON", emp, "1,N", proj, worksOnOneToMany ? "0,1" : "1,N");
        b->attribute(worksOn, "Hours");
        if (!withoutDependent) {
            const int dependent = b->entity("DEPENDENT");
            b->attribute(dependent, "Dependent_name", true);
            const int of = relate("DEPENDENTS_OF", dependent, "1,N", emp, "0,N");
            if (!dependentStrong) b->makeWeak(dependent, of);
        }
        return b;
    }
};

Comparison compare(const Company& student, const Company& reference = {}) {
    const auto s = student.draw(), r = reference.draw();
    return compareDiagrams(s->d, r->d);
}

}  // namespace

TEST(Comparison, AnIdenticalCopyScoresFullMarks) {
    const Comparison same = compare({});
    EXPECT_TRUE(same.compared());
    EXPECT_TRUE(same.differences.empty()) << summary(same).join('\n').toStdString();
    EXPECT_EQ(same.score, 100);
    EXPECT_EQ(same.matchedItems, same.referenceItems);
    // Full-width letters, other case and blanks around a name are the same name.
    Company wide;
    wide.employee = "  ｅｍｐｌｏｙｅｅ ";
    EXPECT_TRUE(compare(wide).differences.empty())
        << summary(compare(wide)).join('\n').toStdString();
}

// Reference items: EMPLOYEE 6, EMPLOYEE_Phones 5, DEPARTMENT 4, PROJECT 4, DEPENDENT 5,
// WORKS_ON 7 (a relation and its key count one each, then every column and foreign key).
TEST(Comparison, CompanyVariantsShowTheirMistakes) {
    Company oneToMany;
    oneToMany.worksOnOneToMany = true;
    const Comparison a = compare(oneToMany);
    EXPECT_EQ(summary(a), QStringList({"多出的外鍵: EMPLOYEE.Pnumber", "多出的欄位: EMPLOYEE.Hours",
                                       "缺少關聯: WORKS_ON", "參與條件不同: WORKS_ON"}));
    EXPECT_EQ(a.differences[2].hint, "WORKS_ON 來自多對多關係, 應成為獨立的關聯");
    EXPECT_EQ(a.differences[3].hint, "WORKS_ON 中 PROJECT 的參與應為 1,N, 目前為 0,1");
    EXPECT_EQ(a.score, 66) << "100 × (24/31 − 3/27)";

    Company noDependent;
    noDependent.withoutDependent = true;
    const Comparison b = compare(noDependent);
    EXPECT_EQ(summary(b), QStringList({"缺少關聯: DEPENDENT"}));
    EXPECT_EQ(b.score, 84) << "100 × 26/31";

    Company wrongKey;
    wrongKey.keyOnName = true;
    const Comparison c = compare(wrongKey);
    EXPECT_EQ(summary(c),
              QStringList({"主鍵不同: PROJECT", "主鍵不同: WORKS_ON", "缺少外鍵: WORKS_ON.Pnumber",
                           "多出的外鍵: WORKS_ON.Pname"}));
    EXPECT_EQ(c.differences[0].hint,
              "PROJECT 的主鍵應為 (Pnumber), 目前為 (Pname) "
              "(規則 1 實體: PROJECT 是實體, 成為一個關聯)");
    EXPECT_EQ(c.differences[2].hint,
              "WORKS_ON 缺少參考 PROJECT 的外鍵 Pnumber (規則 5 多對多關係: 參照 PROJECT 的主鍵, "
              "屬這個關聯的主鍵)");
    EXPECT_EQ(c.score, 81) << "100 × (27/31 − 2/31)";

    // Drawn wrong at the ER level: told at the element, with what the relations then lack.
    Company drawing;
    drawing.phonesSimple = true;
    drawing.dependentStrong = true;
    const Comparison d = compare(drawing);
    EXPECT_EQ(d.count(DifferenceCategory::Multivalued), 1);
    EXPECT_EQ(d.count(DifferenceCategory::WeakOrStrong), 1);
    EXPECT_EQ(d.count(DifferenceCategory::MissingRelation), 1)
        << summary(d).join('\n').toStdString();
    for (const Difference& difference : d.differences) EXPECT_NE(difference.studentElement, 0);

    // A student diagram that fails validation is not compared.
    Company noKey;
    noKey.keyOnName = true;
    const auto r = Company{}.draw(), s = noKey.draw();
    for (int i = 1; i < s->d.elementCount(); ++i)
        if (s->d.element(i).Caption == "Pname") s->d.element(i).setUnderlined(false);
    const Comparison e = compareDiagrams(s->d, r->d);
    EXPECT_EQ(e.studentFailure, "實體 PROJECT 沒有設定主鍵");
    EXPECT_TRUE(e.differences.empty());
    EXPECT_EQ(e.score, 0);
}

// Small pairs: renamed columns, a relation renamed or split in two, a foreign key to another
// relation.
TEST(Comparison, RelationsAndColumnsPairUpByNameThenByOverlap) {
    struct Case {
        const char* what;
        std::function<void(DiagramBuilder&)> reference, student;
        QStringList expected;
    };
    const auto entity = [](DiagramBuilder& b, const QString& name, const QString& key,
                           const QStringList& others) {
        const int e = b.entity(name);
        b.attribute(e, key, true);
        for (const QString& other : others) b.attribute(e, other);
        return e;
    };
    const auto oneToMany = [](DiagramBuilder& b, int many, int one) {
        const auto [k1, k2] = b.binary(many, b.relationship("R"), one);
        b.setParticipation(k1, "1,N");
        b.setParticipation(k2, "0,1");
    };
    const Case cases[] = {
        {"a renamed column",
         [&](DiagramBuilder& b) { entity(b, "A", "Id", {"Name"}); },
         [&](DiagramBuilder& b) { entity(b, "A", "Id", {"FullName"}); },
         {"缺少欄位: A.Name", "多出的欄位: A.FullName"}},
        {"a renamed relation pairs up by its columns",
         [&](DiagramBuilder& b) {
             entity(b, "STUDENT", "Sno", {"Name", "City"});
         },
         [&](DiagramBuilder& b) { entity(b, "PUPIL", "Sno", {"Name"}); },
         {"缺少欄位: STUDENT.City"}},
        {"a relation split in two",
         [&](DiagramBuilder& b) {
             entity(b, "STUDENT", "Sno", {"Name", "City", "Street"});
         },
         [&](DiagramBuilder& b) {
             entity(b, "STUDENT", "Sno", {"Name"});
             entity(b, "ADDRESS", "Ano", {"City", "Street"});
         },
         {"缺少欄位: STUDENT.City", "缺少欄位: STUDENT.Street", "多出的關聯: ADDRESS"}},
        {"a foreign key to another relation",
         [&](DiagramBuilder& b) {
             const int emp = entity(b, "EMP", "Eno", {});
             oneToMany(b, emp, entity(b, "DEPT", "Id", {}));
             entity(b, "PROJ", "Pid", {});
         },
         [&](DiagramBuilder& b) {
             const int emp = entity(b, "EMP", "Eno", {});
             entity(b, "DEPT", "Id", {});
             oneToMany(b, emp, entity(b, "PROJ", "Id", {}));
         },
         {"外鍵參考不同: EMP.Id", "主鍵不同: PROJ", "缺少欄位: PROJ.Pid", "多出的欄位: PROJ.Id"}},
    };
    for (const Case& c : cases) {
        DiagramBuilder reference, student;
        c.reference(reference);
        c.student(student);
        const Comparison result = compareDiagrams(student.d, reference.d);
        EXPECT_EQ(summary(result), c.expected) << c.what;
        EXPECT_GT(result.score, 0) << c.what;
        EXPECT_LT(result.score, 100) << c.what;
    }
}
