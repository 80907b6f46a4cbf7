// The blitters' window geometry, clipping, transparency, shimmer and sheet bounds.
#include "EveryBlitter.h"
#include "RenderFixtures.h"

#include "render/Blitters.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace korvan;
using namespace korvan::testing;

std::uint8_t Pixel(const Editor& e, int x, int y) { return e.Canvas.BackBuffer.Pixels[std::size_t(y) * 640 + x]; }

int CountWritten(const Editor& e)
{
    int count = 0;
    for (auto v : e.Canvas.BackBuffer.Pixels)
        count += v != 0;
    return count;
}

// A sheet whose pixel in column x is 100 + x mod 100: opaque, no water, tells which column it came from.
IndexedImage ColumnCoded(int slot)
{
    return SheetOf(MinimumWidth[slot], MinimumHeight[slot], [](int x, int) { return std::uint8_t(100 + x % 100); });
}

class Blitters : public EveryBlitter {};
KORVAN_ON_EVERY_BLITTER(Blitters);

TEST_P(Blitters, WindowEdgesAtTheLeftOfTheView)
{
    struct Case {
        const char* name;
        int slot;
        int x;
        std::vector<int> expectedColumns;  // window columns that land in view column 0, 1, ...
    };
    const Case cases[] = {
        {"Terrain at -64 writes only its column 64", TerrainSheet, -64, {64}},
        {"Terrain at -65 writes nothing", TerrainSheet, -65, {}},
        {"Territ at -65 still writes its column 65", TerritSheet, -65, {65}},
        {"Territ at -66 writes nothing", TerritSheet, -66, {}},
        {"Quadri at -33 writes its column 33", QuadriSheet, -33, {33}},
        {"Units at -64 writes its column 64", UnitsSheet, -64, {64}},
    };
    for (const Case& c : cases) {
        auto e = MakeEditor();
        SetSheet(e->Canvas, c.slot, ColumnCoded(c.slot));
        BlitWindow(e->Canvas, c.slot, c.x, 10, 0, 0);
        for (std::size_t k = 0; k < c.expectedColumns.size(); ++k)
            EXPECT_EQ(Pixel(*e, int(k), 10), 100 + c.expectedColumns[k]) << c.name;
        EXPECT_EQ(Pixel(*e, int(c.expectedColumns.size()), 10), 0) << c.name;
    }
}

