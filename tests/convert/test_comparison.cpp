#include <gtest/gtest.h>

#include <QStringList>
#include <functional>
#include <memory>

#include "comparison.h"
#include "diagrambuilder.h"
#include "mapping.h"
#include "rubric.h"

namespace {

// The differences as "category: relation.column" lines in the comparison's order; a difference
// that follows from another is indented under it.
QStringList summary(const Comparison& c) {
    QStringList out;
    for (const Difference& d : c.differences)
        out << QString(d.cause >= 0 ? "  " : "") + categoryTitle(d.category) + ": " + d.relation +
                   (d.column.isEmpty() ? "" : "." + d.column);
    return out;
}

std::string shown(const Comparison& c) {
    return summary(c).join('\n').toStdString();
}

std::vector<const Difference*> counted(const Comparison& c) {
    std::vector<const Difference*> out;
    for (const Difference& d : c.differences)
        if (d.counted()) out.push_back(&d);
    return out;
}

// The COMPANY exercise and the single mistakes students make in it.
struct Company {
    bool keyOnSalary = false;        // EMPLOYEE keyed by Salary instead of Ssn
    bool withoutDependent = false;   // the weak entity DEPENDENT left out
    bool worksOnOneToMany = false;   // WORKS_ON drawn one-to-many
    bool phonesSimple = false;       // Phones drawn as a simple attribute
    bool worksForOptional = false;   // EMPLOYEE's participation in WORKS_FOR "0,N", not "1,N"
    bool projectWithoutKey = false;  // PROJECT's key not marked: fails validation
    bool dependentStrong = false;    // DEPENDENT drawn as a strong entity
    // Equivalent designs.
    bool managesReversed = false;  // MANAGES drawn from DEPARTMENT's side
    bool worksOnReversed = false;  // WORKS_ON drawn from PROJECT's side: keys in another order
    bool otherRoles = false;       // SUPERVISION's roles (so its foreign key) named otherwise
    QString employee = "EMPLOYEE";

    std::unique_ptr<DiagramBuilder> draw() const {
        auto b = std::make_unique<DiagramBuilder>();
        const int emp = b->entity(employee);
        b->attribute(emp, "Ssn", !keyOnSalary);
        b->attribute(emp, "Name");
        b->attribute(emp, "Salary", keyOnSalary);
        if (phonesSimple)
            b->attribute(emp, "Phones");
        else
            b->multAttribute(emp, "Phones");
        const int dept = b->entity("DEPARTMENT");
        b->attribute(dept, "Dnumber", true);
        b->attribute(dept, "Dname");
        const int proj = b->entity("PROJECT");
        b->attribute(proj, "Pnumber", !projectWithoutKey);
        b->attribute(proj, "Pname");
        const auto relate = [&](const char* name, int e1, const char* p1, int e2, const char* p2,
                                bool reversed = false) {
            const int r = b->relationship(name);
            if (reversed) {
                const auto [k2, k1] = b->binary(e2, r, e1);
                b->setParticipation(k1, p1);
                b->setParticipation(k2, p2);
            } else {
                const auto [k1, k2] = b->binary(e1, r, e2);
                b->setParticipation(k1, p1);
                b->setParticipation(k2, p2);
            }
            return r;
        };
        relate("WORKS_FOR", emp, worksForOptional ? "0,N" : "1,N", dept, "0,1");
        relate("MANAGES", emp, "0,1", dept, "0,1", managesReversed);
        const int worksOn =
            relate("WORKS_ON", emp, "1,N", proj, worksOnOneToMany ? "0,1" : "1,N", worksOnReversed);
        b->attribute(worksOn, "Hours");
        const int supervision = b->relationship("SUPERVISION");
        const auto [boss, staff] = b->recursive(emp, supervision);
        b->setParticipation(boss, "0,N");
        b->setParticipation(staff, "0,1");
        b->setRole(boss, otherRoles ? "Boss" : "Supervisor");
        b->setRole(staff, otherRoles ? "Staff" : "Supervisee");
        if (!withoutDependent) {
            const int dependent = b->entity("DEPENDENT");
            b->attribute(dependent, "Dependent_name", true);
            const int of = relate("DEPENDENTS_OF", dependent, "1,N", emp, "0,N");
            if (!dependentStrong) b->makeWeak(dependent, of);
        }
        return b;
    }
};

Comparison compare(const Company& student, const Rubric& rubric = Rubric::standard()) {
    const auto s = student.draw(), r = Company{}.draw();
    return compareDiagrams(s->d, r->d, rubric);
}

}  // namespace

TEST(Comparison, AnIdenticalCopyScoresFullMarks) {
    const Comparison same = compare({});
    EXPECT_TRUE(same.compared());
    EXPECT_TRUE(same.studentPassed());
    EXPECT_TRUE(same.differences.empty()) << shown(same);
    EXPECT_EQ(same.score, 100);
    // Full-width letters, other case and blanks around a name are the same name.
    Company wide;
    wide.employee = "  ｅｍｐｌｏｙｅｅ ";
    EXPECT_TRUE(compare(wide).differences.empty()) << shown(compare(wide));
}

