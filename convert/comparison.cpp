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
#include "schematext.h"

namespace {

using References = std::vector<std::vector<ColumnReference>>;

// A mapped diagram with where its foreign keys point.
struct Model {
    const Diagram& diagram;
    RelationalModel model;
    References references;
};

// Validation's message for the diagram's first failure, or empty when it would convert.
QString failureOf(const Diagram& diagram) {
    for (const DiagramProblem& problem : findProblems(diagram))
        if (!problem.isNote()) return problem.message;
    return QString();
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

// Items a relation holds: itself, its key, its columns and its foreign keys.
int itemsOf(const Relation& relation) {
    int items = 2 + int(relation.columns.size());
    for (const Column& column : relation.columns) items += column.references ? 1 : 0;
    return items;
}

class RelationalComparison {
public:
    RelationalComparison(const Model& student, const Model& reference, Comparison& out)
        : s_(student), r_(reference), out_(out) {}

    void run() {
        const std::vector<int> match = matchRelations(s_.model, r_.model);
        std::vector<bool> studentMatched(s_.model.relations.size(), false);
        for (const Relation& relation : r_.model.relations)
            out_.referenceItems += itemsOf(relation);
        for (const Relation& relation : s_.model.relations) out_.studentItems += itemsOf(relation);
        for (size_t r = 0; r < match.size(); ++r) {
            const Relation& relation = r_.model.relations[r];
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
            out_.extraItems += itemsOf(relation);
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

    void add(DifferenceCategory category, const QString& relation, const QString& column,
             const QString& hint, int element = 0) {
        out_.differences.push_back({category, relation, column, hint, element, 0});
    }

    // The name of the relation a student's foreign key points at, or empty.
    static QString target(const Model& model, size_t relation, size_t column) {
        return model.references[relation][column].relation;
    }

    void compareRelation(size_t r, size_t s, const std::vector<int>& match) {
        const Relation& ref = r_.model.relations[r];
        const Relation& mine = s_.model.relations[s];
        out_.matchedItems += 1;
        const QStringList refKey = keyNames(ref), myKey = keyNames(mine);
        if (comparableSet(refKey) == comparableSet(myKey))
            out_.matchedItems += 1;
        else
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
            out_.matchedItems += 1;
            const Column& found = mine.columns[m];
            const int element = columnSource(mine, found);
            if (column.references && !found.references) {
                add(DifferenceCategory::MissingForeignKey, ref.name, column.name,
                    QCoreApplication::translate("Comparison", "%1.%2 應為參考 %3 的外鍵")
                            .arg(ref.name, column.name, refTarget) +
                        ruleUsed(column.why),
                    element);
            } else if (!column.references && found.references) {
                out_.extraItems += 1;
                add(DifferenceCategory::ExtraForeignKey, ref.name, column.name,
                    QCoreApplication::translate("Comparison", "%1.%2 在參考答案中不是外鍵")
                        .arg(ref.name, column.name),
                    element);
            } else if (column.references) {
                const int refIndex = r_.references[r][c].relationIndex;
                const int myIndex = s_.references[s][m].relationIndex;
                if (refIndex >= 0 && myIndex >= 0 && match[size_t(refIndex)] == myIndex)
                    out_.matchedItems += 1;
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
            if (column.references) {
                out_.extraItems += 2;
                add(DifferenceCategory::ExtraForeignKey, ref.name, column.name,
                    QCoreApplication::translate("Comparison", "%1 多出參考 %2 的外鍵 %3")
                        .arg(mine.name, target(s_, s, m), column.name),
                    element);
            } else {
                out_.extraItems += 1;
                add(DifferenceCategory::ExtraColumn, ref.name, column.name,
                    QCoreApplication::translate("Comparison", "%1 多出欄位 %2")
                        .arg(mine.name, column.name),
                    element);
            }
        }
    }

    const Model& s_;
    const Model& r_;
    Comparison& out_;
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
    }
    return QString();
}

QString scoreRule() {
    return QCoreApplication::translate(
        "Comparison",
        "分數 = 100 × 符合參考答案的項目數 ÷ 參考答案的項目數 − 100 × 多出的項目數 ÷ 學生的項目數, "
        "最低為 0; 項目是關聯、主鍵 (每個關聯一個)、欄位與外鍵, ER 圖上的差異只提示, 不計分");
}

int Comparison::count(DifferenceCategory category) const {
    return int(std::count_if(differences.begin(), differences.end(),
                             [category](const Difference& d) { return d.category == category; }));
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

Comparison compareDiagrams(const Diagram& student, const Diagram& reference) {
    Comparison out;
    out.referenceFailure = failureOf(reference);
    out.studentFailure = failureOf(student);
    if (!out.compared()) return out;
    const Model s = modelOf(student), r = modelOf(reference);
    RelationalComparison(s, r, out).run();
    compareDrawings(student, reference, out.differences);
    if (out.referenceItems > 0 && out.studentItems > 0) {
        const double share = double(out.matchedItems) / out.referenceItems -
                             double(out.extraItems) / out.studentItems;
        out.score = std::clamp(int(std::lround(100 * share)), 0, 100);
    }
    return out;
}
