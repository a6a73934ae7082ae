#include "storetesting.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <atomic>

#include "databaseurl.h"
#include "storedvalues.h"

const char* const kNoServerReason =
    "RELVANE_TEST_PG is not set: the PostgreSQL store tests were not run "
    "(scripts/test starts a throw-away server and sets it)";

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QVariant& value, std::ostream* os) {
    *os << value.typeName() << ' ' << value.toString().toStdString();
}

std::string engineName(const testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::SQLite ? "SQLite" : "PostgreSQL";
}

QString testServerUrl() {
    return qEnvironmentVariable("RELVANE_TEST_PG");
}

namespace {

QString rawName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("store-test-raw-%1").arg(++counter);
}

// The test process's own database on the test server, so that store tests of several processes
// never meet; created on first use and dropped when the tests end.
class ServerDatabase : public testing::Environment {
public:
    static ServerDatabase& instance() {
        static ServerDatabase* env =
            static_cast<ServerDatabase*>(testing::AddGlobalTestEnvironment(new ServerDatabase));
        return *env;
    }

    // The URL of this process's database; empty (with a failure) when it cannot be created.
    QString url() {
        if (!url_.isEmpty()) return url_;
        const QString name =
            QStringLiteral("relvane_store_%1").arg(QCoreApplication::applicationPid());
        RawConnection admin(testServerUrl());
        if (!admin.isOpen()) {
            ADD_FAILURE() << "cannot reach the test server " << testServerUrl().toStdString();
            return {};
        }
        QSqlQuery q(admin.db());
        q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
        if (!q.exec(QStringLiteral("CREATE DATABASE %1").arg(name))) {
            ADD_FAILURE() << q.lastError().text().toStdString();
            return {};
        }
        QUrl url(testServerUrl());
        url.setPath(QLatin1Char('/') + name);
        url_ = url.toString();
        name_ = name;
        return url_;
    }

    void TearDown() override {
        if (name_.isEmpty()) return;
        RawConnection admin(testServerUrl());
        QSqlQuery(admin.db())
            .exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name_));
    }

private:
    QString url_, name_;
};

}  // namespace

RawConnection::RawConnection(const QString& url) : name_(rawName()) {
    const auto parsed = DatabaseUrl::parse(url);
    if (!parsed) return;
    if (parsed->provider == DatabaseUrl::Provider::PostgreSQL) {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
        db_.setHostName(parsed->host());
        if (parsed->port() > 0) db_.setPort(parsed->port());
        db_.setDatabaseName(parsed->databaseName());
        db_.setUserName(parsed->userId);
        db_.setPassword(parsed->password);
        db_.setConnectOptions(QStringLiteral("options=-cclient_min_messages=warning"));
        db_.open();
    } else {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db_.setDatabaseName(parsed->dataSource);
        if (db_.open()) QSqlQuery(db_).exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    }
}

RawConnection::~RawConnection() {
    if (db_.isValid()) db_.close();
    db_ = QSqlDatabase();
    if (QSqlDatabase::contains(name_)) QSqlDatabase::removeDatabase(name_);
}

void StoreTest::SetUp() {
    if (GetParam() == Engine::SQLite) {
        ASSERT_TRUE(dir_.isValid());
        url_ = QStringLiteral("sqlite:") + dir_.filePath(QStringLiteral("projects.db"));
        return;
    }
    if (testServerUrl().isEmpty()) GTEST_SKIP() << kNoServerReason;
    url_ = ServerDatabase::instance().url();
    ASSERT_FALSE(url_.isEmpty());
    ASSERT_TRUE(
        execute(QStringLiteral("DROP TABLE IF EXISTS \"ProjectExtra\", \"ProjectSaved\", "
                               "\"Specialization\", \"SpecializationLink\", "
                               "\"ET_Identify_WET\", \"Invoke\", \"Attribute\", "
                               "\"EntityType\", \"Project\" CASCADE")));
}

std::vector<QVariantList> StoreTest::query(const QString& sql) const {
    std::vector<QVariantList> rows;
    RawConnection raw(url_);
    QSqlQuery q(raw.db());
    if (!q.exec(sql)) {
        ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
        return rows;
    }
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < q.record().count(); ++i) row << q.value(i);
        rows.push_back(row);
    }
    return rows;
}

QStringList StoreTest::rowsText(const QString& sql) const {
    QStringList lines;
    for (const QVariantList& row : query(sql)) {
        QStringList values;
        for (const QVariant& value : row) values << value.toString();
        lines << values.join(QStringLiteral(" | "));
    }
    return lines;
}

int StoreTest::count(const QString& table) const {
    const auto rows = query(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table));
    return rows.empty() ? -1 : rows.front().value(0).toInt();
}

bool StoreTest::execute(const QString& sql) const {
    RawConnection raw(url_);
    QSqlQuery q(raw.db());
    if (q.exec(sql)) return true;
    ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
    return false;
}

namespace {

QString entries(const Collection& collection) {
    QStringList items;
    for (const auto& entry : collection.entries())
        items << QStringLiteral("%1/%2").arg(entry.item).arg(entry.key);
    items.sort();
    return items.join(QLatin1Char(' '));
}

QString number(float value) {
    return shortestFloatText(value);
}

}  // namespace

