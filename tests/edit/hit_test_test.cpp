#include "EditorFixture.h"
#include "edit/HitTest.h"

#include <gtest/gtest.h>

#include <climits>

namespace korvan {
namespace {

using korvan::testing::StartedEditor;

CellHit Pick(const Editor& editor) { return PickCell(editor.Map.Cells, editor.Canvas, 0, 0, 120, 120); }

// Puts the scrolled anchor of (row, col) at (x, y) by choosing the scroll.
void AnchorAt(Editor& editor, int row, int col, int x, int y)
{
    editor.Canvas.ScrollX = x - editor.Map.Cells[row][col].ScreenX;
    editor.Canvas.ScrollY = y - editor.Map.Cells[row][col].ScreenY;
}

TEST(PickCell, SquareOfFortyOnePixelsAroundTheAnchor)
{
    auto editor = StartedEditor();
    AnchorAt(*editor, 60, 60, 300, 200);
    // Only (60, 60) keeps an anchor near the view, so any hit is a hit on it.
    for (auto& row : editor->Map.Cells)
        for (auto& cell : row)
            if (&cell != &editor->Map.Cells[60][60])
                cell.ScreenX = 100000;
    const struct {
        int dx, dy;
        bool hit;
    } cases[] = {{0, 0, true},    {20, -20, true}, {-20, 20, true},  {20, 20, true},
                 {21, 0, false},  {0, 21, false},  {-21, 0, false},  {0, -21, false}};
    for (const auto& c : cases) {
        editor->Canvas.CursorX = 300 + c.dx;
        editor->Canvas.CursorY = 200 + c.dy;
        const CellHit hit = Pick(*editor);
        if (c.hit) {
            EXPECT_EQ(hit.Row, 60) << c.dx << "," << c.dy;
            EXPECT_EQ(hit.Col, 60) << c.dx << "," << c.dy;
        } else {
            EXPECT_FALSE(hit.Row == 60 && hit.Col == 60) << c.dx << "," << c.dy;
        }
    }
}

TEST(PickCell, LastHitInScanOrderWins)
{
    auto editor = StartedEditor();
    AnchorAt(*editor, 60, 60, 300, 200);
    editor->Canvas.CursorX = 300;
    editor->Canvas.CursorY = 200 - 15;  // also inside (61, 59), anchored at (300, 169)
    CellHit hit = Pick(*editor);
    EXPECT_EQ(hit.Row, 61);
    EXPECT_EQ(hit.Col, 59);

    editor->Canvas.CursorX = 300 + 16;
    editor->Canvas.CursorY = 200 + 8;  // also inside (60, 61), anchored at (333, 216)
    hit = Pick(*editor);
    EXPECT_EQ(hit.Row, 60);
    EXPECT_EQ(hit.Col, 61);
}

TEST(PickCell, OnlyCellsThatAreDrawnCanBeHit)
{
    auto editor = StartedEditor();
    const struct {
        int x, y;
        bool hit;
    } cases[] = {{-65, 200, false}, {639, 200, false}, {300, -35, false}, {300, 461, false},
                 {-64, 200, true},  {638, 200, true},  {300, -34, true},  {300, 460, true}};
    for (const auto& c : cases) {
        // One lone cell with a far-away stored anchor, the rest of the map out of the view.
        for (auto& row : editor->Map.Cells)
            for (auto& cell : row)
                cell.ScreenX = cell.ScreenY = -100000;
        editor->Canvas.ScrollX = 0;
        editor->Canvas.ScrollY = 0;
        editor->Map.Cells[5][7].ScreenX = c.x;
        editor->Map.Cells[5][7].ScreenY = c.y;
        editor->Canvas.CursorX = c.x;
        editor->Canvas.CursorY = c.y;
        const CellHit hit = Pick(*editor);
        EXPECT_EQ(hit.Row, c.hit ? 5 : -1) << c.x << "," << c.y;
        EXPECT_EQ(hit.Col, c.hit ? 7 : -1) << c.x << "," << c.y;
    }
}

TEST(PickCell, UsesStoredAnchorsAndSurvivesExtremeOnes)
{
    auto editor = StartedEditor();
    for (auto& row : editor->Map.Cells)
        for (auto& cell : row) {
            cell.ScreenX = INT_MAX;
            cell.ScreenY = INT_MIN;
        }
    editor->Canvas.ScrollX = INT_MAX;
    editor->Canvas.ScrollY = INT_MIN;
    editor->Canvas.CursorX = INT_MIN + 5;
    editor->Canvas.CursorY = INT_MAX;
    EXPECT_EQ(Pick(*editor).Row, -1);

    editor->Canvas.ScrollY = INT_MIN + 1000;
    editor->Map.Cells[120][3].ScreenX = 100 - INT_MAX;  // plus the scroll: exactly (100, 50)
    editor->Map.Cells[120][3].ScreenY = 50 - (INT_MIN + 1000);
    editor->Canvas.CursorX = 100;
    editor->Canvas.CursorY = 50;
    const CellHit hit = Pick(*editor);
    EXPECT_EQ(hit.Row, 120);
    EXPECT_EQ(hit.Col, 3);
}

}  // namespace
}  // namespace korvan
