#include "sqlengines.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>

#include "schematext.h"
#include "storetesting.h"

namespace {

struct Ran {
    bool ok = false;
    QString out, error;
};

Ran runProcess(const QString& program, const QStringList& arguments, const QByteArray& input,
               const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    Ran ran;
    ran.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    ran.out = QString::fromUtf8(process.readAllStandardOutput());
    ran.error = QString::fromUtf8(process.readAllStandardError()) +
                (process.error() == QProcess::UnknownError ? QString() : process.errorString());
    return ran;
}

// RELVANE_TEST_MYSQL: host, port and the database to connect to first.
struct MysqlServer {
    QString host, port, database;
};

std::optional<MysqlServer> mysqlServer() {
    static const QRegularExpression form(QStringLiteral("^([^:/]+):(\\d+)/(\\w+)$"));
    const auto match = form.match(qEnvironmentVariable("RELVANE_TEST_MYSQL"));
    if (!match.hasMatch()) return std::nullopt;
    return MysqlServer{match.captured(1), match.captured(2), match.captured(3)};
}

Ran mariadb(const QString& database, const QString& script, bool force = false) {
    const MysqlServer server = *mysqlServer();
    QStringList arguments{QStringLiteral("--no-defaults"),
                          QStringLiteral("-h"),
                          server.host,
                          QStringLiteral("-P"),
                          server.port,
                          QStringLiteral("-u"),
                          QStringLiteral("root"),
                          QStringLiteral("--default-character-set=utf8mb4"),
                          QStringLiteral("-N"),
                          QStringLiteral("-B")};
    if (force) arguments << QStringLiteral("--force");
    arguments << database;
    return runProcess(QStringLiteral("mariadb"), arguments, script.toUtf8());
}

Ran psql(const QString& schema, const QString& script, bool stopAtError = true) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGOPTIONS"), QStringLiteral("-c search_path=") + schema);
    QStringList arguments{testServerUrl(), QStringLiteral("-X"), QStringLiteral("-q")};
    if (stopAtError) arguments << QStringLiteral("-v") << QStringLiteral("ON_ERROR_STOP=1");
    arguments << QStringLiteral("-f") << QStringLiteral("-");
    return runProcess(QStringLiteral("psql"), arguments, script.toUtf8(), env);
}

// Runs Python's sqlite3 on `path`: the script whole, or (`each`) every statement of a JSON list
// committed by itself, printing each one's error as a JSON list.
Ran python(const QString& path, const QByteArray& input, bool each) {
    const QString program =
        each ? QStringLiteral(
                   "import sys, json, sqlite3\n"
                   "c = sqlite3.connect(sys.argv[1], isolation_level=None)\n"
                   "c.execute('PRAGMA foreign_keys = ON')\n"
                   "errors = []\n"
                   "for s in json.loads(sys.stdin.buffer.read().decode('utf-8')):\n"
                   "    try:\n"
                   "        c.execute(s)\n"
                   "        errors.append('')\n"
                   "    except sqlite3.Error as e:\n"
                   "        errors.append(str(e))\n"
                   "print(json.dumps(errors))\n")
             : QStringLiteral(
                   "import sys, sqlite3\n"
                   "c = sqlite3.connect(sys.argv[1])\n"
                   "c.executescript(sys.stdin.buffer.read().decode('utf-8'))\n"
                   "c.commit()\n");
    return runProcess(QStringLiteral("python3"), {QStringLiteral("-c"), program, path}, input);
}

std::vector<QVariantList> rows(QSqlDatabase& db, const QString& sql,
                               const QVariantList& bind = {}) {
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
        for (const QVariantList& index :
             rows(raw.db(), "PRAGMA index_list(" + quoted(table) + ")")) {
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
        for (auto it = keys.rbegin(); it != keys.rend(); ++it)
            read.foreignKeys.push_back(it->second);
    }
    return catalog;
}

