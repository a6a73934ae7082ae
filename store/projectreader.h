#pragma once

#include <QStringList>
#include <optional>
#include <vector>

#include "projectrows.h"
#include "storeerror.h"

class QSqlDatabase;

// Reads project `name` (the lowest-numbered one of that name) in one consistent snapshot.
// Returns nullopt with *error unset when no project has that name, and with *error set when the
// project or any other table cannot be read, at once or part-way (a damaged page, a lost
// connection). A row with a value that cannot be converted is counted and the reading goes on.
std::optional<ProjectRows> readProject(QSqlDatabase& db, bool postgres, const QString& name,
                                       StoreError* error);

struct NamedProjectRows {
    QString name;
    ProjectRows rows;
};

// Reads the projects named in `names` (every project when nullopt) in one snapshot with one
// query per table, whatever their number; in project-number order, names not stored left out.
// nullopt with *error set when a table cannot be read, as in readProject.
std::optional<std::vector<NamedProjectRows>> readProjects(QSqlDatabase& db, bool postgres,
                                                          const std::optional<QStringList>& names,
                                                          StoreError* error);

// Whether a project of that name is stored; nullopt with *error set when the table cannot be read.
std::optional<bool> projectExists(QSqlDatabase& db, const QString& name, StoreError* error);
