#pragma once

#include <optional>

#include "projectrows.h"
#include "storeerror.h"

class QSqlDatabase;

// Reads project `name` (the lowest-numbered one of that name) in one consistent snapshot.
// Returns nullopt with *error unset when no project has that name, and with *error set when the
// project table itself cannot be read. A failing query for one of the other tables is recorded in
// failedSteps and the reading goes on, as does a row with a value that cannot be converted.
std::optional<ProjectRows> readProject(QSqlDatabase& db, bool postgres, const QString& name,
                                       StoreError* error);

// Whether a project of that name is stored; nullopt with *error set when the table cannot be read.
std::optional<bool> projectExists(QSqlDatabase& db, const QString& name, StoreError* error);
