// One frame tick on three scenes with each blitter (simple, portable, AVX-512) in one run, and the
// tick against the memory floor of a frame (the clear plus one copy of as many bytes as the frame
// draws).
#include "BenchScenes.h"
#include "Repeated.h"

#include "edit/Frame.h"
#include "render/Blitter.h"
#include "render/Cull.h"
#include "render/MapView.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

using namespace korvan;
using namespace korvan::bench;

void Describe(benchmark::State& state, const Editor& editor)
{
    auto copy = std::make_unique<Editor>(editor);
    ClampScroll(copy->Canvas);
    state.counters["opaque_px"] = double(OpaqueWriteCounter(*copy).Frame());
    state.SetLabel(std::string(RealArtwork() ? "real artwork" : "stand-in sheets") + ", " +
                   BlitterName(ActiveBlitter().Kind()));
}

// Arguments: the scene, and the blitter (0 simple, 1 portable, 2 AVX-512).
void BM_FrameTick(benchmark::State& state)
{
    const auto kind = BlitterKind(state.range(1));
    if (const char* why = BlitterUnavailable(kind)) {
        state.SkipWithError((std::string(BlitterName(kind)) + " blitter skipped: " + why).c_str());
        return;
    }
    const BlitterKind active = ActiveBlitter().Kind();
    SetActiveBlitter(kind);
    auto editor = SceneEditor(Scene(state.range(0)));
    Describe(state, *editor);
    FrameTick(*editor);  // the blitter encodes the sheets at its first frame
    for (auto _ : state) {
        FrameTick(*editor);
        benchmark::DoNotOptimize(editor->Canvas.BackBuffer.Pixels.data());
        benchmark::ClobberMemory();
    }
    SetActiveBlitter(active);
}

// The cull test alone: which of the 14,641 cells the frame draws.
void BM_CullCells(benchmark::State& state)
{
    auto editor = SceneEditor(Scene(state.range(0)));
    ClampScroll(editor->Canvas);
    auto visible = std::make_unique<VisibleCells>();
    for (auto _ : state)
        benchmark::DoNotOptimize(CullCells(editor->Map.Cells, editor->Canvas, 0, LastIndex, 0, LastIndex, *visible));
}

// What no frame can beat: clearing the 640 x 480 buffer and copying, in one memcpy, as many
// bytes as the frame writes opaque pixels.
struct CopyFloor {
    std::vector<std::uint8_t> Buffer, Source, Target;

    explicit CopyFloor(const Editor& scene)
    {
        auto editor = std::make_unique<Editor>(scene);
        ClampScroll(editor->Canvas);
        const std::size_t bytes = OpaqueWriteCounter(*editor).Frame();
        Buffer.resize(editor->Canvas.BackBuffer.Pixels.size());
        Source.assign(bytes, 68);
        Target.resize(bytes);
    }
    void Run()
    {
        std::memset(Buffer.data(), 0, Buffer.size());
        std::memcpy(Target.data(), Source.data(), Source.size());
        benchmark::DoNotOptimize(Buffer.data());
        benchmark::DoNotOptimize(Target.data());
        benchmark::ClobberMemory();
    }
};

void BM_FrameCopyFloor(benchmark::State& state)
{
    CopyFloor floor(*SceneEditor(Scene(state.range(0))));
    state.counters["opaque_px"] = double(floor.Source.size());
    for (auto _ : state)
        floor.Run();
}

// The tick and the floor taken in turns, so that a shared machine's changing speed weighs on
// both alike; the ratio of their means and the ratio of their fastest rounds.
void BM_TickOverFloor(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    auto editor = SceneEditor(Scene(state.range(0)));
    CopyFloor floor(*editor);
    Describe(state, *editor);
    double tickSum = 0, floorSum = 0, tickMin = 1e30, floorMin = 1e30;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        FrameTick(*editor);
        benchmark::DoNotOptimize(editor->Canvas.BackBuffer.Pixels.data());
        benchmark::ClobberMemory();
        const auto t1 = Clock::now();
        floor.Run();
        const auto t2 = Clock::now();
        const double tick = std::chrono::duration<double, std::micro>(t1 - t0).count();
        const double copy = std::chrono::duration<double, std::micro>(t2 - t1).count();
        tickSum += tick;
        floorSum += copy;
        tickMin = std::min(tickMin, tick);
        floorMin = std::min(floorMin, copy);
        state.SetIterationTime((tick + copy) * 1e-6);
    }
    const double n = double(state.iterations());
    state.counters["tick_us"] = tickSum / n;
    state.counters["floor_us"] = floorSum / n;
    state.counters["ratio"] = tickSum / floorSum;
    state.counters["ratio_of_fastest"] = tickMin / floorMin;
}

// The portable and the AVX-512 blitter's ticks taken in turns on one scene, so that a shared
// machine's changing speed weighs on both alike: their means and how many times faster the
// AVX-512 one is. This is the figure that decides whether the AVX-512 blitter pays its way.
void BM_Avx512OverPortable(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    if (const char* why = BlitterUnavailable(BlitterKind::Avx512)) {
        state.SkipWithError((std::string("avx512 blitter skipped: ") + why).c_str());
        return;
    }
    auto editor = SceneEditor(Scene(state.range(0)));
    const BlitterKind active = ActiveBlitter().Kind();
    double sum[2] = {0, 0};
    for (auto _ : state) {
        double round = 0;
        for (const BlitterKind kind : {BlitterKind::Portable, BlitterKind::Avx512}) {
            SetActiveBlitter(kind);
            const auto t0 = Clock::now();
            FrameTick(*editor);
            benchmark::DoNotOptimize(editor->Canvas.BackBuffer.Pixels.data());
            benchmark::ClobberMemory();
            const double us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
            sum[kind == BlitterKind::Avx512] += us;
            round += us;
        }
        state.SetIterationTime(round * 1e-6);
    }
    SetActiveBlitter(active);
    const double n = double(state.iterations());
    state.counters["portable_us"] = sum[0] / n;
    state.counters["avx512_us"] = sum[1] / n;
    state.counters["speedup"] = sum[0] / sum[1];
}

// Argument: 0 start view, 1 "Zona Centrale", 2 dense map.
void Scenes(benchmark::internal::Benchmark* b)
{
    b->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
    Repeated(b);
}
// Every scene with every blitter: the AVX-512 blitter stays only while it pays its way against
// the portable one on the dense map.
void ScenesAndBlitters(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"scene", "blitter"})->ArgsProduct({{0, 1, 2}, {0, 1, 2}})->Unit(benchmark::kMicrosecond);
    Repeated(b);
}
BENCHMARK(BM_FrameTick)->Apply(ScenesAndBlitters);
BENCHMARK(BM_Avx512OverPortable)->Apply(Scenes)->UseManualTime();
BENCHMARK(BM_CullCells)->Apply(Scenes);
BENCHMARK(BM_FrameCopyFloor)->Apply(Scenes);
BENCHMARK(BM_TickOverFloor)->Apply(Scenes)->UseManualTime();

}  // namespace
