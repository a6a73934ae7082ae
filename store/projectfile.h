#pragma once

#include <QString>
#include <optional>

#include "diagram.h"

class Editor;

// Single-project files (NAME.relvane): an SQLite database with the store's five tables holding
// exactly one project, so the store code writes and reads them and `relvane convert --db
// sqlite:FILE` works on them as on any store.

// Writes the diagram as project `name` into a new file at `path`, replacing a file that is there
// only once the new one is complete. Returns the reason when it could not be written.
std::optional<QString> exportProjectFile(const Diagram& diagram, const QString& path,
                                         const QString& name);

// The name of the one project in the file at `path`, read without changing the file; nullopt,
// with *problem saying why, when the file is not a Relvane project file.
std::optional<QString> projectFileName(const QString& path, QString* problem);

// Puts the file's project in place of the editor's diagram (one step, as Load does); on
// failure nothing changes and *problem says why. Returns the project's name; *warning then says
// how many rows had to be left out (empty when none), for the caller to show.
std::optional<QString> importProjectFile(Editor& editor, const QString& path, QString* problem,
                                         QString* warning);