QStringList storedData(const Diagram& d) {
    QStringList lines;
    for (int i = 1; i < d.elementCount(); ++i) {
        const Element& e = d.element(i);
        if (!e.Visible) continue;
        lines << QStringLiteral(
                     "element %1 kind=%2 caption=[%3] colour=%4 key=%5 at %6 %7 %8 %9 "
                     "attributes{%10} relations{%11} relatives{%12} owners{%13} "
                     "identifying{%14}")
                     .arg(i)
                     .arg(double(e.Shape))
                     .arg(e.Caption)
                     .arg(e.BackColor)
                     .arg(int(e.underlined()))
                     .arg(number(e.Left), number(e.Top), number(e.Width), number(e.Height))
                     .arg(entries(e.AttributeList), entries(e.RelationList),
                          entries(e.RelativeEntityList), entries(e.PrimaryEntityList),
                          entries(e.WeakRelationList));
        if (e.isSpecializationKind())
            lines.back() += QStringLiteral(" overlapping=%1 total=%2 mapping=%3 defining=%4")
                                .arg(int(e.Overlapping))
                                .arg(int(e.Total))
                                .arg(int(e.Mapping))
                                .arg(e.DefiningAttribute);
    }
    for (int k = 1; k < d.connectorCount(); ++k) {
        const Connector& c = d.connector(k);
        if (!c.Line1.Visible) continue;
        QString line = QStringLiteral("connector %1 colour=%2 style=%3 line1 %4 %5 %6 %7")
                           .arg(QString::number(c.first) + ',' + QString::number(c.second))
                           .arg(c.Line1.BorderColor)
                           .arg(c.Line1.BorderStyle)
                           .arg(number(c.Line1.X1), number(c.Line1.Y1), number(c.Line1.X2),
                                number(c.Line1.Y2));
        if (c.Line2.Visible)
            line += QStringLiteral(" line2 %1 style=%2 %3 %4 %5 %6")
                        .arg(QString::number(c.first) + ',' + QString::number(c.second))
                        .arg(c.Line2.BorderStyle)
                        .arg(number(c.Line2.X1), number(c.Line2.Y1), number(c.Line2.X2),
                             number(c.Line2.Y2));
        if (c.isClassLink())
            line += c.kind == ConnectorKind::Superclass ? QStringLiteral(" superclass")
                                                        : QStringLiteral(" subclass");
        if (c.MN.Visible)
            line += QStringLiteral(" mn [%1] %2 %3")
                        .arg(c.MN.Caption, number(c.MN.Left), number(c.MN.Top));
        if (c.Description.Visible || !c.Description.Caption.isEmpty())
            line += QStringLiteral(" role [%1] %2 %3")
                        .arg(c.Description.Caption, number(c.Description.Left),
                             number(c.Description.Top));
        lines << line;
    }
    lines.sort();
    return lines;
}

#include "diagrambuilder.h"

void typeParticipation(DiagramBuilder& b, int k, const QString& answer) {
    b.d.state.CurrentLine = qint16(k);
    b.prompts.answer(answer);
    b.editor.participation(k);
}

Sample drawSample(DiagramBuilder& b) {
    Sample s{};
    s.student = b.entity(QStringLiteral("Student"));
    s.course = b.entity(QStringLiteral("Course"));
    s.teacher = b.entity(QStringLiteral("Teacher"));
    s.takes = b.relationship(QStringLiteral("Takes"));
    std::tie(s.takesStudent, s.takesCourse) = b.binary(s.student, s.takes, s.course);
    s.takesTeacher = b.join(s.teacher, s.takes);
    s.sid = b.attribute(s.student, QStringLiteral("SID"), true);
    s.name = b.attribute(s.student, QStringLiteral("Name"));
    s.first = b.attribute(s.name, QStringLiteral("First"));
    s.last = b.attribute(s.name, QStringLiteral("Last"));
    s.phones = b.multAttribute(s.student, QStringLiteral("Phones"));
    s.area = b.attribute(s.phones, QStringLiteral("Area"));
    s.number = b.attribute(s.phones, QStringLiteral("Number"));
    s.grade = b.attribute(s.takes, QStringLiteral("Grade"));
    s.mentors = b.relationship(QStringLiteral("Mentors"));
    std::tie(s.mentor, s.mentee) = b.recursive(s.teacher, s.mentors);
    b.setRole(s.mentor, QStringLiteral("mentor"));
    b.setRole(s.mentee, QStringLiteral("mentee"));
    s.dependent = b.entity(QStringLiteral("Dependent"));
    s.supports = b.relationship(QStringLiteral("Supports"));
    std::tie(s.supportsDependent, s.supportsStudent) = b.binary(s.dependent, s.supports, s.student);
    s.cares = b.relationship(QStringLiteral("Cares"));
    std::tie(s.caresDependent, s.caresTeacher) = b.binary(s.dependent, s.cares, s.teacher);
    b.makeWeak(s.dependent, s.supports);
    b.makeWeak(s.dependent, s.cares);
    for (int k : {s.takesStudent, s.takesCourse, s.takesTeacher, s.mentor, s.mentee,
                  s.supportsStudent, s.caresTeacher})
        typeParticipation(b, k, QStringLiteral("0,N"));
    typeParticipation(b, s.supportsDependent, QStringLiteral("1,1"));
    typeParticipation(b, s.caresDependent, QStringLiteral("1,1"));
    typeParticipation(b, s.mentee, QStringLiteral("1,n"));
    // Spread the elements out so that connectors run in several directions.
    const int rows = 4;
    for (int i = 1; i < b.d.elementCount(); ++i) {
        Element& e = b.d.element(i);
        e.Left = 40.5f + 130.25f * float((i - 1) % rows) + float(i % 3) * 7.1f;
        e.Top = 30.0f + 95.5f * float((i - 1) / rows);
    }
    b.d.element(s.teacher).Width = 1234.5f;
    b.d.element(s.takes).Height = 1440.0f;
    b.editor.layoutAllConnectors();
    return s;
}