// The catalog from information_schema rows: columns (table, column, nullable), keys (table,
// type, constraint, column) and foreign keys (table, constraint, column, referenced table,
// referenced column), each in table, constraint and position order.
Catalog informationSchemaCatalog(const std::vector<QStringList>& columns,
                                 const std::vector<QStringList>& keys,
                                 const std::vector<QStringList>& foreignKeys) {
    Catalog catalog;
    for (const QStringList& c : columns) {
        TableRead& read = catalog[c[0]];
        read.columns << c[1];
        if (c[2] == "NO") read.notNull.insert(c[1]);
    }
    std::map<std::pair<QString, QString>, QStringList> uniques;
    for (const QStringList& k : keys) {
        if (k[1] == "PRIMARY KEY")
            catalog[k[0]].key << k[3];
        else
            uniques[{k[0], k[2]}] << k[3];
    }
    for (const auto& [where, names] : uniques) catalog[where.first].unique.insert(names);
    std::map<std::pair<QString, QString>, ForeignKeyRead> found;
    std::vector<std::pair<QString, QString>> order;
    for (const QStringList& f : foreignKeys) {
        const std::pair<QString, QString> id{f[0], f[1]};
        if (!found.count(id)) order.push_back(id);
        ForeignKeyRead& fk = found[id];
        fk.table = f[3];
        fk.columns << f[2];
        fk.referenced << f[4];
    }
    for (const auto& id : order) catalog[id.first].foreignKeys.push_back(found[id]);
    return catalog;
}

std::vector<QStringList> textRows(QSqlDatabase& db, const QString& sql, const QString& schema) {
    std::vector<QStringList> out;
    for (const QVariantList& row : rows(db, sql, {schema})) {
        QStringList texts;
        for (const QVariant& v : row) texts << v.toString();
        out.push_back(texts);
    }
    return out;
}

Catalog serverCatalog(const QString& schema) {
    RawConnection raw(testServerUrl());
    return informationSchemaCatalog(
        textRows(raw.db(),
                 "SELECT table_name, column_name, is_nullable FROM information_schema.columns "
                 "WHERE table_schema = ? ORDER BY table_name, ordinal_position",
                 schema),
        textRows(raw.db(),
                 "SELECT tc.table_name, tc.constraint_type, tc.constraint_name, kcu.column_name "
                 "FROM information_schema.table_constraints tc "
                 "JOIN information_schema.key_column_usage kcu "
                 "ON kcu.constraint_schema = tc.constraint_schema "
                 "AND kcu.constraint_name = tc.constraint_name AND kcu.table_name = tc.table_name "
                 "WHERE tc.table_schema = ? AND tc.constraint_type IN ('PRIMARY KEY', 'UNIQUE') "
                 "ORDER BY tc.table_name, tc.constraint_name, kcu.ordinal_position",
                 schema),
        textRows(raw.db(),
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
                 schema));
}

std::vector<QStringList> mariadbRows(const QString& database, const QString& sql) {
    const Ran ran = mariadb(database, sql);
    EXPECT_TRUE(ran.ok) << sql.toStdString() << ": " << ran.error.toStdString();
    std::vector<QStringList> out;
    for (const QString& line : ran.out.split('\n', Qt::SkipEmptyParts))
        out.push_back(line.split('\t'));
    return out;
}

Catalog mariadbCatalog(const QString& database) {
    const QString where = QStringLiteral("table_schema = '%1'").arg(database);
    return informationSchemaCatalog(
        mariadbRows(database,
                    "SELECT table_name, column_name, is_nullable FROM "
                    "information_schema.columns WHERE " +
                        where + " ORDER BY table_name, ordinal_position"),
        mariadbRows(
            database,
            "SELECT tc.table_name, tc.constraint_type, tc.constraint_name, kcu.column_name "
            "FROM information_schema.table_constraints tc "
            "JOIN information_schema.key_column_usage kcu "
            "ON kcu.constraint_schema = tc.constraint_schema "
            "AND kcu.constraint_name = tc.constraint_name AND kcu.table_name = tc.table_name "
            "WHERE tc." +
                where +
                " AND tc.constraint_type IN ('PRIMARY KEY', 'UNIQUE') "
                "ORDER BY tc.table_name, tc.constraint_name, kcu.ordinal_position"),
        mariadbRows(database,
                    "SELECT table_name, constraint_name, column_name, "
                    "referenced_table_name, referenced_column_name FROM "
                    "information_schema.key_column_usage WHERE " +
                        where +
                        " AND referenced_table_name IS NOT NULL "
                        "ORDER BY table_name, constraint_name, ordinal_position"));
}

}  // namespace

