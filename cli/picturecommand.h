#pragma once

#include <QStringList>

// `relvane picture --db URL --project NAME --output FILE.png|svg|pdf [--scale 1|2]`: loads the
// project and writes the picture of its drawing (what File -> "Capture" takes) in the format the
// output's suffix names. Needs a QApplication (the canvas, a widget, paints it), never a display.
// `arguments` excludes the program name and the command itself.
int runPictureCommand(const QStringList& arguments);
