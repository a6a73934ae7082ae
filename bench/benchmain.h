#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

// The main of every benchmark: a GUI application on the offscreen platform (fonts, widgets; no
// window is ever shown on a display), then Google Benchmark.
inline int runBenchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
