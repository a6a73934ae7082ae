#pragma once

#include <QString>
#include <set>
#include <vector>

#include "relationalmodel.h"

class Diagram;
struct Comparison;

// What the review panel shows, as lines of formatted runs rather than markup: the panel compares
// them with what it shows and rewrites only the lines that changed, so one rename in a large
// diagram costs a few lines, not the whole text.

enum class ReviewTone { Problem, Note, Warning, Schema, Pending, Comparison };

struct ReviewRun {
    QString text;
    QString href;          // the link it is part of, or empty
    bool bold = false;
    bool key = false;      // underlined: a key column
    bool foreign = false;  // coloured: a foreign key and what it references
    bool marked = false;   // produced by the selected element
    bool operator==(const ReviewRun&) const = default;
};

struct ReviewLine {
    enum class Kind { Heading, Item, Relation, SubItem };
    Kind kind = Kind::Relation;
    ReviewTone tone = ReviewTone::Schema;
    std::vector<ReviewRun> runs;
    bool operator==(const ReviewLine&) const = default;
};

// The problems (then the notes and the warnings) of the diagram, each linked to its connector or
// element, and the schema of `model` (the diagram's mapping), one line per relation, greyed while
// there are problems. Relations and columns produced by an element of `selection` are marked.
std::vector<ReviewLine> reviewLines(const Diagram& diagram, const RelationalModel& model,
                                    const std::set<int>& selection);

// The comparison with a reference answer, shown above everything else: the score (its link "s:"
// tells how it is counted), the rubric in force (its link "u:rubric" picks another) and a "關閉"
// link ("x:close"), or why nothing could be compared; 未通過檢查 with validation's messages; then
// the counted differences grouped by category with their costs, each followed by the differences
// that follow from it, and the equivalent designs; each linked to the student's element or
// connector.
std::vector<ReviewLine> comparisonLines(const Comparison& comparison, const QString& reference,
                                        const QString& rubric);
