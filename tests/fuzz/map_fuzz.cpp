// Fuzz target: any bytes as a map file, then frames, hit tests, paints, and a save and reload.
#include "FuzzKit.h"

#include "edit/HitTest.h"
#include "edit/Input.h"
#include "base/KorvanError.h"
#include "map/MapFile.h"
#include "edit/Frame.h"
#include "render/MapView.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace korvan;
using namespace korvan::fuzz;

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "map fuzz: %s\n", what);
        std::abort();
    }
}

bool SameGrid(const MapGrid& a, const MapGrid& b) { return std::memcmp(&a, &b, sizeof(MapGrid)) == 0; }

// Loading the input as given: rejected (a short file, with a message, cells untouched) or taken.
void LoadAsGiven(Editor& editor, const std::uint8_t* data, std::size_t size)
{
    const MapGrid before = editor.Map.Cells;
    const std::string path = WriteScratchFile("given.korv", data, size);
    try {
        LoadMap(editor.Map.Cells, path);
    } catch (const KorvanError& error) {
        Require(size < MapFileSize, "a whole map was rejected");
        Require(std::strlen(error.what()) > 0, "a rejection without a message");
        Require(SameGrid(before, editor.Map.Cells), "a rejected file changed the cells");
        return;
    }
    Require(size >= MapFileSize, "a short file was accepted");
    Require(std::memcmp(&editor.Map.Cells, data, MapFileSize) == 0, "the cells differ from the file's bytes");
}

// The same bytes repeated to a whole map, so that every input reaches the drawing with its values.
std::vector<std::uint8_t> WholeMapFrom(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> bytes(MapFileSize);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = data[i % size];
    return bytes;
}

void DriveEditor(Editor& editor, TailReader& input)
{
    for (int round = 0; round < 2; ++round) {
        editor.Canvas.ScrollX = input.Int(-20000, 20000);
        editor.Canvas.ScrollY = input.Int(-20000, 20000);
        editor.Canvas.CursorX = input.Int(-100, 740);
        editor.Canvas.CursorY = input.Int(-100, 580);
        editor.Brush.EditMode = input.Int(-2, 6);
        editor.Brush.ItemTerrit = input.Int(-2, 70);
        editor.Brush.ItemLands = input.Int(-2, 70);
        editor.Brush.ItemTerrain = input.Int(-2, 70);
        editor.Brush.ItemUnits = input.Int(-2, 70);
        editor.Brush.ItemQuadri = input.Int(-2, 70);
        FrameTick(editor);

        const CellHit hit = PickCell(editor.Map.Cells, editor.Canvas, std::uint8_t(std::clamp(editor.Canvas.FirstRow, 0, MapSize - 1)),
                                     std::uint8_t(std::clamp(editor.Canvas.FirstCol, 0, MapSize - 1)), MapSize - 1,
                                     MapSize - 1);
        Require((hit.Row == -1) == (hit.Col == -1), "a hit with only one coordinate");
        Require(hit.Row < MapSize && hit.Col < MapSize, "a hit outside the grid");

        const std::uint8_t action = input.Byte();
        if (action % 4 == 3)
            KeyDown(editor.Brush, input.Byte());
        else
            PressMap(editor, MouseButton(action % 3));
        FrameTick(editor);
    }
}

void SaveAndReload(const Editor& editor)
{
    const std::string path = Scratch().File("saved.korv");
    SaveMap(editor.Map.Cells, path);
    MapGrid reloaded{};
    LoadMap(reloaded, path);
    Require(SameGrid(reloaded, editor.Map.Cells), "the reloaded map differs from the saved cells");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Editor& editor = ArtworkEditor();
    editor.Map.Cells = MapGrid{};
    LoadAsGiven(editor, data, size);
    if (size == 0)
        return 0;

    if (size < MapFileSize) {
        const std::vector<std::uint8_t> whole = WholeMapFrom(data, size);
        LoadAsGiven(editor, whole.data(), whole.size());
    }
    TailReader input(data, size);
    DriveEditor(editor, input);
    SaveAndReload(editor);
    return 0;
}
