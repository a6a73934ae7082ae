#pragma once

#include <QString>

// The command-line commands (convert, sql, check, grade, list, picture): they run without a
// window, on Qt's offscreen platform, and never need a display.

// Whether `name` (argv[1]) names one of them.
bool isHeadlessCommand(const char* name);

// Runs the command argv[1] with the arguments after it, its texts in `language` (the --lang
// given, or empty for the setting's); returns its exit status (see ExitStatus).
int runHeadlessCommand(int argc, char** argv, const QString& language);
