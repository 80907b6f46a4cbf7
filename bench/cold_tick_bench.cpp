// The frame tick as the editor runs it: once every 15 ms, after the processor's caches have
// served other work, beside the warm loop of BM_FrameTick. Two ways to go cold: the editor's own
// 15 ms sleep between ticks, and a sweep through more memory than the last-level cache holds.
// Only the tick itself is timed. The cached tick of an idle view (the editor's own, a frame
// put back from the frame cache) is measured the same ways and warm.
#include "BenchScenes.h"
#include "Repeated.h"

#include "edit/Frame.h"
#include "edit/FrameCache.h"
#include "render/MapView.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

using namespace korvan;
using namespace korvan::bench;
using Clock = std::chrono::steady_clock;

// The plain tick, or the tick through a frame cache that has seen the view's whole shimmer cycle.
class Ticker {
public:
    Ticker(Editor& editor, bool cached) : editor_(editor), cached_(cached)
    {
        for (std::size_t k = 0; k <= 2 * FrameCache::Capacity; ++k)
            Tick();
        warmHits_ = cache_.Hits();
        warmMisses_ = cache_.Misses();
    }
    void Tick()
    {
        if (cached_)
            CachedFrameTick(editor_, cache_);
        else
            FrameTick(editor_);
    }
    // The share of the timed ticks that were put back from the cache.
    void Report(benchmark::State& state) const
    {
        const double hits = double(cache_.Hits() - warmHits_), misses = double(cache_.Misses() - warmMisses_);
        if (cached_ && hits + misses > 0)
            state.counters["hit_rate"] = hits / (hits + misses);
    }

private:
    Editor& editor_;
    bool cached_;
    FrameCache cache_;
    std::uint64_t warmHits_ = 0;
    std::uint64_t warmMisses_ = 0;
};

template <typename Between>
void ColdTicks(benchmark::State& state, bool cached, Between&& between)
{
    auto editor = SceneEditor(Scene(state.range(0)));
    Ticker ticker(*editor, cached);
    for (auto _ : state) {
        between();
        const auto start = Clock::now();
        ticker.Tick();
        benchmark::DoNotOptimize(editor->Canvas.BackBuffer.Pixels.data());
        benchmark::ClobberMemory();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    ticker.Report(state);
}

void Sleep() { std::this_thread::sleep_for(std::chrono::milliseconds(15)); }

// Twice the last-level cache, read and written a line at a time.
class Sweep {
public:
    Sweep() : memory_(std::size_t(std::max(sysconf(_SC_LEVEL3_CACHE_SIZE), 8L << 20)) * 2, 1) {}
    void operator()()
    {
        for (std::size_t k = 0; k < memory_.size(); k += 64)
            memory_[k] = std::uint8_t(memory_[k] + 1);
        benchmark::DoNotOptimize(memory_.data());
        benchmark::ClobberMemory();
    }

private:
    std::vector<std::uint8_t> memory_;
};

void BM_FrameTickAfterSleep(benchmark::State& state) { ColdTicks(state, false, Sleep); }
void BM_FrameTickAfterSweep(benchmark::State& state) { ColdTicks(state, false, Sweep()); }
void BM_CachedTickAfterSleep(benchmark::State& state) { ColdTicks(state, true, Sleep); }
void BM_CachedTickAfterSweep(benchmark::State& state) { ColdTicks(state, true, Sweep()); }

// The cached tick back to back, beside BM_FrameTick's warm loop.
void BM_CachedTick(benchmark::State& state)
{
    auto editor = SceneEditor(Scene(state.range(0)));
    Ticker ticker(*editor, true);
    for (auto _ : state) {
        ticker.Tick();
        benchmark::DoNotOptimize(editor->Canvas.BackBuffer.Pixels.data());
        benchmark::ClobberMemory();
    }
    ticker.Report(state);
}

// Argument: 0 start view, 1 "Zona Centrale". Few iterations: each waits 15 ms or sweeps.
void ColdScenes(benchmark::internal::Benchmark* b)
{
    b->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(150)->UseManualTime();
    Repeated(b);
}
BENCHMARK(BM_FrameTickAfterSleep)->Apply(ColdScenes);
BENCHMARK(BM_FrameTickAfterSweep)->Apply(ColdScenes);
BENCHMARK(BM_CachedTickAfterSleep)->Apply(ColdScenes);
BENCHMARK(BM_CachedTickAfterSweep)->Apply(ColdScenes);
BENCHMARK(BM_CachedTick)->ArgName("scene")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Apply(Repeated);

}  // namespace
