#pragma once

#include <QApplication>

#include "benchdiagram.h"
#include "canvas.h"
#include "form1.h"

// The main window over a workspace of its own, shown at 1920 x 1080, as the window benchmarks
// measure it.
struct BenchWindow {
    SilentPrompts prompts;
    Workspace workspace{prompts};
    Form1 form{workspace};
    BenchWindow() {
        form.resize(1920, 1080);
        form.show();
        QApplication::processEvents();
    }
    Canvas& canvas() { return *form.canvas(); }
};
