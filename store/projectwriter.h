#pragma once

#include "diagram.h"
#include "statementrunner.h"

// Writes a diagram as project `name` inside one transaction: the project keeps its number when
// the name exists (its old rows deleted from every table), else gets the next free one. A draft
// may hold what validation refuses. On failure the transaction is rolled back, so the previous
// version of the project stays whole. Returns the project number, 0 on failure (the reason is in
// the runner's error).
qint16 writeProject(StatementRunner& runner, bool postgres, const Diagram& diagram,
                    const QString& name, bool draft = false);
