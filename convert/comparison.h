#pragma once

#include <QString>
#include <vector>

#include "diagram.h"
#include "relationalmodel.h"

// A student's diagram compared with a teacher's reference: both are validated and mapped to
// relational models; relations are matched by name (trimmed, case and full-width/half-width
// forms ignored), the rest by the best overlap of column names, and columns by name within
// matched relations. At the ER level, entities, relationships and attributes are matched by
// caption. The reference is only read.

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
};
constexpr int kDifferenceCategories = int(DifferenceCategory::Multivalued) + 1;

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
};

struct Comparison {
    // Empty when the diagram would convert; else validation's message for its first failure.
    QString referenceFailure;
    QString studentFailure;
    bool compared() const { return referenceFailure.isEmpty() && studentFailure.isEmpty(); }

    std::vector<Difference> differences;  // relational differences first, then ER ones
    // Items are relations, columns, primary keys (one per relation) and foreign keys.
    int referenceItems = 0;  // in the reference
    int matchedItems = 0;    // of the reference's, found equal in the student's model
    int studentItems = 0;    // in the student's model
    int extraItems = 0;      // of the student's, with nothing in the reference
    int score = 0;           // 0..100; 0 when not compared

    int count(DifferenceCategory category) const;
};

// How the score is counted, one sentence for reports.
QString scoreRule();

// Compares `student` with `reference`. Each diagram is validated as Convert does (a missing
// participation counts as "0,N"); when one fails, that one's failure is set and nothing is
// compared.
Comparison compareDiagrams(const Diagram& student, const Diagram& reference);

// Relations of the two models paired up: for each reference relation, the index of its student
// relation, or -1.
std::vector<int> matchRelations(const RelationalModel& student, const RelationalModel& reference);

// A name as the comparison sees it: trimmed, full-width forms as half-width, case folded.
QString comparableName(const QString& name);
