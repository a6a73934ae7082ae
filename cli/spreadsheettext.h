#pragma once

#include <QString>

// A text field for a CSV file that a spreadsheet opens: a field beginning with = + - @, a tab or
// a carriage return would be taken for a formula (one that can fetch a web address or run a
// command), so it gets a leading apostrophe and shows as the text it is. Plain numbers ("-2")
// stay numbers.
QString spreadsheetText(const QString& field);
