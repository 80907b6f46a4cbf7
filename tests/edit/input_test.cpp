#include "EditorFixture.h"
#include "edit/Brush.h"
#include "edit/Input.h"
#include "render/MapView.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvan {
namespace {

using korvan::testing::StartedEditor;

TEST(Input, PointerOffsetsDifferForImageAndWindow)
{
    auto editor = StartedEditor();
    PointerOverImage(editor->Canvas, 100, 50);
    EXPECT_EQ(editor->Canvas.CursorX, 66);
    EXPECT_EQ(editor->Canvas.CursorY, 30);
    PointerOverWindow(editor->Canvas, 100, 50);
    EXPECT_EQ(editor->Canvas.CursorX, 80);
    EXPECT_EQ(editor->Canvas.CursorY, 30);
}

TEST(Input, KeysStepTheirOwnItemWhateverTheMode)
{
    auto editor = StartedEditor();
    KeyDown(editor->Brush, 49);
    EXPECT_EQ(editor->Brush.ItemTerrit, 1);
    EXPECT_EQ(editor->Brush.EditMode, 3) << "a digit key never changes the mode";

    editor->Brush.ItemLands = 59;
    KeyDown(editor->Brush, 50);
    EXPECT_EQ(editor->Brush.ItemLands, 0);

    const struct {
        int key;
        std::int32_t BrushState::*item;
        int limit;
    } items[] = {{49, &BrushState::ItemTerrit, 9}, {50, &BrushState::ItemLands, 59}, {51, &BrushState::ItemTerrain, 47},
                 {52, &BrushState::ItemUnits, 53}, {53, &BrushState::ItemQuadri, 31}};
    for (const auto& item : items) {
        editor->Brush.*item.item = 0;
        for (int i = 1; i <= item.limit; ++i) {
            KeyDown(editor->Brush, item.key);
            ASSERT_EQ(editor->Brush.*item.item, i) << item.key;
        }
        KeyDown(editor->Brush, item.key);
        EXPECT_EQ(editor->Brush.*item.item, 0) << item.key << " wraps after its limit";
    }
}

TEST(Input, BackslashCyclesTheModeAndOtherKeysDoNothing)
{
    auto editor = StartedEditor();
    for (int i = 0; i < 5; ++i)
        KeyDown(editor->Brush, 220);
    EXPECT_EQ(editor->Brush.EditMode, 3);
    editor->Brush.EditMode = 4;
    KeyDown(editor->Brush, 220);
    EXPECT_EQ(editor->Brush.EditMode, 0);

    const auto before = *editor;
    for (int key : {0, 48, 54, 97, 98, 219, 221, 65535})  // 97, 98: keypad 1 and 2
        KeyDown(editor->Brush, key);
    EXPECT_EQ(std::memcmp(&before.Map.Cells, &editor->Map.Cells, sizeof(MapGrid)), 0);
    EXPECT_EQ(editor->Brush.EditMode, 0);
    EXPECT_EQ(editor->Brush.ItemTerrit + editor->Brush.ItemLands + editor->Brush.ItemTerrain + editor->Brush.ItemUnits + editor->Brush.ItemQuadri, 0);
}

TEST(Input, RightPressStepsOnlyTheCurrentModesItem)
{
    auto editor = StartedEditor();
    editor->Canvas.CursorX = 300;
    editor->Canvas.CursorY = 200;
    editor->Brush.EditMode = 1;
    editor->Brush.ItemLands = 59;
    PressMap(*editor, MouseButton::Right);
    EXPECT_EQ(editor->Brush.ItemLands, 0);
    editor->Brush.EditMode = 3;
    PressMap(*editor, MouseButton::Right);
    EXPECT_EQ(editor->Brush.ItemUnits, 1);
    EXPECT_EQ(editor->Brush.ItemTerrit, 0);
}

// Cell (0, 0) is anchored at the scroll; the cursor on it picks it (nothing else is that close).
TEST(Input, LeftPressPaintsOneByteByMode)
{
    const struct {
        int mode;
        int item;
        MapCell expected;
    } cases[] = {
        {0, 4, {0, 0, 1, 4, 60, 48, {255, 255, 255, 255}}},
        {1, 59, {0, 0, 1, 9, 59, 48, {255, 255, 255, 255}}},
        {2, 47, {0, 0, 1, 9, 60, 47, {255, 255, 255, 255}}},
        {3, 53, {0, 0, 1, 9, 60, 48, {255, 255, 255, 255}}},
        {4, 6, {0, 0, 1, 9, 60, 48, {255, 255, 6, 255}}},
        {4, 13, {0, 0, 1, 9, 60, 48, {255, 13, 255, 255}}},
    };
    for (const auto& c : cases) {
        auto editor = StartedEditor();
        editor->Canvas.ScrollX = 200;
        editor->Canvas.ScrollY = 200;
        editor->Canvas.CursorX = 200;
        editor->Canvas.CursorY = 200;
        editor->Brush.EditMode = c.mode;
        editor->Brush.ItemTerrit = editor->Brush.ItemLands = editor->Brush.ItemTerrain = editor->Brush.ItemUnits = editor->Brush.ItemQuadri = c.item;
        const auto before = *editor;
        PressMap(*editor, MouseButton::Left);
        EXPECT_EQ(std::memcmp(&editor->Map.Cells[0][0], &c.expected, sizeof(MapCell)), 0) << "mode " << c.mode;
        editor->Map.Cells[0][0] = before.Map.Cells[0][0];
        EXPECT_EQ(std::memcmp(&before.Map.Cells, &editor->Map.Cells, sizeof(MapGrid)), 0) << "only one cell changes";
        EXPECT_EQ(editor->Brush.EditMode, c.mode);
    }
}

TEST(Input, LeftPressOnNothingChangesNothing)
{
    auto editor = StartedEditor();
    editor->Canvas.CursorX = 300;
    editor->Canvas.CursorY = 5000;
    editor->Brush.EditMode = 0;
    const auto before = *editor;
    PressMap(*editor, MouseButton::Left);
    EXPECT_EQ(std::memcmp(&before.Map.Cells, &editor->Map.Cells, sizeof(MapGrid)), 0);
}

TEST(Input, PressTakesOneEdgeStepOfItsOwnBandsWithoutClamp)
{
    const struct {
        int x, y;
        int dx, dy;
    } cases[] = {
        {-1, 200, 65, 0},   {0, 200, 0, 0},    {579, 200, 0, 0},  {580, 200, -65, 0}, {300, 411, 0, 0},
        {300, 412, 0, -33}, {300, -1, 0, 33},  {300, -31, 0, 33}, {300, -32, 0, 0},   {300, 0, 0, 0},
        {300, 15, 0, 0},    {-5, -5, 65, 0},   {600, 450, -65, 0},
    };
    for (const auto& c : cases) {
        for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
            auto editor = StartedEditor();
            editor->Canvas.ScrollX = 65;  // at its upper limit: the press still steps past it
            editor->Canvas.ScrollY = 0;
            editor->Canvas.CursorX = c.x;
            editor->Canvas.CursorY = c.y;
            PressMap(*editor, button);
            EXPECT_EQ(editor->Canvas.ScrollX, 65 + c.dx) << c.x << "," << c.y;
            EXPECT_EQ(editor->Canvas.ScrollY, c.dy) << c.x << "," << c.y;
        }
    }
}

