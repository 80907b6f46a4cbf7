// The generator runs inside one menu command; it must stay well under a frame's worth of waiting.
#include "edit/Editor.h"
#include "map/MapFile.h"
#include "edit/NewMap.h"

#include "Repeated.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_GenerateMap(benchmark::State& state)
{
    auto editor = std::make_unique<korvan::Editor>();
    editor->Rng.State = 1;
    for (auto _ : state) {
        korvan::GenerateMap(*editor);
        benchmark::DoNotOptimize(editor->Map.Cells);
    }
}
BENCHMARK(BM_GenerateMap)->Unit(benchmark::kMillisecond)->Apply(korvan::bench::Repeated);

void BM_EncodeMap(benchmark::State& state)
{
    auto editor = std::make_unique<korvan::Editor>();
    editor->Rng.State = 1;
    korvan::GenerateMap(*editor);
    for (auto _ : state)
        benchmark::DoNotOptimize(korvan::EncodeMap(editor->Map.Cells));
}
BENCHMARK(BM_EncodeMap)->Unit(benchmark::kMicrosecond);

}  // namespace
