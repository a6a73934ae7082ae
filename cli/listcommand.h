#pragma once

#include <QStringList>

// `relvane list --db URL`: one line per stored project, tab-separated: number, name, elements,
// last save (local time, ISO 8601; empty when not recorded). Exit 0, or 2 for a usage error or an
// unreachable database.
int runListCommand(const QStringList& arguments);