TEST_P(Blitters, ClipRectangleIsInclusive)
{
    auto e = MakeEditor();
    SetSheet(e->Canvas, UnitsSheet, SolidSheet(UnitsSheet, 7));
    BlitUnits(e->Canvas, 639, 461 - 48, 0, 0);   // bottom-right pixel of the view
    EXPECT_EQ(Pixel(*e, 639, 461), 7);
    EXPECT_EQ(CountWritten(*e), 49);      // one column, 49 rows ending at 461
    BlitUnits(e->Canvas, 300, 462 - 0, 0, 0);    // lands wholly in the rows below the view
    BlitUnits(e->Canvas, 300, -49, 0, 0);        // ends at row -1
    EXPECT_EQ(CountWritten(*e), 49);
    BlitUnits(e->Canvas, 300, 461, 0, 0);        // only its first row is inside
    EXPECT_EQ(CountWritten(*e), 49 + 65);
    for (int y = 462; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(Pixel(*e, x, y), 0);
}

TEST_P(Blitters, TransparentIndicesAreSkippedAndOthersCopiedAsTheyAre)
{
    // One sheet row holding every index in turn; the non-shimmering Terrain blitter copies it.
    for (int first = 0; first < 256; first += 65) {
        auto e = MakeEditor();
        SetSheet(e->Canvas, TerrainSheet, SheetOf(520, 199, [first](int x, int) { return std::uint8_t((first + x) % 256); }));
        e->Canvas.BackBuffer.Pixels.assign(e->Canvas.BackBuffer.Pixels.size(), 5);
        BlitTerrain(e->Canvas, 0, 0, 0, 0);
        for (int j = 0; j < 65 && first + j < 256; ++j) {
            const int v = first + j;
            const bool transparent = v == 0 || v >= 240;
            EXPECT_EQ(Pixel(*e, j, 0), transparent ? 5 : v) << "index " << v;
        }
        EXPECT_EQ(e->Canvas.ShimmerOffset, 0);
        EXPECT_EQ(e->Canvas.ShimmerRising, 1);
    }
}

TEST_P(Blitters, ShimmerOffsetsFollowTheCycleOnOpaquePixelsOnly)
{
    // Row 0 of Territ tile 0: water 65, then transparent pixels, then more water, then 64 and 79.
    const std::vector<std::uint8_t> row = {65, 0, 65, 245, 65, 65, 65, 65, 78, 64, 78, 79, 65};
    auto e = MakeEditor();
    SetSheet(e->Canvas, TerritSheet, SheetOf(66, 331, [&row](int x, int y) {
                 return y == 0 && x < int(row.size()) ? row[std::size_t(x)] : std::uint8_t(0);
             }));
    BlitTerrit(e->Canvas, 0, 0, 0);
    // Opaque pixels get offsets 1, 2, 3, 2, 1, 0, 1, 2, 3, 2, 1 in turn; 64 and 79 do not move but count.
    const std::vector<int> expected = {66, 0, 67, 0, 68, 67, 66, 65, 79, 64, 81, 79, 66};
    for (std::size_t j = 0; j < row.size(); ++j)
        EXPECT_EQ(Pixel(*e, int(j), 0), expected[j]) << "column " << j;
    EXPECT_EQ(e->Canvas.ShimmerOffset, 1);
    EXPECT_EQ(e->Canvas.ShimmerRising, 0);
}

TEST_P(Blitters, ClippedPixelsAndNonShimmeringBlittersLeaveTheShimmerAlone)
{
    auto e = MakeEditor();
    for (int slot : {UnitsSheet, TerritSheet, LandsSheet, TerrainSheet, QuadriSheet})
        SetSheet(e->Canvas, slot, SolidSheet(slot, 70));
    BlitTerrain(e->Canvas, 0, 0, 0, 0);
    BlitUnits(e->Canvas, 0, 0, 0, 0);
    BlitTerrit(e->Canvas, -66, 0, 0);      // wholly left of the view
    BlitLands(e->Canvas, 640, 0, 0, 0);    // wholly right of it
    BlitQuadri(e->Canvas, 0, 462, 0, 0);   // wholly below it
    EXPECT_EQ(e->Canvas.ShimmerOffset, 0);
    EXPECT_EQ(e->Canvas.ShimmerRising, 1);
    BlitQuadri(e->Canvas, -33, 0, 0, 0);   // one column of 18 rows inside: 18 steps, 18 mod 6 = 0
    EXPECT_EQ(e->Canvas.ShimmerOffset, 0);
    EXPECT_EQ(e->Canvas.ShimmerRising, 1);
    BlitQuadri(e->Canvas, 0, 461, 0, 0);   // 34 pixels of one row: phase 4
    EXPECT_EQ(e->Canvas.ShimmerOffset, 2);
    EXPECT_EQ(e->Canvas.ShimmerRising, 0);
}

TEST_P(Blitters, EachBlitterReadsItsTileWindow)
{
    struct Case {
        const char* name;
        int slot;
        int column, row;
        int left, top, right, bottom;  // the sheet pixels the window must read, inclusive
    };
    const Case cases[] = {
        {"Territ 9 (sea)", TerritSheet, 0, 9, 0, 297, 65, 330},
        {"Lands 59", LandsSheet, 6, 5, 390, 165, 454, 198},
        {"Quadri 31", QuadriSheet, 15, 1, 495, 17, 528, 34},
        {"Terrain 47", TerrainSheet, 7, 5, 455, 165, 519, 198},
        {"Units 53", UnitsSheet, 8, 5, 520, 245, 584, 293},
    };
    for (const Case& c : cases) {
        auto e = MakeEditor();
        SetSheet(e->Canvas, c.slot, SheetOf(MinimumWidth[c.slot], MinimumHeight[c.slot], [&c](int x, int y) {
                     const bool inside = x >= c.left && x <= c.right && y >= c.top && y <= c.bottom;
                     return std::uint8_t(inside ? 200 : 30);
                 }));
        BlitWindow(e->Canvas, c.slot, 100, 100, c.column, c.row);
        const int width = c.right - c.left + 1, height = c.bottom - c.top + 1;
        EXPECT_EQ(CountWritten(*e), width * height) << c.name;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(Pixel(*e, 100 + x, 100 + y), 200) << c.name << " at " << x << "," << y;
    }
}

TEST_P(Blitters, VerticalNeighboursShareOneSheetRow)
{
    auto e = MakeEditor();
    SetSheet(e->Canvas, LandsSheet, SheetOf(455, 298, [](int, int y) { return std::uint8_t(y == 33 ? 150 : 0); }));
    BlitLands(e->Canvas, 0, 0, 0, 0);
    BlitLands(e->Canvas, 100, 100, 0, 1);
    EXPECT_EQ(Pixel(*e, 0, 33), 150);   // last row of tile row 0
    EXPECT_EQ(Pixel(*e, 100, 100), 150);  // first row of tile row 1
}

TEST_P(Blitters, RowsPastTheSheetRaiseAfterTheRowsBeforeAreDrawn)
{
    struct Case {
        const char* name;
        int y;
        int sheetHeight;
        bool raises;
        int rowsDrawn;
    };
    const Case cases[] = {
        {"three rows of tile 9, then the error", 0, 300, true, 3},
        {"clipped rows are not read", -5, 300, true, 0},
        {"a sheet of exactly the minimum", 0, 331, false, 34},
        {"a sheet one row short", 0, 330, true, 33},
        {"below the view nothing is read", 462, 10, false, 0},
        {"an empty sheet raises at the first row inside", -33, 0, true, 0},
    };
    for (const Case& c : cases) {
        auto e = MakeEditor();
        SetSheet(e->Canvas, TerritSheet, SheetOf(66, c.sheetHeight, [](int, int) { return std::uint8_t(70); }));
        bool raised = false;
        try {
            BlitTerrit(e->Canvas, 0, c.y, 9);
        } catch (const ScanLineError& error) {
            raised = true;
            EXPECT_STREQ(error.what(), "Scan line index out of range");
        }
        EXPECT_EQ(raised, c.raises) << c.name;
        EXPECT_EQ(CountWritten(*e), 66 * c.rowsDrawn) << c.name;
        // The shimmer stepped once for every pixel drawn: 66 per row, a multiple of 6.
        EXPECT_EQ(e->Canvas.ShimmerOffset, 0) << c.name;
    }
}

TEST_P(Blitters, ColumnsPastANarrowSheetAreTransparent)
{
    auto e = MakeEditor();
    SetSheet(e->Canvas, LandsSheet, SheetOf(400, 298, [](int, int) { return std::uint8_t(120); }));
    BlitLands(e->Canvas, 0, 0, 6, 5);  // sheet columns 390..454, of which 390..399 exist
    EXPECT_EQ(CountWritten(*e), 10 * 34);
    EXPECT_EQ(Pixel(*e, 9, 0), 120);
    EXPECT_EQ(Pixel(*e, 10, 0), 0);
}

TEST_P(Blitters, ExtremePositionsDoNotOverflow)
{
    auto e = MakeEditor();
    SetSheet(e->Canvas, UnitsSheet, SolidSheet(UnitsSheet, 9));
    for (std::int32_t x : {INT32_MIN, INT32_MAX, INT32_MAX - 30})
        for (std::int32_t y : {INT32_MIN, INT32_MAX, 0})
            BlitUnits(e->Canvas, x, y, 0, 0);
    EXPECT_EQ(CountWritten(*e), 0);
}

}  // namespace
