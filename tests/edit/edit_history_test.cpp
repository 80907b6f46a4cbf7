// The record of map changes: undo and redo against a model that keeps whole grids, the unsaved
// flag across saves, undos and redos, the step limit, and presses through the brush.
#include "EditorFixture.h"
#include "edit/Brush.h"
#include "edit/EditHistory.h"
#include "edit/Input.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace korvan {
namespace {

using korvan::testing::StartedEditor;

constexpr std::uint8_t Terrain = offsetof(MapCell, Terrain);
constexpr std::uint8_t Lands = offsetof(MapCell, LandsTile);
constexpr std::uint8_t Corner = offsetof(MapCell, CornerTiles);

// 'P': press writing value into (row, col, offset); 'U' undo; 'R' redo; 'S' save; 'N' new map.
struct Op {
    char kind;
    int row = 0, col = 0;
    std::uint8_t offset = 0, value = 0;
};
Op P(int row, int col, std::uint8_t offset, std::uint8_t value) { return {'P', row, col, offset, value}; }
const Op U{'U'}, R{'R'}, S{'S'}, N{'N'};

// The expected behaviour, kept as one whole grid per state: states[current] is the map, and a
// press that changes it replaces every state after current by the new one.
struct Model {
    std::vector<MapGrid> states;
    std::size_t current = 0;
    std::ptrdiff_t saved = 0;  // -1: the saved state is no longer among the states

