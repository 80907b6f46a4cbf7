// The hit test scans the whole grid on every press; it must stay far below a frame.
#include "edit/Editor.h"
#include "edit/HitTest.h"
#include "edit/NewMap.h"
#include "render/Shimmer.h"
#include "render/ViewState.h"

#include "Repeated.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_PickCell(benchmark::State& state)
{
    auto editor = std::make_unique<korvan::Editor>();
    korvan::SetViewStartValues(editor->Canvas);
    editor->Rng.State = 1;
    korvan::GenerateMap(*editor);
    editor->Canvas.CursorX = 300;
    editor->Canvas.CursorY = 200;
    for (auto _ : state)
        benchmark::DoNotOptimize(korvan::PickCell(editor->Map.Cells, editor->Canvas, 0, 0, 120, 120));
}
BENCHMARK(BM_PickCell)->Unit(benchmark::kMicrosecond)->Apply(korvan::bench::Repeated);

}  // namespace
