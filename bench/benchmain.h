#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

// The main of every benchmark: a GUI application on the offscreen platform unless another is
// asked for (fonts, widgets; no window is shown on a display), then Google Benchmark.
inline int runBenchmarks(int argc, char** argv) {
    // QT_QPA_PLATFORM=xcb (with a display) measures painting on a real screen instead.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
