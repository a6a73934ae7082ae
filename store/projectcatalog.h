#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "projectstore.h"

class StatementRunner;

// What the project list shows of each stored project.
struct ProjectSummary {
    int number = 0;
    QString name;
    int elements = 0;   // entity types, relationships and attributes
    QDateTime savedAt;  // the last save, UTC; invalid for a project saved before times were kept
    bool draft = false;  // saved as a draft: it may not pass validation
};

// Every stored project, by name; nullopt (with *error) when the store cannot be read.
std::optional<std::vector<ProjectSummary>> listProjects(const ProjectStore& store,
                                                        StoreError* error);

enum class CatalogChange { Done, NotFound, NameTaken, Failed };

// Deletes project `name` with all its rows, from every table by itself (tables made by hand may
// not cascade from the project's row), in one transaction.
CatalogChange deleteProject(const ProjectStore& store, const QString& name, StoreError* error);

// Renames project `from` to `to`, keeping its number and rows; refused when `to` is taken.
CatalogChange renameProject(const ProjectStore& store, const QString& from, const QString& to,
                            StoreError* error);

// Within a save's transaction: records `savedAt` as project `pi`'s last save, in the table
// "ProjectSaved" of its own (created on the first save that needs it).
bool recordSaveTime(StatementRunner& run, qint16 pi, const QString& savedAt);
