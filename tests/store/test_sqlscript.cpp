// The SQL scripts of a relational model, run on real databases: SQLite through Python's sqlite3
// module (as a student's tool would run the file), PostgreSQL through psql on the test server.
// What the databases then hold (primary keys, foreign keys, NOT NULL, UNIQUE) is read back from
// their catalogs and compared with the model.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <map>
#include <set>

#include "checkdiagram.h"
#include "diagrambuilder.h"
#include "mapping.h"
#include "sqlscript.h"
#include "storetesting.h"

namespace {

// Runs `script` with Python's sqlite3 module on the SQLite file `path`; the error, or empty.
QString runOnSqlite(const QString& path, const QString& script) {
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, sqlite3\n"
                                 "c = sqlite3.connect(sys.argv[1])\n"
                                 "c.executescript(sys.stdin.buffer.read().decode('utf-8'))\n"
                                 "c.commit()\n"),
                  path});
    python.write(script.toUtf8());
    python.closeWriteChannel();
    python.waitForFinished(60000);
    if (python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0) return QString();
    return QString::fromUtf8(python.readAllStandardError()) + python.errorString();
}

// Runs `script` with psql in `schema` of the test server, stopping at the first error.
QString runOnServer(const QString& schema, const QString& script) {
    QProcess psql;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGOPTIONS"), QStringLiteral("-c search_path=") + schema);
    psql.setProcessEnvironment(env);
    psql.start(QStringLiteral("psql"), {testServerUrl(), QStringLiteral("-X"), QStringLiteral("-q"),
                                        QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
                                        QStringLiteral("-f"), QStringLiteral("-")});
    psql.write(script.toUtf8());
    psql.closeWriteChannel();
    psql.waitForFinished(60000);
    if (psql.exitStatus() == QProcess::NormalExit && psql.exitCode() == 0) return QString();
    return QString::fromUtf8(psql.readAllStandardError()) + psql.errorString();
}

struct ForeignKeyRead {
    QStringList columns;
    QString table;
    QStringList referenced;
};

// One table as its database holds it.
struct TableRead {
    QStringList columns;  // in table order
    QStringList key;      // in key order
    std::set<QString> notNull;
    std::set<QStringList> unique;
    std::vector<ForeignKeyRead> foreignKeys;  // in constraint order, column pairs as written
};

using Catalog = std::map<QString, TableRead>;

std::vector<QVariantList> rows(QSqlDatabase& db, const QString& sql, const QVariantList& bind = {}) {
    std::vector<QVariantList> out;
    QSqlQuery q(db);
    q.prepare(sql);
    for (const QVariant& value : bind) q.addBindValue(value);
    if (!q.exec()) {
        ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
        return out;
    }
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < q.record().count(); ++i) row << q.value(i);
        out.push_back(row);
    }
    return out;
}

QString quoted(const QString& name) {
    return '"' + QString(name).replace('"', "\"\"") + '"';
}

