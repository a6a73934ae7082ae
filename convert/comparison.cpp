#include "comparison.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "checkdiagram.h"
#include "ercomparison.h"
#include "mapping.h"
#include "rootcauses.h"
#include "rubric.h"
#include "schematext.h"

namespace {

using Model = MappedDiagram;

// Validation's messages for the diagram's failures; empty when it would convert.
QStringList failuresOf(const Diagram& diagram) {
    QStringList failures;
    for (const DiagramProblem& problem : findProblems(diagram))
        if (!problem.isNote()) failures << problem.message;
    return failures;
}

QString nameList(const QStringList& names) {
    return QStringLiteral("(") + names.join(QStringLiteral(", ")) + QStringLiteral(")");
}

QStringList keyNames(const Relation& relation) {
    QStringList names;
    for (const Column& column : relation.columns)
        if (column.key) names << column.name;
    return names;
}

std::set<QString> comparableSet(const QStringList& names) {
    std::set<QString> set;
    for (const QString& name : names) set.insert(comparableName(name));
    return set;
}

// "多對多關係": the rule's name without its number.
QString ruleName(int rule) {
    return ruleTitle(rule).section(QLatin1Char(' '), 2);
}

// " (規則 7 多元關係: ...)": the rule by which the reference's mapping made a relation or a
// column, so that a hint says what the answer follows.
QString ruleUsed(const Explanation& why) {
    if (why.rule == RuleNone) return QString();
    QString text = ruleTitle(why.rule);
    if (!why.reason.isEmpty()) text += QStringLiteral(": ") + why.reason;
    return QStringLiteral(" (") + text + QLatin1Char(')');
}

class RelationalComparison {
public:
    RelationalComparison(const Model& student, const Model& reference, Comparison& out)
        : s_(student), r_(reference), out_(out) {}

    void run(const std::vector<int>& match) {
        std::vector<bool> studentMatched(s_.model.relations.size(), false);
        for (size_t r = 0; r < match.size(); ++r) {
            const Relation& relation = r_.model.relations[r];
            here_ = {int(r), -1, match[r], -1};
            if (match[r] < 0) {
                add(DifferenceCategory::MissingRelation, relation.name, QString(),
                    QCoreApplication::translate("Comparison", "%1 來自%2, 應成為獨立的關聯")
                        .arg(relation.name, ruleName(relation.why.rule)),
                    studentNamesake(relation.element));
                continue;
            }
            studentMatched[size_t(match[r])] = true;
            compareRelation(r, size_t(match[r]), match);
        }
        for (size_t s = 0; s < studentMatched.size(); ++s) {
            if (studentMatched[s]) continue;
            const Relation& relation = s_.model.relations[s];
            here_ = {-1, -1, int(s), -1};
            add(DifferenceCategory::ExtraRelation, relation.name, QString(),
                QCoreApplication::translate("Comparison", "%1 在參考答案中沒有對應的關聯")
                    .arg(relation.name),
                relation.element);
        }
    }

private:
    // The student's element of the same caption and family as the reference's element `r` (the
    // relationship drawn one-to-many that should have made a relation, say), or 0.
    int studentNamesake(int r) const {
        const Element& wanted = r_.diagram.element(r);
        const QString caption = comparableName(wanted.Caption);
        const Diagram& d = s_.diagram;
        for (int i = 1; i < d.elementCount(); ++i) {
            const Element& e = d.element(i);
            if (d.isLiveElement(i) && e.isEntityKind() == wanted.isEntityKind() &&
                e.isAttributeKind() == wanted.isAttributeKind() &&
                comparableName(e.Caption) == caption)
                return i;
        }
        return 0;
    }

    // The relations and columns (model indices) the next differences concern.
    struct Place {
        int referenceRelation, referenceColumn, studentRelation, studentColumn;
    };

    void add(DifferenceCategory category, const QString& relation, const QString& column,
             const QString& hint, int element = 0) {
        Difference d{category, relation, column, hint, element, 0};
        d.referenceRelation = here_.referenceRelation;
        d.referenceColumn = here_.referenceColumn;
        d.studentRelation = here_.studentRelation;
        d.studentColumn = here_.studentColumn;
        out_.differences.push_back(std::move(d));
    }

    // The name of the relation a student's foreign key points at, or empty.
    static QString target(const Model& model, size_t relation, size_t column) {
        return model.references[relation][column].relation;
    }

