#include "rubric.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <optional>

namespace {

// Default costs: a relation is a whole piece of the design, a key decides what every foreign key
// to it holds, a column is one fact; what a student adds costs less than what is missing.
constexpr std::array<int, kDifferenceCategories> kDefaultCosts = {
    10,  // MissingRelation
    4,   // ExtraRelation
    3,   // MissingColumn
    1,   // ExtraColumn
    8,   // KeyDiffers
    5,   // MissingForeignKey
    2,   // ExtraForeignKey
    5,   // ForeignKeyTarget
    5,   // Participation
    8,   // WeakOrStrong
    5,   // Multivalued
    5,   // Specialization
};

std::optional<DifferenceCategory> categoryNamed(const QString& name) {
    for (int c = 0; c < kDifferenceCategories; ++c) {
        const auto category = DifferenceCategory(c);
        if (name == rubricKey(category) || name == categoryTitle(category)) return category;
    }
    return std::nullopt;
}

}  // namespace

int Rubric::cost(DifferenceCategory category) const {
    const int c = int(category);
    return c >= 0 && c < kDifferenceCategories ? costs[size_t(c)] : 0;
}

Rubric Rubric::standard() {
    return {QCoreApplication::translate("Rubric", "預設"), kDefaultCosts};
}

QString rubricKey(DifferenceCategory category) {
    static const char* const keys[kDifferenceCategories] = {
        "missing-relation", "extra-relation",      "missing-column",    "extra-column",
        "wrong-key",        "missing-foreign-key", "extra-foreign-key", "wrong-reference",
        "participation",    "weak-entity",         "multivalued",       "specialization"};
    const int c = int(category);
    return c >= 0 && c < kDifferenceCategories ? QString::fromLatin1(keys[c]) : QString();
}

std::variant<Rubric, QString> readRubric(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QCoreApplication::translate("Rubric", "無法讀取評分標準 %1: %2")
            .arg(path, file.errorString());
    Rubric rubric = Rubric::standard();
    rubric.name = QFileInfo(path).fileName();
    std::array<bool, kDifferenceCategories> given{};
    int lineNumber = 0;
    while (!file.atEnd()) {
        ++lineNumber;
        QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (lineNumber == 1 && line.startsWith(QChar(0xFEFF))) line = line.mid(1).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const auto wrong = [&](const QString& why) {
            return QCoreApplication::translate("Rubric", "評分標準 %1 第 %2 行: %3")
                .arg(path)
                .arg(lineNumber)
                .arg(why);
        };
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) return wrong(QCoreApplication::translate("Rubric", "應為「類別 = 扣分」"));
        const QString key = line.left(equals).trimmed();
        const auto category = categoryNamed(key);
        if (!category)
            return wrong(QCoreApplication::translate("Rubric", "沒有這個類別: %1").arg(key));
        bool ok = false;
        const int cost = line.mid(equals + 1).trimmed().toInt(&ok);
        if (!ok || cost < 0 || cost > 100)
            return wrong(QCoreApplication::translate("Rubric", "扣分應為 0 到 100 的整數"));
        if (given[size_t(*category)])
            return wrong(QCoreApplication::translate("Rubric", "%1 重複設定").arg(key));
        given[size_t(*category)] = true;
        rubric.costs[size_t(*category)] = cost;
    }
    return rubric;
}

QString rubricText(const Rubric& rubric) {
    QStringList costs;
    for (int c = 0; c < kDifferenceCategories; ++c)
        costs << QStringLiteral("%1 %2")
                     .arg(categoryTitle(DifferenceCategory(c)))
                     .arg(rubric.costs[size_t(c)]);
    return rubric.name + QStringLiteral(": ") + costs.join(QStringLiteral(", "));
}

void priceDifferences(Comparison& comparison, const Rubric& rubric) {
    int total = 0;
    for (Difference& d : comparison.differences) {
        d.cost = d.counted() ? rubric.cost(d.category) : 0;
        total += d.cost;
    }
    comparison.score = std::max(0, 100 - total);
}
