// The textbook's enhanced-ER example, mapped with each option of step 8, as SQL run on every
// engine the program writes for: keys and foreign keys as the model has them (a shared
// subclass's key references both superclasses), and the CHECK constraints of 8C and 8D refusing
// a type or a flag outside their values.
#include <gtest/gtest.h>

#include "mapping.h"
#include "sqlengines.h"
#include "sqlscript.h"
#include "textbookeer.h"

namespace {

using M = SubclassMapping;

class EerScript : public testing::TestWithParam<std::tuple<SqlDialect, M>> {};

TEST_P(EerScript, RunsWithItsKeysForeignKeysAndChecks) {
    const auto [engine, option] = GetParam();
    TextbookEer t;
    // 8B takes only the vehicles: EMPLOYEE is referenced by its other subclasses.
    const M employees = option == M::SubclassesOnly ? M::SuperclassAndSubclasses : option;
    t.map(employees, employees, option);
    const RelationalModel model = mapDiagram(t.b.d);
    ScratchDatabase db(engine);
    if (!db.unavailable().isEmpty()) GTEST_SKIP() << db.unavailable().toStdString();
    const QString script = sqlScript(model, t.b.d, engine, nullptr);
    ASSERT_EQ(db.run(script), QString()) << script.toStdString();
    expectMatchesModel(db.catalog(), model);

    const QChar q = engine == SqlDialect::MySQL ? '`' : '"';
    const auto insert = [&](const QString& table, const QStringList& columns,
                            const QStringList& values) {
        QStringList names;
        for (const QString& c : columns) names << q + c + q;
        return QStringLiteral("INSERT INTO %1%2%1 (%3) VALUES ('%4');")
            .arg(q)
            .arg(table, names.join(", "), values.join("', '"));
    };
    const QStringList flags = {"Is_SECRETARY", "Is_TECHNICIAN", "Is_ENGINEER",
                               "Is_SALARIED_EMPLOYEE", "Is_HOURLY_EMPLOYEE"};
    QStringList statements, refused;
    if (option == M::OneTypeAttribute) {
        statements << insert("EMPLOYEE", {"Ssn", "Job_type"}, {"1", "PILOT"})
                   << insert("EMPLOYEE", {"Ssn", "Job_type"}, {"2", "ENGINEER"});
        refused = {"PILOT"};
    } else if (option == M::TypeFlags) {
        statements << insert("EMPLOYEE", QStringList{"Ssn"} + flags, {"1", "2", "0", "0", "0", "0"})
                   << insert("EMPLOYEE", QStringList{"Ssn"} + flags,
                             {"2", "0", "0", "1", "1", "0"});
        refused = {"flag 2"};
    } else {
        statements << insert("EMPLOYEE", {"Ssn"}, {"1"}) << insert("EMPLOYEE", {"Ssn"}, {"2"})
                   << insert("ENGINEER", {"Ssn"}, {"2"});
    }
    // The shared subclass needs its row in MANAGER too.
    statements << insert("ENGINEERING_MANAGER", {"Ssn"}, {"2"}) << insert("MANAGER", {"Ssn"}, {"2"})
               << insert("ENGINEERING_MANAGER", {"Ssn"}, {"2"});
    refused << "manager";
    const QStringList errors = db.runEach(statements);
    ASSERT_EQ(errors.size(), statements.size());
    QStringList failed;
    for (qsizetype i = 0; i < errors.size(); ++i)
        if (!errors[i].isEmpty()) failed << statements[i];
    EXPECT_EQ(failed.size(), refused.size()) << failed.join('\n').toStdString();
    if (!failed.isEmpty()) {
        EXPECT_TRUE(failed.back().contains("ENGINEERING_MANAGER")) << failed.back().toStdString();
        if (refused.size() == 2) {
            EXPECT_TRUE(failed.front().contains("'1'"));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Engines, EerScript,
    testing::Combine(testing::Values(SqlDialect::SQLite, SqlDialect::PostgreSQL, SqlDialect::MySQL),
                     testing::Values(M::SuperclassAndSubclasses, M::SubclassesOnly,
                                     M::OneTypeAttribute, M::TypeFlags)),
    [](const testing::TestParamInfo<std::tuple<SqlDialect, M>>& info) {
        const SqlDialect e = std::get<0>(info.param);
        return std::string(e == SqlDialect::SQLite       ? "SQLite"
                           : e == SqlDialect::PostgreSQL ? "PostgreSQL"
                                                         : "MariaDB") +
               "_8" + char('A' + int(std::get<1>(info.param)));
    });

}  // namespace