ScratchDatabase::ScratchDatabase(SqlDialect engine) : engine_(engine) {
    static std::atomic<int> made{0};
    const QString name =
        QStringLiteral("relvane_sql_%1_%2").arg(QCoreApplication::applicationPid()).arg(made++);
    switch (engine_) {
        case SqlDialect::SQLite:
            name_ = dir_.filePath(QStringLiteral("scratch.db"));
            return;
        case SqlDialect::PostgreSQL: {
            if (testServerUrl().isEmpty()) {
                unavailable_ = QString::fromUtf8(kNoServerReason);
                return;
            }
            name_ = name;
            RawConnection admin(testServerUrl());
            if (!admin.isOpen() || !QSqlQuery(admin.db()).exec("CREATE SCHEMA " + name_))
                unavailable_ = "cannot create a schema on " + testServerUrl();
            return;
        }
        case SqlDialect::MySQL:
            if (!mysqlServer()) {
                unavailable_ = QStringLiteral(
                    "RELVANE_TEST_MYSQL names no MariaDB server (scripts/test starts one)");
                return;
            }
            name_ = name;
            if (const Ran ran = mariadb(mysqlServer()->database,
                                        "CREATE DATABASE " + name_ + " CHARACTER SET utf8mb4");
                !ran.ok)
                unavailable_ = ran.error;
            return;
    }
}

ScratchDatabase::~ScratchDatabase() {
    if (!unavailable_.isEmpty()) return;
    if (engine_ == SqlDialect::PostgreSQL) {
        RawConnection admin(testServerUrl());
        QSqlQuery(admin.db()).exec("DROP SCHEMA IF EXISTS " + name_ + " CASCADE");
    } else if (engine_ == SqlDialect::MySQL) {
        mariadb(mysqlServer()->database, "DROP DATABASE IF EXISTS " + name_);
    }
}

QString ScratchDatabase::run(const QString& script) const {
    Ran ran;
    switch (engine_) {
        case SqlDialect::SQLite:
            ran = python(name_, script.toUtf8(), false);
            break;
        case SqlDialect::PostgreSQL:
            ran = psql(name_, script);
            break;
        case SqlDialect::MySQL:
            ran = mariadb(name_, script);
            break;
    }
    return ran.ok ? QString() : ran.error + QStringLiteral(" (failed)");
}

QStringList ScratchDatabase::runEach(const QStringList& statements) const {
    QStringList errors;
    if (engine_ == SqlDialect::SQLite) {
        const Ran ran =
            python(name_, QJsonDocument(QJsonArray::fromStringList(statements)).toJson(), true);
        const QJsonArray list = QJsonDocument::fromJson(ran.out.toUtf8()).array();
        for (int i = 0; i < statements.size(); ++i)
            errors << (i < list.size() ? list[i].toString() : ran.error + " (no answer)");
        return errors;
    }
    for (const QString& statement : statements) {
        const Ran ran = engine_ == SqlDialect::PostgreSQL ? psql(name_, statement + ';')
                                                          : mariadb(name_, statement + ';');
        errors << (ran.ok ? QString() : ran.error + QStringLiteral(" (failed)"));
    }
    return errors;
}

Catalog ScratchDatabase::catalog() const {
    switch (engine_) {
        case SqlDialect::SQLite:
            return sqliteCatalog(name_);
        case SqlDialect::PostgreSQL:
            return serverCatalog(name_);
        case SqlDialect::MySQL:
            return mariadbCatalog(name_);
    }
    return {};
}

