// Painting speed of the drawing area on a large drawing: a full repaint of the canvas (every
// connector line and label, every element's shape), into an image and on screen.
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <QImage>
#include <QPainter>

#include "benchdiagram.h"
#include "canvas.h"
#include "form1.h"
#include "reviewpanel.h"

namespace {

// 2,000 elements and 3,000 connectors, as in editor_bench, packed (overlapping) so that every
// one of them lies inside a full-HD window.
struct LargeWindow {
    SilentPrompts prompts;
    Workspace workspace{prompts};
    Form1 window{workspace};
    explicit LargeWindow(int entities = 500, int relationships = 1000) {
        drawGeneratedDiagram(window.editor(), entities, 1, relationships, 46, 19);
        window.resize(1920, 1080);
        window.show();
        QApplication::processEvents();
    }
};

// One window for both benchmarks, never destroyed: static objects go after main returns, when
// the QApplication a window needs is gone.
LargeWindow& largeWindow() {
    static LargeWindow* window = new LargeWindow;
    return *window;
}

void BM_FullCanvasRepaint(benchmark::State& state) {
    LargeWindow& large = largeWindow();
    Canvas* canvas = large.window.canvas();
    QImage image(canvas->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        canvas->render(&painter);
    }
    state.counters["elements"] = large.window.diagram().elementCount() - 1;
    state.counters["connectors"] = large.window.diagram().connectorCount() - 1;
}
BENCHMARK(BM_FullCanvasRepaint)->Unit(benchmark::kMillisecond);

// The same through the window's own backing store, as a repaint on screen happens.
void BM_FullCanvasRepaintOnScreen(benchmark::State& state) {
    LargeWindow& large = largeWindow();
    Canvas* canvas = large.window.canvas();
    for (auto _ : state) canvas->repaint();
}
BENCHMARK(BM_FullCanvasRepaintOnScreen)->Unit(benchmark::kMillisecond);

// The same at 50 % zoom (everything in view, drawn smaller) and scrolled by part of a screen.
void BM_RepaintOnScreenAtHalfZoom(benchmark::State& state) {
    Canvas* canvas = largeWindow().window.canvas();
    canvas->setZoom(0.5, QPointF(0, 0));
    for (auto _ : state) canvas->repaint();
    canvas->setZoom(1, QPointF(0, 0));
}
BENCHMARK(BM_RepaintOnScreenAtHalfZoom)->Unit(benchmark::kMillisecond);

void BM_RepaintOnScreenScrolled(benchmark::State& state) {
    Canvas* canvas = largeWindow().window.canvas();
    canvas->scrollByPixels(QPointF(300, 200));
    for (auto _ : state) canvas->repaint();
    canvas->scrollByPixels(QPointF(-300, -200));
}
BENCHMARK(BM_RepaintOnScreenScrolled)->Unit(benchmark::kMillisecond);

// The review panel rebuilt after a command: problems, warnings, mapping and the schema text, on
// the 2,000-element drawing and on a 200-element one.
void BM_ReviewPanelRefresh(benchmark::State& state) {
    static LargeWindow* small = nullptr;
    LargeWindow* window = &largeWindow();
    if (state.range(0) < 2000) {
        if (!small) {
            small = new LargeWindow(50, 100);
        }
        window = small;
    }
    ReviewPanel panel(window->workspace, *window->window.canvas());
    panel.refresh();
    // range(1): a command that changes what the panel shows (a rename), or one that does not.
    Diagram& d = window->window.diagram();
    int n = 0;
    for (auto _ : state) {
        if (state.range(1)) d.element(1).Caption = QStringLiteral("E%1").arg(++n);
        panel.refresh();
    }
    state.counters["elements"] = d.elementCount() - 1;
}
BENCHMARK(BM_ReviewPanelRefresh)
    ->Args({200, 0})
    ->Args({200, 1})
    ->Args({2000, 0})
    ->Args({2000, 1})
    ->Unit(benchmark::kMillisecond);


// One zoom step on the whole drawing: every element and label laid out at the new size.
void BM_ZoomStep(benchmark::State& state) {
    Canvas* canvas = largeWindow().window.canvas();
    for (auto _ : state) {
        canvas->stepZoom(-1, QPointF(0, 0));
        canvas->stepZoom(1, QPointF(0, 0));
    }
    canvas->setZoom(1, QPointF(0, 0));
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond);

// A drop taken back and done again, with the canvas following.
void BM_UndoRedoDropInWindow(benchmark::State& state) {
    LargeWindow& large = largeWindow();
    Editor& editor = large.window.editor();
    editor.elementLeftDown(1, 5, 5);
    editor.dropElement(1, 420, 240);
    for (auto _ : state) {
        editor.undo();
        editor.redo();
    }
}
BENCHMARK(BM_UndoRedoDropInWindow)->Unit(benchmark::kMillisecond);

// An element created, taken back and created again: entries go and come.
void BM_UndoRedoCreationInWindow(benchmark::State& state) {
    LargeWindow& large = largeWindow();
    Editor& editor = large.window.editor();
    editor.createElement(KindEntity);
    for (auto _ : state) {
        editor.undo();
        editor.redo();
    }
}
BENCHMARK(BM_UndoRedoCreationInWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
