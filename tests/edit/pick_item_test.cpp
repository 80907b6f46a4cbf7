// Taking a tile from the map with the middle button: for every brush mode and every value its
// cell byte can hold, what the brush takes; that it uses the same hit test as painting, after the
// press's edge step; and that it changes no map byte, no history and no other brush field.
#include "EditorFixture.h"
#include "edit/Brush.h"
#include "edit/BrushModes.h"
#include "edit/Input.h"
#include "edit/PickItem.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace korvan {
namespace {

using korvan::testing::StartedEditor;

auto Fields(const BrushState& b) { return std::make_tuple(b.EditMode, b.ItemTerrit, b.ItemLands, b.ItemTerrain, b.ItemUnits, b.ItemQuadri); }

// Cell (60, 60) anchored at (300, 200) with the cursor on its anchor.
std::unique_ptr<Editor> EditorOverCell()
{
    auto editor = StartedEditor();
    editor->ScrollX = 300 - editor->Cells[60][60].ScreenX;
    editor->ScrollY = 200 - editor->Cells[60][60].ScreenY;
    editor->CursorX = 300;
    editor->CursorY = 200;
    return editor;
}

TEST(PickItem, EveryValueOfTheModesByteAgainstWhatTheBrushTakes)
{
    const struct {
        int mode;
        std::size_t offset;  // the byte in the cell record
        int items;           // values below this are items; the rest hold nothing for the mode
    } modes[] = {{TerritMode, offsetof(MapCell, Terrain), 10},
                 {LandsMode, offsetof(MapCell, LandsTile), 60},
                 {TerrainMode, offsetof(MapCell, TerrainTile), 48}};
    for (const auto& m : modes)
        for (int value = 0; value < 256; ++value) {
            auto editor = EditorOverCell();
            reinterpret_cast<std::uint8_t*>(&editor->Cells[60][60])[m.offset] = std::uint8_t(value);
            editor->EditMode = m.mode;
            ItemOfMode(*editor, m.mode) = 7 % m.items;
            BrushState expected = *editor;
            if (value < m.items)
                ItemOfMode(expected, m.mode) = value;
            const bool taken = PickItem(editor->Cells, *editor, *editor);
            EXPECT_EQ(taken, value < m.items) << "mode " << m.mode << " value " << value;
            ASSERT_EQ(Fields(*editor), Fields(expected)) << "mode " << m.mode << " value " << value;
        }
}

TEST(PickItem, UnitsHaveNoLayerSoNothingIsTaken)
{
    auto editor = EditorOverCell();
    editor->EditMode = UnitsMode;
    editor->ItemUnits = 17;
    editor->Cells[60][60].Terrain = 3;
    editor->Cells[60][60].LandsTile = 4;
    EXPECT_FALSE(PickItem(editor->Cells, *editor, *editor));
    EXPECT_EQ(editor->ItemUnits, 17);
}

// The pointer sits 34 and 20 pixels past the cursor, the diamond's centre 33 and 17 past the
// anchor: the cursor offsets below put the pointer in the named corner of the diamond, where no
// later cell in scan order is hit too (that one would win, and it holds no piece).
TEST(PickItem, CoastPieceOfTheCornerUnderThePointerElseTheFirstInDrawingOrder)
{
    const struct {
        const char* name;
        std::uint8_t top, bottom, left, right;
        int dx, dy;
        int expected;
    } cases[] = {
        {"top corner", 0, 5, 10, 15, -1, -8, 0},
        {"bottom corner", 0, 5, 10, 15, -1, 8, 5},
        {"left corner", 0, 5, 10, 15, -20, -2, 10},
        {"right corner", 0, 5, 10, 15, 12, -3, 15},
        {"pointed corner empty: top first", 4, 255, 255, 7, -1, 8, 4},
        {"only the right piece", 255, 255, 255, 31, -20, -2, 31},
        {"right before left", 255, 255, 2, 31, -1, 8, 31},
        {"no piece", 255, 255, 255, 255, 12, -3, -1},
        {"values past the sheet are none", 32, 254, 200, 255, -1, -8, -1},
        {"a stray value beside a piece", 32, 9, 255, 255, -1, -8, 9},
    };
    for (const auto& c : cases) {
        auto editor = EditorOverCell();
        MapCell& cell = editor->Cells[60][60];
        cell.CornerTiles[CornerTop] = c.top;
        cell.CornerTiles[CornerBottom] = c.bottom;
        cell.CornerTiles[CornerLeft] = c.left;
        cell.CornerTiles[CornerRight] = c.right;
        editor->EditMode = QuadriMode;
        editor->ItemQuadri = 22;
        editor->CursorX = 300 + c.dx;
        editor->CursorY = 200 + c.dy;
        // The neighbours hold nothing, so a hit on one of them takes nothing either.
        EXPECT_EQ(PickItem(editor->Cells, *editor, *editor), c.expected >= 0) << c.name;
        EXPECT_EQ(editor->ItemQuadri, c.expected >= 0 ? c.expected : 22) << c.name;
    }
}

TEST(PickItem, SameCellAsALeftPressWouldPaint)
{
    // Where two cells are hit the last in scan order wins, for the pick as for the paint.
    auto editor = EditorOverCell();
    editor->CursorY = 200 - 15;  // also inside (61, 59), anchored at (300, 169)
    editor->Cells[60][60].LandsTile = 11;
    editor->Cells[61][59].LandsTile = 22;
    editor->EditMode = LandsMode;
    EXPECT_TRUE(PickItem(editor->Cells, *editor, *editor));
    EXPECT_EQ(editor->ItemLands, 22);

    // No cell under the cursor: nothing changes.
    editor->CursorX = 100000;
    EXPECT_FALSE(PickItem(editor->Cells, *editor, *editor));
    EXPECT_EQ(editor->ItemLands, 22);
}

TEST(PickItem, MiddlePressStepsTheEdgeFirstThenTakesAndChangesNoMapByte)
{
    auto editor = StartedEditor();
    editor->ScrollX = 65;
    editor->ScrollY = 0;
    editor->CursorX = -10;  // left band: the scroll becomes 130 first
    editor->CursorY = 0;
    editor->Cells[10][10].ScreenX = -140;  // under the cursor only after the step
    editor->Cells[10][10].ScreenY = 0;
    editor->Cells[10][10].TerrainTile = 33;
    editor->EditMode = TerrainMode;
    StartHistory(editor->History);
    const auto cells = editor->Cells;
    const std::uint64_t version = editor->CellsVersion;
    PressMap(*editor, MouseButton::Middle);
    EXPECT_EQ(editor->ScrollX, 130);
    EXPECT_EQ(editor->ItemTerrain, 33);
    EXPECT_EQ(editor->EditMode, TerrainMode);
    EXPECT_EQ(std::memcmp(&cells, &editor->Cells, sizeof(MapGrid)), 0);
    EXPECT_EQ(editor->CellsVersion, version) << "a pick takes no new map version";
    EXPECT_FALSE(HasUnsavedChanges(editor->History));
    EXPECT_FALSE(Undo(editor->Cells, editor->History)) << "a pick is nothing to take back";
}

// What the middle button takes, the next left press paints elsewhere, byte for byte.
TEST(PickItem, TakenItemPaintsTheSameByteElsewhere)
{
    const struct {
        int mode;
        std::size_t offset;
        std::uint8_t value;
    } cases[] = {{TerritMode, offsetof(MapCell, Terrain), 4},
                 {LandsMode, offsetof(MapCell, LandsTile), 41},
                 {TerrainMode, offsetof(MapCell, TerrainTile), 45},
                 {QuadriMode, offsetof(MapCell, CornerTiles) + 2, 14}};  // piece 14 in the left slot
    for (const auto& c : cases) {
        auto editor = EditorOverCell();
        reinterpret_cast<std::uint8_t*>(&editor->Cells[60][60])[c.offset] = c.value;
        editor->EditMode = c.mode;
        PressMap(*editor, MouseButton::Middle);
        // The cursor on the anchor of (60, 62), two cells to the lower right.
        editor->CursorX = 300 + editor->Cells[60][62].ScreenX - editor->Cells[60][60].ScreenX;
        editor->CursorY = 200 + editor->Cells[60][62].ScreenY - editor->Cells[60][60].ScreenY;
        PressMap(*editor, MouseButton::Left);
        EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(&editor->Cells[60][62])[c.offset], c.value) << "mode " << c.mode;
    }
}

}  // namespace
}  // namespace korvan
