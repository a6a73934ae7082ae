// The SQL scripts of a relational model, run on real databases: SQLite, PostgreSQL and MariaDB.
// What the databases then hold (primary keys, foreign keys, NOT NULL, UNIQUE) is read back from
// their catalogs and compared with the model.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSet>
#include <map>
#include <set>

#include "checkdiagram.h"
#include "diagrambuilder.h"
#include "mapping.h"
#include "sqlengines.h"
#include "sqlscript.h"
#include "storetesting.h"

namespace {

// Every kind of element: entities, a weak entity with its owner, a composite key, a composite
// and a multivalued attribute, a one-to-one relationship with total participation, one-to-many
// ones (one total, one recursive with roles), a many-to-many and a ternary relationship.
struct Company {
    DiagramBuilder b;
    Company() {
        b.d.settings.PresentStyle = 1;
        const int dept = b.entity("DEPARTMENT");
        b.attribute(dept, "DNumber", true);
        b.attribute(dept, "DName");
        const int emp = b.entity("EMPLOYEE");
        b.attribute(emp, "Ssn", true);
        const int name = b.attribute(emp, "Name");
        b.attribute(name, "First");
        b.attribute(name, "Last");
        b.multAttribute(emp, "Phone");
        const int proj = b.entity("PROJECT");
        const int pkey = b.attribute(proj, "PKey", true);
        b.attribute(pkey, "PDept");
        b.attribute(pkey, "PSeq");
        const int dependent = b.entity("DEPENDENT");
        b.attribute(dependent, "DepName", true);
        const int hasDependent = b.relationship("HAS_DEPENDENT");
        const auto [weakSide, ownerSide] = b.binary(dependent, hasDependent, emp);
        b.makeWeak(dependent, hasDependent);
        b.setParticipation(weakSide, "1,N");
        b.setParticipation(ownerSide, "0,N");

        const int manages = b.relationship("MANAGES");
        const auto [manager, managed] = b.binary(emp, manages, dept);
        b.setParticipation(manager, "0,1");
        b.setParticipation(managed, "1,1");  // every department has a manager
        b.attribute(manages, "StartDate");
        const int worksFor = b.relationship("WORKS_FOR");
        const auto [worker, employer] = b.binary(emp, worksFor, dept);
        b.setParticipation(worker, "1,N");  // every employee works for a department
        b.setParticipation(employer, "0,1");
        const int supervision = b.relationship("SUPERVISION");
        const auto [supervisee, supervisor] = b.recursive(emp, supervision);
        b.setParticipation(supervisee, "1,N");  // every employee has a supervisor
        b.setParticipation(supervisor, "0,1");
        b.setRole(supervisee, "Supervisee");
        b.setRole(supervisor, "SuperSsn");
        const int worksOn = b.relationship("WORKS_ON");
        const auto [onEmp, onProj] = b.binary(emp, worksOn, proj);
        b.setParticipation(onEmp, "0,N");
        b.setParticipation(onProj, "0,N");
        b.attribute(worksOn, "Hours");

        const int supplier = b.entity("SUPPLIER");
        b.attribute(supplier, "SName", true);
        const int part = b.entity("PART");
        b.attribute(part, "PartNo", true);
        const int supply = b.relationship("SUPPLY");
        const auto [bySupplier, ofPart] = b.binary(supplier, supply, part);
        const int forProject = b.join(proj, supply);
        for (int k : {bySupplier, ofPart, forProject}) b.setParticipation(k, "0,N");
        b.attribute(supply, "Quantity");
    }
};

const char* const kCompanyCatalog =
    "DEPARTMENT: DNumber, DName, Ssn, StartDate\n"
    "  key DNumber\n"
    "  not null DNumber, Ssn\n"
    "  unique Ssn\n"
    "  fk Ssn -> EMPLOYEE (Ssn)\n"
    "DEPENDENT: DepName, Ssn\n"
    "  key DepName, Ssn\n"
    "  not null DepName, Ssn\n"
    "  fk Ssn -> EMPLOYEE (Ssn)\n"
    "EMPLOYEE: Ssn, First, Last, DNumber, SuperSsn\n"
    "  key Ssn\n"
    "  not null DNumber, Ssn, SuperSsn\n"
    "  fk DNumber -> DEPARTMENT (DNumber)\n"
    "  fk SuperSsn -> EMPLOYEE (Ssn)\n"
    "PART: PartNo\n"
    "  key PartNo\n"
    "  not null PartNo\n"
    "PROJECT: PDept, PSeq\n"
    "  key PDept, PSeq\n"
    "  not null PDept, PSeq\n"
    "SUPPLIER: SName\n"
    "  key SName\n"
    "  not null SName\n"
    "SUPPLY: SName, PartNo, PDept, PSeq, Quantity\n"
    "  key PDept, PSeq, PartNo, SName\n"
    "  not null PDept, PSeq, PartNo, SName\n"
    "  fk PDept, PSeq -> PROJECT (PDept, PSeq)\n"
    "  fk PartNo -> PART (PartNo)\n"
    "  fk SName -> SUPPLIER (SName)\n"
    "WORKS_ON: Ssn, PDept, PSeq, Hours\n"
    "  key PDept, PSeq, Ssn\n"
    "  not null PDept, PSeq, Ssn\n"
    "  fk PDept, PSeq -> PROJECT (PDept, PSeq)\n"
    "  fk Ssn -> EMPLOYEE (Ssn)\n"
    "多值屬性Phone: Ssn, Phone\n"
    "  key Phone, Ssn\n"
    "  not null Phone, Ssn\n"
    "  fk Ssn -> EMPLOYEE (Ssn)";

// The key as a set: engines list a key's columns in their own order.
QString sortedKeys(QString text) {
    QStringList lines = text.split('\n');
    for (QString& line : lines) {
        for (const QString& prefix : {QStringLiteral("  key "), QStringLiteral("  not null ")}) {
            if (!line.startsWith(prefix)) continue;
            QStringList parts = line.mid(prefix.size()).split(", ");
            parts.sort();
            line = prefix + parts.join(", ");
        }
    }
    return lines.join('\n');
}

// The catalog MySQL holds: the manager is the one foreign key of the cycle EMPLOYEE.DNumber ->
// DEPARTMENT, DEPARTMENT.Ssn -> EMPLOYEE that cannot wait for the end of a transaction there.
QString mysqlCompanyCatalog() {
    return QString(kCompanyCatalog)
        .replace("  not null DNumber, Ssn\n  unique Ssn", "  not null DNumber\n  unique Ssn");
}

class CompanyScript : public testing::TestWithParam<SqlDialect> {};

TEST_P(CompanyScript, RunsOnItsEngineAndMatchesTheModel) {
    Company company;
    ASSERT_TRUE(CheckDiagram(company.b.editor))
        << company.b.prompts.messages.join('\n').toStdString();
    const RelationalModel model = mapDiagram(company.b.d);
    ScratchDatabase db(GetParam());
    if (!db.unavailable().isEmpty()) GTEST_SKIP() << db.unavailable().toStdString();

    QStringList warnings;
    const QString script = sqlScript(model, company.b.d, GetParam(), &warnings);
    ASSERT_EQ(db.run(script), QString()) << script.toStdString();
    const Catalog catalog = db.catalog();
    expectMatchesModel(catalog, model);
    if (GetParam() != SqlDialect::MySQL) {
        EXPECT_EQ(describe(catalog), sortedKeys(kCompanyCatalog));
        EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
        EXPECT_TRUE(
            script.contains("FOREIGN KEY (\"Ssn\") REFERENCES \"EMPLOYEE\" (\"Ssn\") "
                            "DEFERRABLE INITIALLY DEFERRED"))
            << script.toStdString();
        return;
    }
    EXPECT_EQ(describe(catalog), sortedKeys(mysqlCompanyCatalog()));
    EXPECT_EQ(warnings,
              QStringList{"關聯 DEPARTMENT: Ssn 必須有值, 但它與其他不可為空的外鍵形成循環, 而 "
                          "MySQL 不能把外鍵檢查延到交易結束: 這裡允許空值, 先新增各列再補上"});
    // The ternary relation's four-column key fits MySQL's 3072 bytes: 4 × 192 characters of 4.
    EXPECT_TRUE(
        script.contains("    -- MySQL 的索引最多 3072 位元組, utf8mb4 每個字元佔 4 位元組; "
                        "這個欄位在 4 個欄位的索引中, 所以最長 192 個字元\n"
                        "    `SName` VARCHAR(192) NOT NULL,"))
        << script.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Engines, CompanyScript,
                         testing::Values(SqlDialect::SQLite, SqlDialect::PostgreSQL,
                                         SqlDialect::MySQL),
                         [](const testing::TestParamInfo<SqlDialect>& info) {
                             return std::string(info.param == SqlDialect::SQLite ? "SQLite"
                                                : info.param == SqlDialect::PostgreSQL
                                                    ? "PostgreSQL"
                                                    : "MariaDB");
                         });

// The statements of a script, without comments, one per line.
QStringList statements(const QString& script) {
    QStringList out;
    QString current;
    for (const QString& line : script.split('\n')) {
        if (line.trimmed().startsWith("--") || line.trimmed().isEmpty()) continue;
        current += (current.isEmpty() ? "" : " ") + line.trimmed();
        if (line.endsWith(';')) {
            out << current;
            current.clear();
        }
    }
    return out;
}

TEST(SqlScript, MySqlQuotesWithBackticksShortensLongNamesAndAddsForeignKeysLast) {
    DiagramBuilder b;
    b.d.settings.PresentStyle = 1;
    const QString longName = QString(70, 'L');
    const int emp = b.entity("EMP`LOYEE");
    b.attribute(emp, "Ssn", true);
    const int dept = b.entity(longName);
    b.attribute(dept, "DNumber", true);
    const int worksFor = b.relationship("WORKS_FOR");
    const auto [worker, employer] = b.binary(emp, worksFor, dept);
    b.setParticipation(worker, "0,N");
    b.setParticipation(employer, "1,1");
    ASSERT_TRUE(CheckDiagram(b.editor));
    QStringList warnings;
    const QString script = sqlScript(mapDiagram(b.d), b.d, SqlDialect::MySQL, &warnings);
    const QString cut = QString(64, 'L');
    EXPECT_EQ(statements(script),
              QStringList({"CREATE TABLE `EMP``LOYEE` ( `Ssn` VARCHAR(255) NOT NULL, "
                           "`DNumber` VARCHAR(255), PRIMARY KEY (`Ssn`) );",
                           "CREATE TABLE `" + cut +
                               "` ( `DNumber` VARCHAR(255) NOT NULL, "
                               "PRIMARY KEY (`DNumber`) );",
                           "ALTER TABLE `EMP``LOYEE` ADD FOREIGN KEY (`DNumber`) REFERENCES `" +
                               cut + "` (`DNumber`);"}))
        << script.toStdString();
    EXPECT_TRUE(
        script.contains("-- 名稱 " + longName + " 超過 MySQL 的長度上限, 縮短為 `" + cut + "`"))
        << script.toStdString();
    EXPECT_TRUE(warnings.isEmpty());
}

// Names that MySQL would refuse after shortening: constraint names cut to the same beginning,
// a cut ending in a space, a Chinese table name too long as a file name. The script runs; a
// table with more columns than an engine allows is refused instead.
TEST(SqlScript, ShortenedNamesStillRunOnMySqlAndTooManyColumnsAreRefused) {
    DiagramBuilder b;
    b.d.settings.PresentStyle = 1;
    const int target = b.entity("D");
    b.attribute(target, "K", true);
    for (const QString& name : {QString(70, 'L') + "1", QString(70, 'L') + "2",
                                QString(63, 'a') + " b", QString(60, QChar(0x8868))}) {
        const int e = b.entity(name);
        b.attribute(e, "Id", true);
        const int r = b.relationship("R" + name.right(1));
        const auto [many, one] = b.binary(e, r, target);
        b.setParticipation(many, "0,N");
        b.setParticipation(one, "1,1");
    }
    ASSERT_TRUE(CheckDiagram(b.editor));
    const RelationalModel model = mapDiagram(b.d);
    const QString script = sqlScript(model, b.d, SqlDialect::MySQL, nullptr);
    QStringList constraints, tables;
    for (const QString& statement : statements(script)) {
        if (statement.startsWith("CREATE TABLE `")) {
            tables << statement.section('`', 1, 1);
        } else if (statement.contains(" CONSTRAINT `")) {
            constraints << statement.section(" CONSTRAINT `", 1).section('`', 0, 0).toLower();
        }
    }
    EXPECT_EQ(constraints.size(), 3) << "the two L tables' and the a table's";
    EXPECT_EQ(QSet<QString>(constraints.begin(), constraints.end()).size(), 3)
        << script.toStdString();
    EXPECT_TRUE(tables.contains(QString(63, 'a'))) << "the space the cut left is gone";
    EXPECT_TRUE(tables.contains(QString(50, QChar(0x8868)))) << script.toStdString();
    ScratchDatabase mysql(SqlDialect::MySQL);
    if (mysql.unavailable().isEmpty()) {
        EXPECT_EQ(mysql.run(script), QString());
    }

    EXPECT_EQ(sqlScriptRefusal(model, SqlDialect::PostgreSQL), std::nullopt);
    const int wide = b.entity("Wide");
    for (int c = 0; c < 1601; ++c) b.attribute(wide, QString("c%1").arg(c), c == 0);
    EXPECT_EQ(sqlScriptRefusal(mapDiagram(b.d), SqlDialect::PostgreSQL),
              "關聯 Wide 有 1601 個欄位, PostgreSQL 的資料表最多只能有 1600 個欄位");
    EXPECT_EQ(sqlScriptRefusal(mapDiagram(b.d), SqlDialect::SQLite), std::nullopt);
}

// Names no database would take as they are, and a model with what cannot be written as a
// constraint: the SQLite script still runs, and says in comments and warnings what it changed.
TEST(SqlScript, OddNamesAndMissingKeysStillGiveAScriptThatRuns) {
    DiagramBuilder b;
    b.d.settings.PresentStyle = 1;
    const int quoted = b.entity("a\"b */ c\nd");
    b.attribute(quoted, "x`y", true);
    b.attribute(quoted, "X`Y");
    b.attribute(quoted, "line\nbreak");
    b.attribute(quoted, " ");
    const int dup1 = b.entity("Dup");
    b.attribute(dup1, "K", true);
    const int dup2 = b.entity("dup");
    b.attribute(dup2, "K", true);
    const int system = b.entity("sqlite_master");
    b.attribute(system, "K", true);
    b.attribute(system, "xmin");  // a system column of PostgreSQL
    // 30 characters of 3 bytes each: more than PostgreSQL's 63 bytes, twice over.
    b.attribute(b.entity(QString(30, QChar(0x8868))), "K", true);
    b.attribute(b.entity(QString(30, QChar(0x8868)) + "2"), "K", true);
    // A ternary relationship with "1" on every side: its key is all participants but the last.
    const int ternary = b.relationship("ONE_EACH");
    const auto [k1, k2] = b.binary(dup1, ternary, dup2);
    const int k3 = b.join(system, ternary);
    for (int k : {k1, k2, k3}) b.setParticipation(k, "0,1");
    // A weak entity without attributes or owner has no columns: no table.
    b.d.element(b.entity("Bare")).Shape = KindWeakEntity;
    // A key component of a composite attribute that is not the key: the reference takes only
    // the key attribute, which is not the whole key, so it cannot be a constraint.
    const int half = b.entity("Half");
    b.attribute(half, "H", true);
    b.attribute(b.attribute(half, "Loc"), "Room", true);
    const int toHalf = b.relationship("TO_HALF");
    const auto [fromDup, ofHalf] = b.binary(dup2, toHalf, half);
    b.setParticipation(fromDup, "0,N");
    b.setParticipation(ofHalf, "0,1");
    // A weak entity referenced by a one-to-many relationship: the reference takes its whole key.
    const int weak = b.entity("W");
    b.attribute(weak, "Part", true);
    const int identifying = b.relationship("OWNS");
    const auto [weakSide, ownerSide] = b.binary(weak, identifying, dup1);
    b.makeWeak(weak, identifying);
    b.setParticipation(weakSide, "1,N");
    b.setParticipation(ownerSide, "0,N");
    const int refers = b.relationship("REFERS");
    const auto [many, one] = b.binary(quoted, refers, weak);
    b.setParticipation(many, "0,N");
    b.setParticipation(one, "0,1");
    ASSERT_TRUE(CheckDiagram(b.editor)) << b.prompts.messages.join('\n').toStdString();
    const RelationalModel model = mapDiagram(b.d);

    QStringList warnings;
    const QString script = sqlScript(model, b.d, SqlDialect::SQLite, &warnings);
    for (const QString& line : script.split('\n'))
        EXPECT_FALSE(line.startsWith("d") || line.startsWith("break")) << "a caption's line break "
                                                                          "left its comment";
    ScratchDatabase sqlite(SqlDialect::SQLite);
    ASSERT_EQ(sqlite.run(script), QString()) << script.toStdString();
    const Catalog catalog = sqlite.catalog();
    QStringList tables;
    for (const auto& [name, read] : catalog) tables << name + ": " + read.columns.join(", ");
    const QString longName = QString(30, QChar(0x8868));
    EXPECT_EQ(tables,
              QStringList({"Dup: K", "Half: H, Room", "ONE_EACH: K, K_2, K_3", "W: Part, K",
                           "a\"b */ c d: x`y, X`Y_2, line break, column_4, Part, K", "dup_2: K, H",
                           "t_sqlite_master: K, xmin", longName + ": K", longName + "2: K"}))
        << script.toStdString();
    EXPECT_EQ(catalog.at("ONE_EACH").key, QStringList({"K", "K_2"}));
    EXPECT_EQ(catalog.at("ONE_EACH").notNull, std::set<QString>({"K", "K_2", "K_3"}));
    ASSERT_EQ(catalog.at("a\"b */ c d").foreignKeys.size(), 1u);
    EXPECT_EQ(catalog.at("a\"b */ c d").foreignKeys[0].referenced, QStringList({"Part", "K"}));
    EXPECT_EQ(warnings.size(), 2) << warnings.join('\n').toStdString();
    EXPECT_TRUE(warnings.join('\n').contains("關聯 Bare 沒有任何欄位"));
    EXPECT_TRUE(warnings.join('\n').contains("參照的欄位不是關聯 Half 的完整主鍵"));
    EXPECT_TRUE(
        script.contains("-- 名稱 \"dup\" 與前面的名稱重複 (不分大小寫), 改名為 \"dup_2\"\n"
                        "CREATE TABLE \"dup_2\""))
        << script.toStdString();
    EXPECT_TRUE(script.contains("-- CREATE TABLE \"Bare\" ();")) << script.toStdString();

    // The same model on PostgreSQL: its own rules for names, the script still runs.
    ScratchDatabase server(SqlDialect::PostgreSQL);
    if (!server.unavailable().isEmpty()) GTEST_SKIP() << server.unavailable().toStdString();
    warnings.clear();
    const QString postgres = sqlScript(model, b.d, SqlDialect::PostgreSQL, &warnings);
    ASSERT_EQ(server.run(postgres), QString()) << postgres.toStdString();
    const Catalog fromServer = server.catalog();
    tables.clear();
    for (const auto& [name, read] : fromServer) tables << name + ": " + read.columns.join(", ");
    const QString cut = QString(21, QChar(0x8868));  // 63 bytes
    const QString cutForSuffix = QString(20, QChar(0x8868));
    EXPECT_EQ(tables,
              QStringList({"Dup: K", "Half: H, Room", "ONE_EACH: K, K_2, K_3", "W: Part, K",
                           "a\"b */ c d: x`y, X`Y_2, line break, column_4, Part, K", "dup_2: K, H",
                           "sqlite_master: K, xmin_2", cutForSuffix + "_2: K", cut + ": K"}))
        << postgres.toStdString();
    EXPECT_EQ(warnings.size(), 2) << warnings.join('\n').toStdString();
}

}  // namespace