    void Apply(const Op& op)
    {
        switch (op.kind) {
        case 'P': {
            MapGrid next = states[current];
            std::uint8_t* bytes = reinterpret_cast<std::uint8_t*>(&next[op.row][op.col]);
            if (bytes[op.offset] == op.value)
                return;
            bytes[op.offset] = op.value;
            const std::size_t from = current;
            states.resize(from + 1);
            states.push_back(next);
            current = from + 1;
            if (saved > std::ptrdiff_t(from))
                saved = -1;
            break;
        }
        case 'U':
            current -= current > 0;
            break;
        case 'R':
            current += current + 1 < states.size();
            break;
        case 'S':
            saved = std::ptrdiff_t(current);
            break;
        case 'N':
            states = {states[current]};
            current = 0;
            saved = 0;
            break;
        }
    }
    bool Unsaved() const { return saved != std::ptrdiff_t(current); }
};

void Perform(MapGrid& cells, EditHistory& history, const Op& op)
{
    switch (op.kind) {
    case 'P':
        WriteCellByte(cells, history, op.row, op.col, op.offset, op.value);
        break;
    case 'U':
        Undo(cells, history);
        break;
    case 'R':
        Redo(cells, history);
        break;
    case 'S':
        MarkSaved(history);
        break;
    case 'N':
        StartHistory(history);
        break;
    }
}

TEST(EditHistory, SequencesMatchAModelOfWholeGrids)
{
    const struct {
        const char* name;
        std::vector<Op> ops;
        std::size_t steps;  // steps kept at the end
    } cases[] = {
        {"three presses, two undone, one redone", {P(5, 5, Terrain, 3), P(6, 5, Lands, 7), P(7, 7, Corner + 2, 6), U, U, R}, 3},
        {"undo and redo past either end change nothing", {U, R, P(1, 2, Terrain, 0), U, U, U, R, R, R}, 1},
        {"a press after undos drops the redo steps", {P(1, 1, Terrain, 1), P(1, 2, Terrain, 2), U, P(3, 3, Lands, 4), R}, 2},
        {"a press that writes the byte already there records nothing", {P(4, 4, Terrain, 9), P(4, 4, Lands, 60)}, 0},
        {"the same cell pressed twice is undone in two steps", {P(4, 4, Terrain, 1), P(4, 4, Terrain, 2), U}, 2},
        {"undoing back to the saved map makes it unchanged", {P(2, 2, Terrain, 1), S, P(2, 3, Terrain, 1), U}, 2},
        {"redoing past the saved map makes it changed", {P(2, 2, Terrain, 1), S, P(2, 3, Terrain, 1), U, R}, 2},
        {"undoing before the save makes it changed", {P(2, 2, Terrain, 1), S, U}, 1},
        {"saving keeps the steps", {P(2, 2, Terrain, 1), P(3, 2, Terrain, 1), S, U, U}, 2},
        {"the saved map gone with the redo steps stays changed", {P(2, 2, Terrain, 1), S, U, P(9, 9, Lands, 3), U}, 1},
        {"a new map starts an empty record", {P(2, 2, Terrain, 1), P(2, 3, Terrain, 1), N, U, U}, 0},
        {"a press after a new map", {P(2, 2, Terrain, 1), N, P(2, 3, Terrain, 1), U, R}, 1},
        {"corner slots are separate bytes", {P(8, 8, Corner + 0, 4), P(8, 8, Corner + 3, 7), U, P(8, 8, Corner + 1, 5)}, 2},
    };
    for (const auto& test : cases) {
        auto editor = StartedEditor();
        StartHistory(editor->History);
        Model model{{editor->Map.Cells}};
        for (std::size_t i = 0; i < test.ops.size(); ++i) {
            Perform(editor->Map.Cells, editor->History, test.ops[i]);
            model.Apply(test.ops[i]);
            ASSERT_EQ(std::memcmp(&editor->Map.Cells, &model.states[model.current], sizeof(MapGrid)), 0)
                << test.name << ", after step " << i;
            ASSERT_EQ(HasUnsavedChanges(editor->History), model.Unsaved()) << test.name << ", after step " << i;
        }
        EXPECT_EQ(editor->History.Steps.size(), test.steps) << test.name;
    }
}

TEST(EditHistory, KeepsTheLastTenThousandSteps)
{
    auto editor = StartedEditor();
    StartHistory(editor->History);
    const MapGrid start = editor->Map.Cells;
    // 10,001 presses, each changing a byte: the first one can no longer be undone.
    for (int i = 0; i <= int(HistoryLimit); ++i)
        ASSERT_TRUE(WriteCellByte(editor->Map.Cells, editor->History, i % MapSize, (i / MapSize) % MapSize, Terrain,
                                  std::uint8_t(i / CellCount)));
    EXPECT_EQ(editor->History.Steps.size(), HistoryLimit);
    int undone = 0;
    while (Undo(editor->Map.Cells, editor->History))
        ++undone;
    EXPECT_EQ(undone, int(HistoryLimit));
    EXPECT_EQ(editor->Map.Cells[0][0].Terrain, 0) << "the oldest press stays";
    MapGrid expected = start;
    expected[0][0].Terrain = 0;
    EXPECT_EQ(std::memcmp(&editor->Map.Cells, &expected, sizeof(MapGrid)), 0);
    EXPECT_TRUE(HasUnsavedChanges(editor->History)) << "the generated map is out of reach";
}

TEST(EditHistory, TenThousandStepsCostLessThanAMegabyte)
{
    auto editor = StartedEditor();
    StartHistory(editor->History);
    const std::size_t before = mallinfo2().uordblks;
    for (int i = 0; i < int(HistoryLimit); ++i)
        WriteCellByte(editor->Map.Cells, editor->History, i % MapSize, (i / MapSize) % MapSize, Terrain, 3);
    const std::size_t used = mallinfo2().uordblks - before;
    std::printf("10,000 steps hold %zu bytes (%zu bytes per step)\n", used, used / HistoryLimit);
    EXPECT_EQ(editor->History.Steps.size(), HistoryLimit);
    EXPECT_LT(used, 1u << 20);
}

TEST(EditHistory, BrushPressesAreRecordedOnlyWhenTheyChangeTheMap)
{
    const struct {
        int mode, item;
        std::uint8_t offset;  // the byte the press writes
    } presses[] = {{0, 4, Terrain}, {1, 12, Lands}, {2, 30, offsetof(MapCell, TerrainTile)}, {4, 6, Corner + 2},
                   {4, 13, Corner + 1}};
    for (const auto& press : presses) {
        auto editor = StartedEditor();
        StartHistory(editor->History);
        // The cursor on cell (5, 5)'s scrolled anchor, which no other cell's square holds.
        editor->Canvas.CursorX = editor->Map.Cells[5][5].ScreenX + editor->Canvas.ScrollX;
        editor->Canvas.CursorY = editor->Map.Cells[5][5].ScreenY + editor->Canvas.ScrollY;
        editor->Brush.EditMode = press.mode;
        ItemOfMode(editor->Brush, press.mode) = press.item;
        const MapGrid before = editor->Map.Cells;
        PressMap(*editor, MouseButton::Left);
        ASSERT_EQ(editor->History.Steps.size(), 1u) << "mode " << press.mode;
        const CellChange change = editor->History.Steps.back();
        EXPECT_EQ(change.Cell, 5 * MapSize + 5);
        EXPECT_EQ(change.Offset, press.offset);
        EXPECT_EQ(change.After, press.item);
        EXPECT_EQ(change.Before, reinterpret_cast<const std::uint8_t*>(&before[5][5])[press.offset]);
        EXPECT_TRUE(HasUnsavedChanges(editor->History));
        PressMap(*editor, MouseButton::Left);  // the same item again changes nothing
        EXPECT_EQ(editor->History.Steps.size(), 1u) << "mode " << press.mode;
        ASSERT_TRUE(Undo(editor->Map.Cells, editor->History));
        EXPECT_EQ(std::memcmp(&editor->Map.Cells, &before, sizeof(MapGrid)), 0) << "mode " << press.mode;
        EXPECT_FALSE(HasUnsavedChanges(editor->History));
    }
    auto editor = StartedEditor();  // units have no layer: nothing to record
    StartHistory(editor->History);
    editor->Canvas.CursorX = editor->Map.Cells[5][5].ScreenX + editor->Canvas.ScrollX;
    editor->Canvas.CursorY = editor->Map.Cells[5][5].ScreenY + editor->Canvas.ScrollY;
    editor->Brush.ItemUnits = 5;
    PressMap(*editor, MouseButton::Left);
    PressMap(*editor, MouseButton::Right);
    EXPECT_TRUE(editor->History.Steps.empty());
    EXPECT_FALSE(HasUnsavedChanges(editor->History));
}

}  // namespace
}  // namespace korvan
