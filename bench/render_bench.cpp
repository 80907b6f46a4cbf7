// One frame tick on three scenes: production against the reference renderer, and against the
// memory floor of a frame (the clear plus one copy of as many bytes as the frame draws).
#include "BenchScenes.h"
#include "Repeated.h"

#include "render/Cull.h"
#include "render/MapView.h"
#include "render/VectorPath.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

using namespace korvan;
using namespace korvan::bench;

void Describe(benchmark::State& state, const Editor& editor)
{
    auto copy = std::make_unique<Editor>(editor);
    ClampScroll(*copy);
    state.counters["opaque_px"] = double(OpaqueWriteCounter(*copy).Frame());
    state.SetLabel(std::string(RealArtwork() ? "real artwork" : "stand-in sheets") +
                   (ActiveVectorPath() == VectorPath::Avx512 ? ", AVX-512" : ", portable"));
}

void BM_FrameTick(benchmark::State& state)
{
    auto editor = SceneEditor(Scene(state.range(0)));
    Describe(state, *editor);
    for (auto _ : state) {
        FrameTick(*editor);
        benchmark::DoNotOptimize(editor->BackBuffer.Pixels.data());
        benchmark::ClobberMemory();
    }
}

// The same tick on the portable path, for processors without AVX-512.
void BM_FrameTickPortable(benchmark::State& state)
{
    const VectorPath active = ActiveVectorPath();
    SetVectorPath(VectorPath::Portable);
    BM_FrameTick(state);
    SetVectorPath(active);
}

// The cull test alone: which of the 14,641 cells the frame draws.
void BM_CullCells(benchmark::State& state)
{
    auto editor = SceneEditor(Scene(state.range(0)));
    ClampScroll(*editor);
    auto visible = std::make_unique<VisibleCells>();
    for (auto _ : state)
        benchmark::DoNotOptimize(CullCells(*editor, 0, LastIndex, 0, LastIndex, *visible));
}

void BM_FrameTickReference(benchmark::State& state)
{
    auto editor = SceneEditor(Scene(state.range(0)));
    Describe(state, *editor);
    for (auto _ : state) {
        reference::FrameTick(*editor);
        benchmark::DoNotOptimize(editor->BackBuffer.Pixels.data());
        benchmark::ClobberMemory();
    }
}

// What no frame can beat: clearing the 640 x 480 buffer and copying, in one memcpy, as many
// bytes as the frame writes opaque pixels.
void BM_FrameCopyFloor(benchmark::State& state)
{
    auto editor = SceneEditor(Scene(state.range(0)));
    ClampScroll(*editor);
    const std::size_t bytes = OpaqueWriteCounter(*editor).Frame();
    std::vector<std::uint8_t> source(bytes, 68), target(bytes);
    state.counters["opaque_px"] = double(bytes);
    for (auto _ : state) {
        std::memset(editor->BackBuffer.Pixels.data(), 0, editor->BackBuffer.Pixels.size());
        std::memcpy(target.data(), source.data(), bytes);
        benchmark::DoNotOptimize(editor->BackBuffer.Pixels.data());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}

// Argument: 0 start view, 1 "Zona Centrale", 2 dense map.
void Scenes(benchmark::internal::Benchmark* b)
{
    b->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
    Repeated(b);
}
BENCHMARK(BM_FrameTick)->Apply(Scenes);
BENCHMARK(BM_FrameTickPortable)->Apply(Scenes);
BENCHMARK(BM_FrameTickReference)->Apply(Scenes);
BENCHMARK(BM_CullCells)->Apply(Scenes);
BENCHMARK(BM_FrameCopyFloor)->Apply(Scenes);

}  // namespace
