// The frame tick as the editor runs it: once every 15 ms, after the processor's caches have
// served other work, beside the warm loop of BM_FrameTick. Two ways to go cold: the editor's own
// 15 ms sleep between ticks, and a sweep through more memory than the last-level cache holds.
// Only the tick itself is timed.
#include "BenchScenes.h"
#include "Repeated.h"

#include "edit/Frame.h"
#include "render/MapView.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using namespace korvan;
using namespace korvan::bench;
using Clock = std::chrono::steady_clock;

template <typename Between>
void ColdTicks(benchmark::State& state, Between&& between)
{
    auto editor = SceneEditor(Scene(state.range(0)));
    FrameTick(*editor);
    for (auto _ : state) {
        between();
        const auto start = Clock::now();
        FrameTick(*editor);
        benchmark::DoNotOptimize(editor->BackBuffer.Pixels.data());
        benchmark::ClobberMemory();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}

void BM_FrameTickAfterSleep(benchmark::State& state)
{
    ColdTicks(state, [] { std::this_thread::sleep_for(std::chrono::milliseconds(15)); });
}

// Twice the last-level cache, read and written a line at a time.
void BM_FrameTickAfterSweep(benchmark::State& state)
{
    const long cache = sysconf(_SC_LEVEL3_CACHE_SIZE);
    std::vector<std::uint8_t> sweep(std::size_t(std::max(cache, 8L << 20)) * 2, 1);
    ColdTicks(state, [&sweep] {
        for (std::size_t k = 0; k < sweep.size(); k += 64)
            sweep[k] = std::uint8_t(sweep[k] + 1);
        benchmark::DoNotOptimize(sweep.data());
        benchmark::ClobberMemory();
    });
}

// Argument: 0 start view, 1 "Zona Centrale". Few iterations: each waits 15 ms or sweeps.
void ColdScenes(benchmark::internal::Benchmark* b)
{
    b->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(150)->UseManualTime();
    Repeated(b);
}
BENCHMARK(BM_FrameTickAfterSleep)->Apply(ColdScenes);
BENCHMARK(BM_FrameTickAfterSweep)->Apply(ColdScenes);

}  // namespace
