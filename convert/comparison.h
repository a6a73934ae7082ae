#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "diagram.h"
#include "relationalmodel.h"

// A student's diagram compared with a teacher's reference: both are mapped to relational models
// (the student's as far as it maps, even when it fails validation); relations are matched by name
// (trimmed, case and full-width/half-width forms ignored), the rest by the best overlap of column
// names, and columns by name within matched relations. At the ER level, entities, relationships
// and attributes are matched by caption. Differences that follow from another are grouped under
// it, and the rubric prices the rest. The reference is only read.

enum class DifferenceCategory {
    MissingRelation,
    ExtraRelation,
    MissingColumn,
    ExtraColumn,
    KeyDiffers,
    MissingForeignKey,
    ExtraForeignKey,
    ForeignKeyTarget,  // the foreign key references another relation
    Participation,     // a different minimum or maximum on a matched relationship's entity
    WeakOrStrong,      // a weak entity drawn as a strong one or the reverse
    Multivalued,       // a multivalued attribute drawn as a simple one or the reverse
    Specialization,  // a specialization or category missing, of the other kind, or drawn otherwise
    // Not a mistake: a design that says the same as the reference's (a one-to-one relationship's
    // key on the other side, another name for a relation or a foreign key). Never costs points.
    Equivalent,
};
// The categories a rubric prices (all but Equivalent).
constexpr int kDifferenceCategories = int(DifferenceCategory::Specialization) + 1;

// "缺少關聯", "多出的欄位", ...: the category as reports and the panel title it.
QString categoryTitle(DifferenceCategory category);

struct Difference {
    DifferenceCategory category = DifferenceCategory::MissingRelation;
    QString relation;  // the relation concerned (the reference's name where it has one)
    QString column;    // the column concerned, or empty
    QString hint;      // one sentence for the student, in traditional Chinese
    // Where it is in the student's diagram: an element, or a connector (0 where neither).
    int studentElement = 0;
    int studentConnector = 0;
    // The reference's element (ER differences), and the relations and columns concerned by their
    // index in the reference's and the student's models (-1 where there is none).
    int referenceElement = 0;
    int referenceRelation = -1, referenceColumn = -1;
    int studentRelation = -1, studentColumn = -1;
    // The difference this one follows from (an index into the same list, always a counted one
    // or an equivalence), or -1 when it stands by itself.
    int cause = -1;
    int cost = 0;  // what it costs by the rubric; 0 for consequences and equivalences

    bool counted() const { return cause < 0 && category != DifferenceCategory::Equivalent; }
};

struct Rubric;

struct Comparison {
    // Empty when the reference would convert; else validation's message for its first failure,
    // and nothing is compared.
    QString referenceFailure;
    // Validation's messages for the student's diagram (未通過檢查), which is compared all the same.
    QStringList studentProblems;
    bool compared() const { return referenceFailure.isEmpty(); }
    bool studentPassed() const { return studentProblems.isEmpty(); }

    // Each counted difference is followed by those that follow from it; relational differences
    // come before the ER ones they do not follow from.
    std::vector<Difference> differences;
    int score = 0;  // 100 minus the costs of the counted differences, at least 0; 0 if not compared

    // The counted differences of a category.
    int count(DifferenceCategory category) const;
};

// How the score is counted, one sentence for reports.
QString scoreRule();

// "未通過檢查": how reports mark a student's diagram that fails validation.
QString failedCheckText();

// Compares `student` with `reference`, pricing the counted differences by `rubric`. A missing
// participation counts as "0,N", as validation fills it in.
Comparison compareDiagrams(const Diagram& student, const Diagram& reference, const Rubric& rubric);
Comparison compareDiagrams(const Diagram& student, const Diagram& reference);

// Relations of the two models paired up: for each reference relation, the index of its student
// relation, or -1.
std::vector<int> matchRelations(const RelationalModel& student, const RelationalModel& reference);

// A name as the comparison sees it: trimmed, full-width forms as half-width, case folded.
QString comparableName(const QString& name);
