// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas at work on a large diagram: the idle hit test that runs on
// every mouse move, the rubber band while drawing, and a whole repaint.
// The diagram is one closed polygon of 300 random corners on a 999 x 999
// canvas (300 lines, thousands of crossings), the same on every run.
#include <benchmark/benchmark.h>

#include <random>

#include "app/Application.h"
#include "app/RavelonU1.h"
#include "diagram/EditState.h"

namespace {

using ravelon::TForm1;

// A window holding the 300-line diagram on a 999 x 999 canvas.
TForm1& LargeDiagram() {
    static TForm1* form = [] {
        auto* f = new TForm1;
        f->SetCanvasSize(999, 999);
        std::mt19937 random(300);
        std::uniform_int_distribution<int> coordinate(5, 994);
        f->FDraw.BeginGroup({coordinate(random), coordinate(random)});
        for (int i = 1; i < 300; ++i) f->FDraw.ExtendGroup({coordinate(random), coordinate(random)});
        f->FDraw.CloseGroup();
        return f;
    }();
    return *form;
}

void BM_IdleHitTest(benchmark::State& State) {
    TForm1& form = LargeDiagram();
    ravelon::ResetEditState();
    int x = 0;
    for (auto _ : State) {
        form.Image1MouseMove(Qt::NoButton, 100 + x, 500);
        x = (x + 7) % 800;
    }
    State.counters["lines"] = form.FDraw.FLineCount();
}
BENCHMARK(BM_IdleHitTest)->Unit(benchmark::kMicrosecond);

void BM_DrawingRubberBand(benchmark::State& State) {
    TForm1& form = LargeDiagram();
    ravelon::ResetEditState();
    ravelon::DrawMode = ravelon::TDrawMode::Drawing;
    ravelon::LastPoint = {500, 500};
    int x = 0;
    for (auto _ : State) {
        form.Image1MouseMove(Qt::NoButton, 100 + x, 300);
        x = (x + 7) % 800;
    }
    ravelon::ResetEditState();
}
BENCHMARK(BM_DrawingRubberBand)->Unit(benchmark::kMicrosecond);

void BM_Redraw(benchmark::State& State) {
    TForm1& form = LargeDiagram();
    for (auto _ : State) form.RedrawCanvas();
}
BENCHMARK(BM_Redraw)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ravelon::TApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
