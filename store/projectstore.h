#pragma once

#include <QStringList>
#include <functional>

#include "databaseurl.h"
#include "progress.h"
#include "diagram.h"
#include "projectreader.h"
#include "statementrunner.h"
#include "storeerror.h"

class Editor;

// Named projects in an SQLite file or on a PostgreSQL server. Every operation opens its own
// connection and closes it again. Saving (and check()) creates the tables when they are missing;
// loading and contains() only read: they open the database read-only and change nothing in it.
class ProjectStore {
public:
    // From the setting "StoreConnection" (see DatabaseUrl); an unreadable URL makes every
    // operation fail with the reason.
    explicit ProjectStore(const QString& url);
    explicit ProjectStore(DatabaseUrl url);

    bool isValid() const { return urlError_.isEmpty(); }
    const DatabaseUrl& url() const { return url_; }

    // Opens the database once (creating missing tables); the error, or an unset one.
    StoreError check() const;

    struct SaveResult {
        bool ok = false;
        bool cancelled = false;  // `progress` stopped it
        qint16 projectNumber = 0;
        StoreError error;
    };
    // Writes the diagram as project `name` in one transaction, replacing a project of that name
    // (which keeps its number; its old rows are deleted from every table). A draft may hold what
    // validation refuses and is marked as one. On failure, or when `progress` stops it, the
    // database is as it was.
    SaveResult saveAs(const Diagram& diagram, const QString& name, Progress* progress = nullptr,
                      bool draft = false) const;

    // What a diagram loaded from or saved to this store records as its place (ProjectIdentity).
    QString place() const { return url_.toString(); }

    struct LoadResult {
        enum class Status { Loaded, NotFound, Failed, Cancelled };
        Status status = Status::Failed;
        qint16 projectNumber = 0;
        bool draft = false;       // saved as a draft: it may not pass validation
        int skippedRows = 0;      // rows left out because they could not be loaded
        StoreError error;         // Failed: why nothing was loaded
    };
    // Replaces the editor's diagram with project `name`. The diagram is untouched unless the
    // project is found and loaded whole (`progress` may stop it). A database without the store's
    // tables holds no project (NotFound); one with only some of them, or with columns of other
    // types, fails with a message naming them. Values that cannot be read are counted in
    // skippedRows: an unreadable index, kind or flag leaves its row out, an unreadable colour,
    // position or size only that value (the element keeps the template's). Uses the diagram's
    // settings for the notation (PresentStyle) and colours. The diagram then is project `name` of
    // this store (ProjectIdentity), in the same step.
    LoadResult loadInto(Editor& editor, const QString& name, Progress* progress = nullptr) const;

    struct ReadResult {
        bool ok = false;
        std::vector<NamedProjectRows> projects;  // in project-number order
        StoreError error;
    };
    // The rows of several projects (every stored one when `names` is nullopt; names not stored
    // are left out), read through one connection in one snapshot, one query per table. Build
    // each into a diagram with buildDiagram.
    ReadResult readProjects(const std::optional<QStringList>& names) const;

    // Whether project `name` is stored; nullopt (with *error) when the store cannot be read.
    std::optional<bool> contains(const QString& name, StoreError* error = nullptr) const;

    // Called before every statement of a save's transaction.
    void setStatementHook(StatementHook hook) { hook_ = std::move(hook); }

private:
    StoreError urlFailure() const;

    DatabaseUrl url_;
    QString urlError_;
    StatementHook hook_;
};

// What a load tells the user: no project of the typed name, and rows left out.
QString noSuchProjectMessage();
QString skippedRowsMessage(int rows);
// A draft is a project that does not pass validation, whatever it holds: it is not converted,
// checked as passing or graded.
QString draftProjectMessage(const QString& name);
