#pragma once

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>
#include <memory>

#include "diagram.h"
#include "projectflows.h"
#include "projectstore.h"

// Readable QString and QVariant values in failure messages.
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QVariant& value, std::ostream* os);

// The two database engines every store test runs against.
enum class Engine { SQLite, PostgreSQL };
std::string engineName(const testing::TestParamInfo<Engine>& info);

// The PostgreSQL server of the test run (RELVANE_TEST_PG), empty when none was given.
QString testServerUrl();
// The reason given when the PostgreSQL tests cannot run.
extern const char* const kNoServerReason;

// A fresh, empty store for one test: an SQLite file in a temporary folder, or a database of its
// own on the test server (created once per test process, its tables dropped before each test).
class StoreTest : public testing::TestWithParam<Engine> {
protected:
    void SetUp() override;

    QString url() const { return url_; }
    ProjectStore store() const { return ProjectStore(url_); }

    // Runs one statement on a separate connection and returns every row; fails the test when
    // the statement fails.
    std::vector<QVariantList> query(const QString& sql) const;
    // The same rows as text, one line per row, values separated by " | ".
    QStringList rowsText(const QString& sql) const;
    int count(const QString& table) const;
    // Statements run on a separate connection; false with the error printed when one fails.
    bool execute(const QString& sql) const;

private:
    QTemporaryDir dir_;
    QString url_;
};

// A plain QtSql connection to a store URL for inspection, removed when it goes away.
class RawConnection {
public:
    explicit RawConnection(const QString& url);
    ~RawConnection();
    QSqlDatabase& db() { return db_; }
    bool isOpen() const { return db_.isOpen(); }

private:
    QString name_;
    QSqlDatabase db_;
};

// Everything about a diagram that a stored project keeps, one line per live element and live
// connector, sorted, so that a diagram and the same diagram loaded back compare equal whatever
// connector indices the load gave. Collections are listed sorted by item and key.
QStringList storedData(const Diagram& diagram);

class DiagramBuilder;

// Element and connector numbers of the sample diagram.
struct Sample {
    int student, course, teacher, takes, sid, name, first, last, phones, area, number, grade;
    int mentors, dependent, supports, cares;
    int takesStudent, takesCourse, takesTeacher, mentor, mentee, supportsStudent, supportsDependent,
        caresTeacher, caresDependent;
};

// A diagram with every kind: a ternary relationship with an attribute, a key, a composite
// attribute, a multivalued attribute with components, a recursive relationship with roles, and a
// weak entity identified through two relationships (so with two owners). Participations are
// typed through the Line menu in the diagram's notation: "0,N" on most, "1,1" on the weak
// entity's links. Every connect mode is finished, so no element is highlighted.
Sample drawSample(DiagramBuilder& b);

// Types a participation through the Line menu's command on connector k.
void typeParticipation(DiagramBuilder& b, int k, const QString& answer);
