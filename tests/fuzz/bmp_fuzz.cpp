// Fuzz target: any bytes as a tile sheet, then a blit of every tile value from it.
#include "FuzzKit.h"

#include "base/KorvanError.h"
#include "render/Blitters.h"
#include "render/SheetCatalogue.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace korvan;
using namespace korvan::fuzz;

namespace {

// A short sheet may stop a blit with "Scan line index out of range": that is its documented end.
template <typename Blit>
void BlitAll(int count, Blit blit)
{
    for (int value = 0; value < count; ++value) {
        try {
            blit(value);
        } catch (const ScanLineError&) {
        }
    }
}

void BlitEveryTile(Editor& editor, std::int32_t x, std::int32_t y)
{
    // Every value of the catalogue, and the first few past it that only a map file can bring.
    BlitAll(TerritTiles + 2, [&](int v) { BlitTerrit(editor, x, y, std::uint8_t(v)); });
    BlitAll(LandsTiles + 2, [&](int v) { BlitLands(editor, x, y, LandsPlace(v).Column, LandsPlace(v).Row); });
    BlitAll(TerrainTiles + 2, [&](int v) { BlitTerrain(editor, x, y, TerrainPlace(v).Column, TerrainPlace(v).Row); });
    BlitAll(UnitsTiles + 2, [&](int v) { BlitUnits(editor, x, y, UnitsPlace(v).Column, UnitsPlace(v).Row); });
    BlitAll(QuadriTiles + 2, [&](int v) { BlitQuadri(editor, x, y, QuadriPlace(v).Column, QuadriPlace(v).Row); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A fresh editor: the other slots stay empty, so their blitters stop at once.
    const auto fresh = std::make_unique<Editor>();
    Editor& editor = *fresh;
    editor.BackBuffer = IndexedImage(640, 480);
    SetViewStartValues(editor);
    StartShimmer(editor);
    TailReader input(data, size);
    const int slot = input.Byte() % SheetCount;
    const std::string path = WriteScratchFile("sheet.bmp", data, size);
    try {
        LoadSheet(editor, path, slot);
    } catch (const KorvanError&) {
        if (!editor.Sheets[std::size_t(slot)].Empty()) {
            std::fprintf(stderr, "bmp fuzz: a failed load left a picture in the slot\n");
            std::abort();
        }
    }
    const IndexedImage& sheet = editor.Sheets[std::size_t(slot)];
    if (sheet.Pixels.size() != std::size_t(std::max(sheet.Width, 0)) * std::size_t(std::max(sheet.Height, 0))) {
        std::fprintf(stderr, "bmp fuzz: the sheet's pixels do not match its size\n");
        std::abort();
    }
    BlitEveryTile(editor, 100, 100);
    BlitEveryTile(editor, input.Int(-100, 700), input.Int(-100, 500));
    return 0;
}
