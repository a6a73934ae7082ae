#pragma once

#include <QStringList>

// Exit statuses of the command-line commands.
enum ExitStatus : int {
    ExitWritten = 0,        // the result was written
    ExitRefused = 1,        // validation failed, or the project does not exist
    ExitUsageOrSystem = 2,  // bad arguments, an unreachable database, an unwritable file
};

// The help text listing every command.
QString commandLineHelp();

// `relvane convert --db URL --project NAME --output FILE.xlsx [--fkpk 0|1|2]`: loads the project,
// validates it and writes its workbook. Messages go to stderr. `arguments` excludes the program
// name and the command itself.
int runConvertCommand(const QStringList& arguments);

// `relvane sql --db URL --project NAME [--dialect sqlite|postgresql|mysql] [--output FILE.sql]`:
// loads and validates the project like convert and writes its SQL script (standard output
// without --output). Warnings go to stderr and do not change the exit status.
int runSqlCommand(const QStringList& arguments);

// `relvane check --db URL --project NAME [--schema]`: prints the project's problems and warnings
// (and its schema lines) without changing anything; exit 0 when it would convert, 1 when not.
int runCheckCommand(const QStringList& arguments);
