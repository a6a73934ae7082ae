#pragma once

#include <QString>

// A text for one line of a terminal or of a line-based output: every control character (C0,
// DEL, C1) and every bidirectional override is written as \xHH or \u{HHHH}, so that a name or
// caption can neither send the terminal an escape sequence (hiding or rewriting what follows),
// nor start a line of its own, nor reorder what the line shows.
QString terminalLine(const QString& text);

// Each line of a text that may hold several, as terminalLine does; the line breaks stay.
QString terminalLines(const QString& text);
