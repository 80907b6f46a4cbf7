// The overview's picture: drawn whole (a new or loaded map) and brought up to date after one
// painted cell, against the cheaper alternative of one pixel per cell in its terrain's colour.
#include "base/AssetLookup.h"
#include "map/MapGenerator.h"
#include "map/RandomSource.h"
#include "render/ArtworkSetup.h"
#include "render/OverviewPicture.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace korvan;

struct OverviewScene {
    std::unique_ptr<Canvas> artwork = std::make_unique<Canvas>();
    std::unique_ptr<MapState> map = std::make_unique<MapState>();
    OverviewScene()
    {
        SetUpArtwork(*artwork, [](const std::string& name) { return ResolveAsset(name, KORVAN_RUN_DIR); });
        RandomSource rng;
        rng.State = 1;
        GenerateMap(map->Cells, rng);
    }
};

void BM_OverviewWhole(benchmark::State& state)
{
    OverviewScene scene;
    OverviewPicture picture;
    std::uint64_t version = 0;
    for (auto _ : state) {
        picture.Invalidate();
        picture.Update(*scene.artwork, scene.map->Cells, ++version);
        benchmark::DoNotOptimize(picture.Pixels().data());
    }
}
BENCHMARK(BM_OverviewWhole)->Unit(benchmark::kMillisecond);

// One press that changes one cell, then the frame tick's update: what an edit costs.
void BM_OverviewAfterOnePaint(benchmark::State& state)
{
    OverviewScene scene;
    OverviewPicture picture;
    std::uint64_t version = 1;
    picture.Update(*scene.artwork, scene.map->Cells, version);
    MapCell& cell = scene.map->Cells[60][60];
    for (auto _ : state) {
        cell.Terrain = cell.Terrain == 8 ? 2 : 8;
        picture.Update(*scene.artwork, scene.map->Cells, ++version);
        benchmark::DoNotOptimize(picture.Pixels().data());
    }
}
BENCHMARK(BM_OverviewAfterOnePaint)->Unit(benchmark::kMicrosecond);

// An idle tick: the map's version is the one shown.
void BM_OverviewIdle(benchmark::State& state)
{
    OverviewScene scene;
    OverviewPicture picture;
    picture.Update(*scene.artwork, scene.map->Cells, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(picture.Update(*scene.artwork, scene.map->Cells, 1));
}
BENCHMARK(BM_OverviewIdle);

// The alternative: one pixel per cell at its anchor's place, in the mean colour of its ground
// tile; the map's overlays and coast pieces do not show.
void BM_OverviewOnePixelPerCell(benchmark::State& state)
{
    OverviewScene scene;
    std::array<std::uint32_t, 10> colours{};
    const IndexedImage& territ = scene.artwork->Sheets[TerritSheet];
    const auto& palette = scene.artwork->BackBuffer.Palette;
    for (int t = 0; t < 10; ++t) {
        std::uint64_t r = 0, g = 0, b = 0, n = 0;
        for (int y = 33 * t; y < 33 * t + 33 && y < territ.Height; ++y)
            for (int x = 0; x < territ.Width; ++x)
                if (const std::uint8_t v = territ.Pixels[std::size_t(y) * territ.Width + x]; IsOpaque(v)) {
                    r += (palette[v] >> 16) & 0xFF, g += (palette[v] >> 8) & 0xFF, b += palette[v] & 0xFF, ++n;
                }
        if (n != 0)
            colours[std::size_t(t)] = 0xFF000000u | std::uint32_t(r / n) << 16 | std::uint32_t(g / n) << 8 | std::uint32_t(b / n);
    }
    std::vector<std::uint32_t> pixels(std::size_t(OverviewWidth) * OverviewHeight);
    for (auto _ : state) {
        std::fill(pixels.begin(), pixels.end(), 0xFF000000u);
        for (const auto& row : scene.map->Cells)
            for (const MapCell& cell : row) {
                const std::int64_t x = (std::int64_t(cell.ScreenX) + 33 - OverviewLeft) / OverviewScale;
                const std::int64_t y = (std::int64_t(cell.ScreenY) + 17 - OverviewTop) / OverviewScale;
                if (x >= 0 && y >= 0 && x < OverviewWidth && y < OverviewHeight && cell.Terrain < 10)
                    pixels[std::size_t(y) * OverviewWidth + std::size_t(x)] = colours[cell.Terrain];
            }
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_OverviewOnePixelPerCell)->Unit(benchmark::kMicrosecond);

}  // namespace