// One modelling mistake is one counted difference, however many relations and foreign keys it
// touches, and the score is 100 minus its cost; everything it brings with it is listed under it.
TEST(Comparison, EachSingleMistakeCountsOnce) {
    const struct {
        const char* what;
        bool Company::*mistake;
        DifferenceCategory category;
    } cases[] = {
        {"wrong key", &Company::keyOnSalary, DifferenceCategory::KeyDiffers},
        {"missing weak entity", &Company::withoutDependent, DifferenceCategory::MissingRelation},
        {"many-to-many as one-to-many", &Company::worksOnOneToMany,
         DifferenceCategory::Participation},
        {"multivalued as simple", &Company::phonesSimple, DifferenceCategory::Multivalued},
        {"wrong participation", &Company::worksForOptional, DifferenceCategory::Participation},
        {"missing key", &Company::projectWithoutKey, DifferenceCategory::KeyDiffers},
        {"weak as strong", &Company::dependentStrong, DifferenceCategory::WeakOrStrong},
    };
    const Rubric rubric = Rubric::standard();
    for (const auto& c : cases) {
        Company variant;
        variant.*c.mistake = true;
        const Comparison result = compare(variant);
        const auto mistakes = counted(result);
        ASSERT_EQ(mistakes.size(), 1u) << c.what << "\n" << shown(result);
        EXPECT_EQ(mistakes[0]->category, c.category) << c.what << "\n" << shown(result);
        EXPECT_EQ(mistakes[0]->cost, rubric.cost(c.category)) << c.what;
        EXPECT_EQ(result.score, 100 - rubric.cost(c.category)) << c.what;
        EXPECT_FALSE(mistakes[0]->hint.isEmpty()) << c.what;
        for (size_t i = 0; i < result.differences.size(); ++i) {
            const Difference& d = result.differences[i];
            EXPECT_FALSE(d.hint.isEmpty()) << c.what;
            if (d.cause < 0) continue;
            // Listed under the difference it follows from, which stands by itself.
            EXPECT_LT(d.cause, int(i)) << c.what;
            EXPECT_LT(result.differences[size_t(d.cause)].cause, 0) << c.what;
            EXPECT_EQ(d.cost, 0) << c.what;
        }
    }

    // The wrong key's foreign keys: the recursive one now references the wrong column.
    Company wrongKey;
    wrongKey.keyOnSalary = true;
    const Comparison key = compare(wrongKey);
    EXPECT_TRUE(key.differences[0].hint.startsWith("EMPLOYEE 的主鍵應為 (Ssn), 目前為 (Salary)"));
    EXPECT_TRUE(std::any_of(key.differences.begin(), key.differences.end(),
                            [](const Difference& d) {
                                return d.category == DifferenceCategory::ForeignKeyTarget &&
                                       d.hint.contains("EMPLOYEE.Salary");
                            }))
        << shown(key);
    EXPECT_GE(key.differences.size(), 5u) << "the foreign keys to EMPLOYEE follow it";

    // A diagram that fails validation is still compared, with validation's messages.
    Company noKey;
    noKey.projectWithoutKey = true;
    const Comparison failing = compare(noKey);
    EXPECT_TRUE(failing.compared());
    EXPECT_EQ(failing.studentProblems, QStringList{"實體 PROJECT 沒有設定主鍵"});
    EXPECT_EQ(failing.differences[0].relation, "PROJECT");
}

TEST(Comparison, EquivalentDesignsCostNothing) {
    const struct {
        const char* what;
        std::function<void(Company&)> change;
    } cases[] = {
        {"one-to-one key on the other side", [](Company& c) { c.managesReversed = true; }},
        {"key columns in another order", [](Company& c) { c.worksOnReversed = true; }},
        {"foreign key named otherwise", [](Company& c) { c.otherRoles = true; }},
        {"relation named otherwise", [](Company& c) { c.employee = "STAFF"; }},
    };
    for (const auto& c : cases) {
        Company variant;
        c.change(variant);
        const Comparison result = compare(variant);
        EXPECT_EQ(result.score, 100) << c.what << "\n" << shown(result);
        EXPECT_TRUE(counted(result).empty()) << c.what << "\n" << shown(result);
    }
    Company renamed;
    renamed.employee = "STAFF";
    const Comparison note = compare(renamed);
    ASSERT_EQ(summary(note), QStringList{"等價的設計: EMPLOYEE"});
    EXPECT_EQ(note.differences[0].hint,
              "STAFF 對應參考答案的 EMPLOYEE: 名稱不同, 依相同的欄位配對");
}

// A rubric changes the costs and the score, never which differences are found or counted.
TEST(Comparison, ARubricChangesOnlyTheCosts) {
    Rubric heavy = Rubric::standard();
    for (int& cost : heavy.costs) cost = 40;
    Company two;
    two.phonesSimple = true;
    two.withoutDependent = true;
    const Comparison usual = compare(two), priced = compare(two, heavy);
    EXPECT_EQ(summary(usual), summary(priced));
    EXPECT_EQ(counted(priced).size(), 2u) << shown(priced);
    EXPECT_EQ(priced.score, 20);
    EXPECT_EQ(usual.score, 100 - Rubric::standard().cost(DifferenceCategory::Multivalued) -
                               Rubric::standard().cost(DifferenceCategory::MissingRelation));
    for (int& cost : heavy.costs) cost = 100;
    EXPECT_EQ(compare(two, heavy).score, 0) << "never below 0";
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
         {"缺少欄位: STUDENT.City", "等價的設計: STUDENT"}},
        {"a relation split in two",
         [&](DiagramBuilder& b) {
             entity(b, "STUDENT", "Sno", {"Name", "City", "Street"});
         },
         [&](DiagramBuilder& b) {
             entity(b, "STUDENT", "Sno", {"Name"});
             entity(b, "ADDRESS", "Ano", {"City", "Street"});
         },
         {"缺少欄位: STUDENT.City", "缺少欄位: STUDENT.Street", "多出的關聯: ADDRESS"}},
        {"a foreign key to another relation, whose key is named otherwise",
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
         {"外鍵參考不同: EMP.Id", "缺少欄位: PROJ.Pid", "  主鍵不同: PROJ", "多出的欄位: PROJ.Id"}},
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