Catalog sqliteCatalog(const QString& path) {
    Catalog catalog;
    RawConnection raw(QStringLiteral("sqlite:") + path);
    for (const QVariantList& t :
         rows(raw.db(), "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
        const QString table = t[0].toString();
        TableRead& read = catalog[table];
        std::map<int, QString> key;
        for (const QVariantList& c : rows(raw.db(), "PRAGMA table_info(" + quoted(table) + ")")) {
            read.columns << c[1].toString();
            if (c[3].toInt()) read.notNull.insert(c[1].toString());
            if (c[5].toInt()) key[c[5].toInt()] = c[1].toString();
        }
        for (const auto& [position, column] : key) read.key << column;
        for (const QVariantList& index : rows(raw.db(), "PRAGMA index_list(" + quoted(table) + ")")) {
            if (index[3].toString() != "u") continue;
            QStringList columns;
            for (const QVariantList& c :
                 rows(raw.db(), "PRAGMA index_info(" + quoted(index[1].toString()) + ")"))
                columns << c[2].toString();
            read.unique.insert(columns);
        }
        // Rows of one foreign key share an id; SQLite lists them from the last one declared.
        std::map<int, ForeignKeyRead> keys;
        for (const QVariantList& f :
             rows(raw.db(), "PRAGMA foreign_key_list(" + quoted(table) + ")")) {
            ForeignKeyRead& fk = keys[f[0].toInt()];
            fk.table = f[2].toString();
            fk.columns << f[3].toString();
            fk.referenced << f[4].toString();
        }
        for (auto it = keys.rbegin(); it != keys.rend(); ++it) read.foreignKeys.push_back(it->second);
    }
    return catalog;
}

Catalog serverCatalog(const QString& schema) {
    Catalog catalog;
    RawConnection raw(testServerUrl());
    for (const QVariantList& c :
         rows(raw.db(),
              "SELECT table_name, column_name, is_nullable FROM information_schema.columns "
              "WHERE table_schema = ? ORDER BY table_name, ordinal_position",
              {schema})) {
        TableRead& read = catalog[c[0].toString()];
        read.columns << c[1].toString();
        if (c[2].toString() == "NO") read.notNull.insert(c[1].toString());
    }
    std::map<std::pair<QString, QString>, QStringList> uniques;
    for (const QVariantList& k :
         rows(raw.db(),
              "SELECT tc.table_name, tc.constraint_type, tc.constraint_name, kcu.column_name "
              "FROM information_schema.table_constraints tc "
              "JOIN information_schema.key_column_usage kcu "
              "ON kcu.constraint_schema = tc.constraint_schema "
              "AND kcu.constraint_name = tc.constraint_name AND kcu.table_name = tc.table_name "
              "WHERE tc.table_schema = ? AND tc.constraint_type IN ('PRIMARY KEY', 'UNIQUE') "
              "ORDER BY tc.table_name, tc.constraint_name, kcu.ordinal_position",
              {schema})) {
        if (k[1].toString() == "PRIMARY KEY")
            catalog[k[0].toString()].key << k[3].toString();
        else
            uniques[{k[0].toString(), k[2].toString()}] << k[3].toString();
    }
    for (const auto& [where, columns] : uniques) catalog[where.first].unique.insert(columns);
    std::map<std::pair<QString, QString>, ForeignKeyRead> keys;
    std::vector<std::pair<QString, QString>> order;
    for (const QVariantList& f :
         rows(raw.db(),
              "SELECT kcu.table_name, kcu.constraint_name, kcu.column_name, ref.table_name, "
              "ref.column_name FROM information_schema.referential_constraints rc "
              "JOIN information_schema.key_column_usage kcu "
              "ON kcu.constraint_schema = rc.constraint_schema "
              "AND kcu.constraint_name = rc.constraint_name "
              "JOIN information_schema.key_column_usage ref "
              "ON ref.constraint_schema = rc.unique_constraint_schema "
              "AND ref.constraint_name = rc.unique_constraint_name "
              "AND ref.ordinal_position = kcu.position_in_unique_constraint "
              "WHERE rc.constraint_schema = ? "
              "ORDER BY kcu.table_name, kcu.constraint_name, kcu.ordinal_position",
              {schema})) {
        const std::pair<QString, QString> id{f[0].toString(), f[1].toString()};
        if (!keys.count(id)) order.push_back(id);
        ForeignKeyRead& fk = keys[id];
        fk.table = f[3].toString();
        fk.columns << f[2].toString();
        fk.referenced << f[4].toString();
    }
    for (const auto& id : order) catalog[id.first].foreignKeys.push_back(keys[id]);
    return catalog;
}

// Runs `script` on the test server in a schema of its own, reads its catalog and drops the
// schema again; the error, or empty.
QString runInFreshSchema(const QString& script, Catalog* catalog) {
    const QString schema = QStringLiteral("relvane_sql_%1").arg(QCoreApplication::applicationPid());
    {
        RawConnection admin(testServerUrl());
        if (!admin.isOpen()) return "cannot reach " + testServerUrl();
        QSqlQuery(admin.db()).exec("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
        if (!QSqlQuery(admin.db()).exec("CREATE SCHEMA " + schema)) return "CREATE SCHEMA failed";
    }
    const QString ran = runOnServer(schema, script);
    *catalog = serverCatalog(schema);
    RawConnection admin(testServerUrl());
    QSqlQuery(admin.db()).exec("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
    return ran;
}

// The catalog as text, foreign keys sorted so that the engines' orders do not matter.
QString describe(const Catalog& catalog) {
    QStringList out;
    for (const auto& [table, read] : catalog) {
        out << table + ": " + read.columns.join(", ");
        out << "  key " + read.key.join(", ");
        QStringList notNull(read.notNull.begin(), read.notNull.end());
        out << "  not null " + notNull.join(", ");
        for (const QStringList& u : read.unique) out << "  unique " + u.join(", ");
        QStringList fks;
        for (const ForeignKeyRead& fk : read.foreignKeys)
            fks << "  fk " + fk.columns.join(", ") + " -> " + fk.table + " (" +
                       fk.referenced.join(", ") + ")";
        fks.sort();
        out << fks;
    }
    return out.join('\n');
}

// Every model column is where the model puts it: in the key exactly when it is a key column,
// in a foreign key exactly when it references one, each group one foreign key to the relation
// of the entity it references, each column paired with the column of the attribute it targets.
void expectMatchesModel(const Catalog& catalog, const RelationalModel& model) {
    std::map<int, const Relation*> ofEntity;
    for (const Relation& r : model.relations)
        if (r.origin == RelationOrigin::Entity || r.origin == RelationOrigin::WeakEntity)
            ofEntity[r.element] = &r;
    for (const Relation& r : model.relations) {
        ASSERT_TRUE(catalog.count(r.name)) << r.name.toStdString();
        const TableRead& read = catalog.at(r.name);
        std::map<int, QStringList> groups;
        QStringList key;
        for (const Column& c : r.columns) {
            if (c.key) key << c.name;
            if (c.references) groups[c.references->group] << c.name;
            if (c.key) {
                EXPECT_TRUE(read.notNull.count(c.name)) << c.name.toStdString();
            }
        }
        EXPECT_EQ(QSet<QString>(read.key.begin(), read.key.end()), QSet<QString>(key.begin(), key.end()))
            << r.name.toStdString();
        ASSERT_EQ(read.foreignKeys.size(), groups.size()) << r.name.toStdString();
        for (const auto& [group, columns] : groups) {
            const ForeignKeyRead* found = nullptr;
            for (const ForeignKeyRead& fk : read.foreignKeys)
                if (QSet<QString>(fk.columns.begin(), fk.columns.end()) ==
                    QSet<QString>(columns.begin(), columns.end()))
                    found = &fk;
            ASSERT_NE(found, nullptr) << r.name.toStdString() << " " << columns.join(",").toStdString();
            for (const Column& c : r.columns) {
                if (!c.references || c.references->group != group) continue;
                const Relation* target = ofEntity.at(c.references->entity);
                EXPECT_EQ(found->table, target->name);
                QString targetColumn;
                for (const Column& t : target->columns)
                    if (t.element == c.references->target) targetColumn = t.name;
                EXPECT_EQ(found->referenced[found->columns.indexOf(c.name)], targetColumn)
                    << r.name.toStdString() << "." << c.name.toStdString();
            }
        }
    }
}

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

TEST(SqlScript, EveryElementKindRunsOnSQLiteAndPostgreSQLAndMatchesTheModel) {
    Company company;
    ASSERT_TRUE(CheckDiagram(company.b.editor)) << company.b.prompts.messages.join('\n').toStdString();
    const RelationalModel model = mapDiagram(company.b.d);

    QStringList warnings;
    const QString sqlite = sqlScript(model, company.b.d, SqlDialect::SQLite, &warnings);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
    QTemporaryDir dir;
    const QString file = dir.filePath("company.db");
    ASSERT_EQ(runOnSqlite(file, sqlite), QString()) << sqlite.toStdString();
    const Catalog fromSqlite = sqliteCatalog(file);
    EXPECT_EQ(sortedKeys(describe(fromSqlite)), sortedKeys(kCompanyCatalog));
    expectMatchesModel(fromSqlite, model);

    // MySQL indexes at most 3072 bytes: the ternary relation's four-column key is too long.
    sqlScript(model, company.b.d, SqlDialect::MySQL, &warnings);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].startsWith("關聯 SUPPLY: 主鍵 (`SName`, `PartNo`, `PDept`, `PSeq`)"))
        << warnings[0].toStdString();
    warnings.clear();

    if (testServerUrl().isEmpty()) GTEST_SKIP() << kNoServerReason;
    const QString postgres = sqlScript(model, company.b.d, SqlDialect::PostgreSQL, &warnings);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
    Catalog fromServer;
    const QString ran = runInFreshSchema(postgres, &fromServer);
    ASSERT_EQ(ran, QString()) << postgres.toStdString();
    EXPECT_EQ(sortedKeys(describe(fromServer)), sortedKeys(kCompanyCatalog));
    expectMatchesModel(fromServer, model);
}

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
                           "CREATE TABLE `" + cut + "` ( `DNumber` VARCHAR(255) NOT NULL, "
                           "PRIMARY KEY (`DNumber`) );",
                           "ALTER TABLE `EMP``LOYEE` ADD FOREIGN KEY (`DNumber`) REFERENCES `" +
                               cut + "` (`DNumber`);"}))
        << script.toStdString();
    EXPECT_TRUE(script.contains("-- 名稱 " + longName + " 超過 MySQL 的長度上限, 縮短為 `" + cut + "`"))
        << script.toStdString();
    EXPECT_TRUE(warnings.isEmpty());
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
    // A ternary relationship with "1" on every side has no key of its own.
    const int ternary = b.relationship("ONE_EACH");
    const auto [k1, k2] = b.binary(dup1, ternary, dup2);
    const int k3 = b.join(system, ternary);
    for (int k : {k1, k2, k3}) b.setParticipation(k, "0,1");
    // A weak entity referenced by a one-to-many relationship: its partial key alone is not the
    // key of its relation, so that reference cannot be a constraint.
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
    QTemporaryDir dir;
    const QString file = dir.filePath("odd.db");
    ASSERT_EQ(runOnSqlite(file, script), QString()) << script.toStdString();
    const Catalog catalog = sqliteCatalog(file);
    QStringList tables;
    for (const auto& [name, read] : catalog) tables << name + ": " + read.columns.join(", ");
    const QString longName = QString(30, QChar(0x8868));
    EXPECT_EQ(tables, QStringList({"Dup: K", "ONE_EACH: K, K_2, K_3", "W: Part, K",
                                   "a\"b */ c d: x`y, X`Y_2, line break, column_4, Part",
                                   "dup_2: K", "t_sqlite_master: K, xmin", longName + ": K",
                                   longName + "2: K"}))
        << script.toStdString();
    EXPECT_TRUE(catalog.at("ONE_EACH").key.isEmpty());
    EXPECT_TRUE(catalog.at("a\"b */ c d").foreignKeys.empty());
    EXPECT_EQ(warnings.size(), 2) << warnings.join('\n').toStdString();
    EXPECT_TRUE(warnings.join('\n').contains("關聯 ONE_EACH 沒有主鍵"));
    EXPECT_TRUE(warnings.join('\n').contains("參照的欄位不是關聯 W 的完整主鍵"));
    EXPECT_TRUE(script.contains("-- 名稱 \"dup\" 與前面的名稱重複 (不分大小寫), 改名為 \"dup_2\"\n"
                                "CREATE TABLE \"dup_2\""))
        << script.toStdString();
    EXPECT_TRUE(script.contains("    -- FOREIGN KEY (\"Part\") REFERENCES \"W\" (\"Part\")\n);"))
        << script.toStdString();

    // The same model on PostgreSQL: its own rules for names, the script still runs.
    if (testServerUrl().isEmpty()) GTEST_SKIP() << kNoServerReason;
    warnings.clear();
    const QString postgres = sqlScript(model, b.d, SqlDialect::PostgreSQL, &warnings);
    Catalog fromServer;
    ASSERT_EQ(runInFreshSchema(postgres, &fromServer), QString()) << postgres.toStdString();
    tables.clear();
    for (const auto& [name, read] : fromServer) tables << name + ": " + read.columns.join(", ");
    const QString cut = QString(21, QChar(0x8868));  // 63 bytes
    const QString cutForSuffix = QString(20, QChar(0x8868));
    EXPECT_EQ(tables, QStringList({"Dup: K", "ONE_EACH: K, K_2, K_3", "W: Part, K",
                                   "a\"b */ c d: x`y, X`Y_2, line break, column_4, Part",
                                   "dup_2: K", "sqlite_master: K, xmin_2",
                                   cutForSuffix + "_2: K", cut + ": K"}))
        << postgres.toStdString();
    EXPECT_EQ(warnings.size(), 2) << warnings.join('\n').toStdString();
}

}  // namespace