// Until a pointer position over the view has been reported, the cursor's start value scrolls
// nothing, in the frame tick or on a press; the first report, over the picture or over the window,
// starts the bands as usual, and they go on acting on the last position after the pointer left.
TEST(Input, NoEdgeScrollBeforeThePointerIsKnown)
{
    enum class Report { None, Image, Window };
    const struct {
        const char* name;
        Report report;
        int x, y;          // the cursor (no report) or the pointer position reported
        int tickDx, tickDy;  // each frame tick's step
        int pressDx;       // each press's own step
    } cases[] = {
        {"start value (0, 0), in the top band", Report::None, 0, 0, 0, 0, 0},
        {"a start value in the left band", Report::None, -5, 200, 0, 0, 0},
        {"pointer reported at the view's top edge", Report::Image, 100, 20, 0, 33, 0},
        {"pointer reported over the window, left band", Report::Window, 10, 200, 65, 0, 65},
        {"pointer reported away from every band", Report::Image, 300, 200, 0, 0, 0},
    };
    for (const auto& c : cases) {
        auto editor = StartedEditor();
        AwaitPointer(editor->Canvas);
        editor->Canvas.ScrollX = -800;
        editor->Canvas.ScrollY = 0;
        if (c.report == Report::None) {
            editor->Canvas.CursorX = c.x;
            editor->Canvas.CursorY = c.y;
        } else if (c.report == Report::Image) {
            PointerOverImage(editor->Canvas, c.x, c.y);
        } else {
            PointerOverWindow(editor->Canvas, c.x, c.y);
        }
        for (int tick = 0; tick < 3; ++tick)  // no further report: the pointer stays, or has left
            EdgeScroll(editor->Canvas);
        EXPECT_EQ(editor->Canvas.ScrollX, -800 + 3 * c.tickDx) << c.name;
        EXPECT_EQ(editor->Canvas.ScrollY, 3 * c.tickDy) << c.name;
        for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle})
            PressMap(*editor, button);
        EXPECT_EQ(editor->Canvas.ScrollX, -800 + 3 * c.tickDx + 3 * c.pressDx) << c.name;
        EXPECT_EQ(editor->Canvas.ScrollY, 3 * c.tickDy) << c.name;
    }
}

TEST(Input, PressPicksAgainstTheSteppedScroll)
{
    auto editor = StartedEditor();
    editor->Canvas.ScrollX = 65;
    editor->Canvas.ScrollY = 0;
    editor->Canvas.CursorX = -10;  // left band: the scroll becomes 130 first
    editor->Canvas.CursorY = 0;
    editor->Brush.EditMode = 0;
    editor->Brush.ItemTerrit = 2;
    // (0, 0) sits at (130, 0) after the step: too far. Put a cell's stored anchor under the cursor.
    editor->Map.Cells[10][10].ScreenX = -140;
    editor->Map.Cells[10][10].ScreenY = 0;
    PressMap(*editor, MouseButton::Left);
    EXPECT_EQ(editor->Canvas.ScrollX, 130);
    EXPECT_EQ(editor->Map.Cells[10][10].Terrain, 2);
}

TEST(Brush, ResetAfterNewMap)
{
    auto editor = StartedEditor();
    editor->Canvas.FirstRow = 7;
    editor->Brush.EditMode = 1;
    ResetBrushAfterNewMap(editor->Canvas, editor->Brush);
    EXPECT_EQ(editor->Canvas.FirstRow, 0);
    EXPECT_EQ(editor->Canvas.FirstCol, 0);
    EXPECT_EQ(editor->Brush.EditMode, 3);
}

}  // namespace
}  // namespace korvan