    void compareRelation(size_t r, size_t s, const std::vector<int>& match) {
        const Relation& ref = r_.model.relations[r];
        const Relation& mine = s_.model.relations[s];
        const QStringList refKey = keyNames(ref), myKey = keyNames(mine);
        if (comparableSet(refKey) != comparableSet(myKey))
            add(DifferenceCategory::KeyDiffers, ref.name, QString(),
                QCoreApplication::translate("Comparison", "%1 的主鍵應為 %2, 目前為 %3")
                        .arg(ref.name, nameList(refKey), nameList(myKey)) +
                    ruleUsed(ref.why),
                mine.element);

        std::vector<bool> used(mine.columns.size(), false);
        for (size_t c = 0; c < ref.columns.size(); ++c) {
            const Column& column = ref.columns[c];
            const QString name = comparableName(column.name);
            size_t m = 0;
            while (m < mine.columns.size() &&
                   (used[m] || comparableName(mine.columns[m].name) != name))
                ++m;
            const QString refTarget = target(r_, r, c);
            here_ = {int(r), int(c), int(s), m < mine.columns.size() ? int(m) : -1};
            if (m == mine.columns.size()) {
                if (column.references)
                    add(DifferenceCategory::MissingForeignKey, ref.name, column.name,
                        QCoreApplication::translate("Comparison", "%1 缺少參考 %2 的外鍵 %3")
                                .arg(ref.name, refTarget, column.name) +
                            ruleUsed(column.why),
                        mine.element);
                else
                    add(DifferenceCategory::MissingColumn, ref.name, column.name,
                        QCoreApplication::translate("Comparison", "%1 缺少欄位 %2")
                            .arg(ref.name, column.name),
                        mine.element);
                continue;
            }
            used[m] = true;
            const Column& found = mine.columns[m];
            const int element = columnSource(mine, found);
            if (column.references && !found.references) {
                add(DifferenceCategory::MissingForeignKey, ref.name, column.name,
                    QCoreApplication::translate("Comparison", "%1.%2 應為參考 %3 的外鍵")
                            .arg(ref.name, column.name, refTarget) +
                        ruleUsed(column.why),
                    element);
            } else if (!column.references && found.references) {
                add(DifferenceCategory::ExtraForeignKey, ref.name, column.name,
                    QCoreApplication::translate("Comparison", "%1.%2 在參考答案中不是外鍵")
                        .arg(ref.name, column.name),
                    element);
            } else if (column.references) {
                const int refIndex = r_.references[r][c].relationIndex;
                const int myIndex = s_.references[s][m].relationIndex;
                if (refIndex >= 0 && myIndex >= 0 && match[size_t(refIndex)] == myIndex)
                    compareReferencedColumn(r_.references[r][c], s_.references[s][m], ref.name,
                                            column.name, element);
                else
                    add(DifferenceCategory::ForeignKeyTarget, ref.name, column.name,
                        QCoreApplication::translate("Comparison", "%1.%2 應參考 %3, 目前參考 %4")
                                .arg(ref.name, column.name, refTarget, target(s_, s, m)) +
                            ruleUsed(column.why),
                        element);
            }
        }
        for (size_t m = 0; m < mine.columns.size(); ++m) {
            if (used[m]) continue;
            const Column& column = mine.columns[m];
            const int element = columnSource(mine, column);
            here_ = {int(r), -1, int(s), int(m)};
            if (column.references) {
                add(DifferenceCategory::ExtraForeignKey, ref.name, column.name,
                    QCoreApplication::translate("Comparison", "%1 多出參考 %2 的外鍵 %3")
                        .arg(mine.name, target(s_, s, m), column.name),
                    element);
            } else {
                add(DifferenceCategory::ExtraColumn, ref.name, column.name,
                    QCoreApplication::translate("Comparison", "%1 多出欄位 %2")
                        .arg(mine.name, column.name),
                    element);
            }
        }
    }

    // A foreign key to the right relation may still reference another of its columns (when
    // that relation's key is another attribute).
    void compareReferencedColumn(const ColumnReference& want, const ColumnReference& have,
                                 const QString& relation, const QString& column, int element) {
        if (comparableName(want.column) == comparableName(have.column)) return;
        add(DifferenceCategory::ForeignKeyTarget, relation, column,
            QCoreApplication::translate("Comparison", "%1.%2 應參考 %3.%4, 目前參考 %3.%5")
                .arg(relation, column, want.relation, want.column, have.column),
            element);
    }

    const Model& s_;
    const Model& r_;
    Comparison& out_;
    Place here_{-1, -1, -1, -1};
};

Model modelOf(const Diagram& diagram) {
    Model model{diagram, mapDiagram(diagram), {}};
    model.references = columnReferences(model.model);
    return model;
}

}  // namespace

