// korvan-map frame FILE -o OUT.bmp: the editor's back buffer after K frame ticks over a map.
#include "Verbs.h"

#include "map/MapFile.h"
#include "render/BackBuffer.h"
#include "render/BmpFile.h"
#include "render/MapView.h"
#include "render/SheetCatalogue.h"
#include "render/Sheets.h"
#include "render/View.h"

#include <limits>
#include <memory>

namespace korvan::cli {

namespace {

constexpr long long Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr long long Int32Max = std::numeric_limits<std::int32_t>::max();

// The brush item field of each mode and how many items it has.
std::int32_t* ItemField(Editor& editor, int mode, int& count)
{
    switch (mode) {
    case 0: count = TerritTiles; return &editor.ItemTerrit;
    case 1: count = LandsTiles; return &editor.ItemLands;
    case 2: count = TerrainTiles; return &editor.ItemTerrain;
    case 3: count = UnitsTiles; return &editor.ItemUnits;
    case 4: count = QuadriTiles; return &editor.ItemQuadri;
    default: count = 0; return nullptr;
    }
}

}  // namespace

int Frame(const Args& args)
{
    std::string input, output, assets;
    long long scrollX = 10, scrollY = 200, cursorX = 0, cursorY = 0, mode = 3, item = -1, frames = 1;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            output = TakeValue(args, i);
        } else if (args[i] == "--scroll") {
            scrollX = ParseInteger(TakeValue(args, i), Int32Min, Int32Max);
            scrollY = ParseInteger(TakeValue(args, i), Int32Min, Int32Max);
        } else if (args[i] == "--cursor") {
            cursorX = ParseInteger(TakeValue(args, i), Int32Min, Int32Max);
            cursorY = ParseInteger(TakeValue(args, i), Int32Min, Int32Max);
        } else if (args[i] == "--mode") {
            mode = ParseInteger(TakeValue(args, i), Int32Min, Int32Max);
        } else if (args[i] == "--item") {
            item = ParseInteger(TakeValue(args, i), 0, 255);
        } else if (args[i] == "--frames") {
            frames = ParseInteger(TakeValue(args, i), 1, 100000);
        } else if (args[i] == "--assets") {
            assets = TakeValue(args, i);
        } else if (args[i].starts_with("-") || !input.empty()) {
            throw UsageError("unknown argument: " + args[i]);
        } else {
            input = args[i];
        }
    }
    if (input.empty() || output.empty())
        throw UsageError("frame needs FILE.korv and -o OUT.bmp");

    auto editor = std::make_unique<Editor>();
    int itemCount = 0;
    std::int32_t* itemField = ItemField(*editor, int(mode), itemCount);
    if (item >= 0 && (itemField == nullptr || item >= itemCount))
        throw UsageError("--item " + std::to_string(item) + " is not an item of mode " + std::to_string(mode));

    LoadMap(editor->Cells, input);
    for (int slot = 0; slot < SheetCount; ++slot)
        LoadSheet(*editor, AssetFile(SheetFiles[std::size_t(slot)], assets), slot);
    UseAsBackBuffer(*editor, ReadIndexedBmp(AssetFile("Graphic\\Black.BMP", assets)));

    SetViewStartValues(*editor);
    StartShimmer(*editor);
    editor->ScrollX = std::int32_t(scrollX);
    editor->ScrollY = std::int32_t(scrollY);
    editor->CursorX = std::int32_t(cursorX);
    editor->CursorY = std::int32_t(cursorY);
    editor->EditMode = std::int32_t(mode);
    if (item >= 0)
        *itemField = std::int32_t(item);
    for (long long k = 0; k < frames; ++k)
        FrameTick(*editor);
    WriteIndexedBmp(editor->BackBuffer, output);
    return 0;
}

}  // namespace korvan::cli