QString describe(const Catalog& catalog) {
    const auto sorted = [](QStringList names) {
        names.sort();
        return names.join(", ");
    };
    QStringList out;
    for (const auto& [table, read] : catalog) {
        out << table + ": " + read.columns.join(", ");
        out << "  key " + sorted(read.key);
        out << "  not null " + sorted(QStringList(read.notNull.begin(), read.notNull.end()));
        for (const QStringList& u : read.unique) out << "  unique " + sorted(u);
        QStringList fks;
        for (const ForeignKeyRead& fk : read.foreignKeys)
            fks << "  fk " + fk.columns.join(", ") + " -> " + fk.table + " (" +
                       fk.referenced.join(", ") + ")";
        fks.sort();
        out << fks;
    }
    return out.join('\n');
}

void expectMatchesModel(const Catalog& catalog, const RelationalModel& model) {
    const auto references = columnReferences(model);
    for (size_t r = 0; r < model.relations.size(); ++r) {
        const Relation& relation = model.relations[r];
        ASSERT_TRUE(catalog.count(relation.name)) << relation.name.toStdString();
        const TableRead& read = catalog.at(relation.name);
        // Columns are written in the model's order; a name the script had to change is found
        // by its place.
        ASSERT_EQ(read.columns.size(), qsizetype(relation.columns.size()))
            << relation.name.toStdString();
        std::map<int, std::set<QString>> groups;
        std::set<QString> key;
        for (size_t c = 0; c < relation.columns.size(); ++c) {
            const Column& column = relation.columns[c];
            const QString name = read.columns[qsizetype(c)];
            if (column.key) key.insert(name);
            if (column.references) groups[column.references->group].insert(name);
            if (column.key) {
                EXPECT_TRUE(read.notNull.count(name)) << name.toStdString();
            }
        }
        EXPECT_EQ(std::set<QString>(read.key.begin(), read.key.end()), key)
            << relation.name.toStdString();
        ASSERT_EQ(read.foreignKeys.size(), groups.size() + relation.sharedKeys.size())
            << relation.name.toStdString();
        // A shared subclass's key columns make one more foreign key per further superclass.
        for (const Relation::SharedKey& shared : relation.sharedKeys) {
            const auto to = std::find_if(
                model.relations.begin(), model.relations.end(), [&](const Relation& other) {
                    return other.origin == RelationOrigin::Entity && other.element == shared.entity;
                });
            ASSERT_NE(to, model.relations.end());
            EXPECT_TRUE(std::any_of(read.foreignKeys.begin(), read.foreignKeys.end(),
                                    [&](const ForeignKeyRead& fk) {
                                        return fk.table == to->name &&
                                               std::set<QString>(fk.columns.begin(),
                                                                 fk.columns.end()) ==
                                                   groups[shared.group];
                                    }))
                << relation.name.toStdString() << " -> " << to->name.toStdString();
        }
        for (const auto& [group, columns] : groups) {
            const ForeignKeyRead* found = nullptr;
            size_t first = 0;
            while (!relation.columns[first].references ||
                   relation.columns[first].references->group != group)
                ++first;
            for (const ForeignKeyRead& fk : read.foreignKeys)
                if (std::set<QString>(fk.columns.begin(), fk.columns.end()) == columns &&
                    fk.table == references[r][first].relation)
                    found = &fk;
            ASSERT_NE(found, nullptr) << relation.name.toStdString();
            for (size_t c = 0; c < relation.columns.size(); ++c) {
                const Column& column = relation.columns[c];
                if (!column.references || column.references->group != group) continue;
                const ColumnReference& to = references[r][c];
                ASSERT_GE(to.relationIndex, 0);
                EXPECT_EQ(found->table, to.relation);
                const QStringList& targetColumns = catalog.at(to.relation).columns;
                EXPECT_EQ(found->referenced[found->columns.indexOf(read.columns[qsizetype(c)])],
                          targetColumns.value(to.columnIndex))
                    << relation.name.toStdString() << "." << column.name.toStdString();
            }
        }
    }
}