QString categoryTitle(DifferenceCategory category) {
    switch (category) {
        case DifferenceCategory::MissingRelation:
            return QCoreApplication::translate("Comparison", "缺少關聯");
        case DifferenceCategory::ExtraRelation:
            return QCoreApplication::translate("Comparison", "多出的關聯");
        case DifferenceCategory::MissingColumn:
            return QCoreApplication::translate("Comparison", "缺少欄位");
        case DifferenceCategory::ExtraColumn:
            return QCoreApplication::translate("Comparison", "多出的欄位");
        case DifferenceCategory::KeyDiffers:
            return QCoreApplication::translate("Comparison", "主鍵不同");
        case DifferenceCategory::MissingForeignKey:
            return QCoreApplication::translate("Comparison", "缺少外鍵");
        case DifferenceCategory::ExtraForeignKey:
            return QCoreApplication::translate("Comparison", "多出的外鍵");
        case DifferenceCategory::ForeignKeyTarget:
            return QCoreApplication::translate("Comparison", "外鍵參考不同");
        case DifferenceCategory::Participation:
            return QCoreApplication::translate("Comparison", "參與條件不同");
        case DifferenceCategory::WeakOrStrong:
            return QCoreApplication::translate("Comparison", "弱實體不同");
        case DifferenceCategory::Multivalued:
            return QCoreApplication::translate("Comparison", "多值屬性不同");
        case DifferenceCategory::Specialization:
            return QCoreApplication::translate("Comparison", "特殊化或類別不同");
        case DifferenceCategory::Equivalent:
            return QCoreApplication::translate("Comparison", "等價的設計");
    }
    return QString();
}

QString scoreRule() {
    return QCoreApplication::translate(
        "Comparison",
        "分數 = 100 − 計分差異的扣分總和 (每項依評分標準的類別扣分), 最低為 0; "
        "隨另一項差異而來的差異與等價的設計不扣分");
}

QString failedCheckText() {
    return QCoreApplication::translate("Comparison", "未通過檢查");
}

int Comparison::count(DifferenceCategory category) const {
    return int(std::count_if(
        differences.begin(), differences.end(),
        [category](const Difference& d) { return d.category == category && d.counted(); }));
}

QString comparableName(const QString& name) {
    return name.normalized(QString::NormalizationForm_KC).trimmed().toCaseFolded();
}

std::vector<int> matchRelations(const RelationalModel& student, const RelationalModel& reference) {
    std::vector<int> match(reference.relations.size(), -1);
    std::vector<bool> taken(student.relations.size(), false);
    std::multimap<QString, size_t> byName;
    for (size_t s = 0; s < student.relations.size(); ++s)
        byName.emplace(comparableName(student.relations[s].name), s);
    for (size_t r = 0; r < reference.relations.size(); ++r) {
        const auto [from, to] = byName.equal_range(comparableName(reference.relations[r].name));
        for (auto it = from; it != to; ++it) {
            if (taken[it->second]) continue;
            taken[it->second] = true;
            match[r] = int(it->second);
            break;
        }
    }
    // The rest pair up by the most own column names in common, best pairs first. Foreign keys
    // do not count: two relations that both refer to EMPLOYEE share its key and nothing else.
    const auto columnNames = [](const Relation& relation) {
        std::set<QString> names;
        for (const Column& column : relation.columns)
            if (!column.references) names.insert(comparableName(column.name));
        return names;
    };
    struct Pair {
        int overlap;
        size_t r, s;
    };
    std::vector<Pair> pairs;
    for (size_t r = 0; r < match.size(); ++r) {
        if (match[r] >= 0) continue;
        const auto mine = columnNames(reference.relations[r]);
        for (size_t s = 0; s < taken.size(); ++s) {
            if (taken[s]) continue;
            const auto theirs = columnNames(student.relations[s]);
            const int overlap =
                int(std::count_if(mine.begin(), mine.end(),
                                  [&theirs](const QString& n) { return theirs.contains(n); }));
            if (overlap > 0) pairs.push_back({overlap, r, s});
        }
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const Pair& a, const Pair& b) { return a.overlap > b.overlap; });
    for (const Pair& pair : pairs) {
        if (match[pair.r] >= 0 || taken[pair.s]) continue;
        match[pair.r] = int(pair.s);
        taken[pair.s] = true;
    }
    return match;
}

Comparison compareDiagrams(const Diagram& student, const Diagram& reference, const Rubric& rubric) {
    Comparison out;
    out.referenceFailure = failuresOf(reference).value(0);
    if (!out.compared()) return out;
    out.studentProblems = failuresOf(student);
    const Model s = modelOf(student), r = modelOf(reference);
    const std::vector<int> match = matchRelations(s.model, r.model);
    RelationalComparison(s, r, out).run(match);
    compareDrawings(student, reference, out.differences);
    groupRootCauses(s, r, match, out.differences);
    priceDifferences(out, rubric);
    return out;
}

Comparison compareDiagrams(const Diagram& student, const Diagram& reference) {
    return compareDiagrams(student, reference, Rubric::standard());
}
