#pragma once

#include <QString>
#include <optional>

// Whether a command may write its result to `output` (an --output argument) while reading the
// store at `databaseUrl`: the message saying why not, or nothing when it may. Refused are a path
// that exists and is not a regular file (a directory, a device such as /dev/full, a FIFO), which
// replacing by a new file would destroy, and the database file itself (also through another
// name or link). Commands refuse with ExitUsageOrSystem before they write anything.
std::optional<QString> refuseOutputPath(const QString& output, const QString& databaseUrl);
