#pragma once

#include <QString>

#include "document.h"

class StatementRunner;

// Enhanced-ER circles and their lines, kept in two tables beside the five, made by the first save
// of a project that has a specialization or a category. An earlier version knows neither table
// and reads the project without them; its five tables never hold a circle, whose kind an earlier
// version would misread.
//
// "Specialization": one row per circle, its first nine columns as an "EntityType" row has them
// ("Pi", "i", "eName", "color", "x", "y", "width", "height", "type": 6 specialization, 7
// category), then "overlapping" and "total" (0 or 1), "mapping" ("8A" to "8D"), "Ai" (the
// defining attribute's element index, 0 for none) and "SavedAt".
// "SpecializationLink": one row per superclass or subclass line: "Pi", "n" (its place in the
// drawing order), "Ci" (the circle), "Ei" (the entity), "IsSuperclass" (1 superclass, 0 subclass)
// and "SavedAt". The lines themselves are laid out again on load; a total circle's double line
// follows from "total".
//
// Rows count only while their "SavedAt" is the project's save time in "ProjectSaved", as the
// rows of "ProjectExtra" do: a project saved again by an earlier version, which leaves these
// tables alone, is then read without its old circles.
extern const QString kSpecializationTable;
extern const QString kSpecializationLinkTable;

// Within a save's transaction: the circles of project `pi` and their lines, saved at `savedAt`.
// A document without circles writes nothing and creates no table.
bool writeSpecializations(StatementRunner& run, const Document& document, qint16 pi,
                          const QString& savedAt);
