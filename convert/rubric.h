#pragma once

#include <QString>
#include <array>
#include <variant>

#include "comparison.h"

// What each counted difference costs, by its category. A score is 100 minus the costs of the
// differences counted, at least 0; differences that follow from another and equivalent designs
// cost nothing.
struct Rubric {
    QString name;  // the file it was read from, or "預設" for the default costs
    std::array<int, kDifferenceCategories> costs{};

    int cost(DifferenceCategory category) const;

    // The documented default costs.
    static Rubric standard();
};

// The key a rubric file names a category by: "missing-relation", "wrong-key", ...
QString rubricKey(DifferenceCategory category);

// Reads a rubric file: one "key = cost" per line (the key as rubricKey gives it, or the category's
// title), costs whole numbers from 0 to 100, blank lines and lines starting with "#" ignored;
// categories left out keep their default cost. The reason, with its line, when the file cannot
// be read or a line is not understood.
std::variant<Rubric, QString> readRubric(const QString& path);

// "預設: 缺少關聯 10, 多出的關聯 4, ...": the rubric as a report names it.
QString rubricText(const Rubric& rubric);

// Sets each difference's cost by `rubric` (counted differences only) and the comparison's score.
void priceDifferences(Comparison& comparison, const Rubric& rubric);
