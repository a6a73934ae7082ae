#pragma once

#include <optional>

#include "editor.h"
#include "progress.h"
#include "projectrows.h"

// Replaces the editor's diagram with the stored project: elements at their stored indices, then
// attribute connectors rebuilt from the attributes' owners, then relationship connectors, then
// the owners of weak entities, with the collection keys that drawing gives them; every connector
// is laid out as the editor puts the project in place. Reads the notation (PresentStyle) and line
// colours from the diagram's settings. The diagram then is `project`, in the same step. Returns the
// number of rows that could not be loaded and were left out.
int buildDiagram(Editor& editor, const ProjectRows& rows, const ProjectIdentity& project = {});
// The same, telling `progress` how far it is; nullopt, with the diagram untouched, when
// `progress` stops it.
std::optional<int> buildDiagram(Editor& editor, const ProjectRows& rows, Progress& progress,
                                const ProjectIdentity& project = {});
// The stored project built into `empty` (a document with the templates of the diagram it is to
// go into) as buildDiagram builds it, reading `settings` for the notation and line colours;
// connectors are left for the editor to lay out. Rows that cannot be loaded are left out.
Document buildDocument(Document empty, const ProgramSettings& settings, const ProjectRows& rows);
