// The real ground tiles cover the view without gaps, for every terrain type.
#include "RenderFixtures.h"

#include "edit/Frame.h"
#include "render/MapView.h"

#include <gtest/gtest.h>

namespace {

using namespace korvan;
using namespace korvan::testing;

TEST(GaplessArt, OneTerrainEverywhereLeavesNoBackgroundInTheView)
{
    auto e = MakeEditor();
    LoadSheet(e->Canvas, KORVAN_RUN_DIR "/Graphic/Territ.BMP", TerritSheet);
    for (int terrain = 0; terrain <= SeaTerrain; ++terrain) {
        for (auto& row : e->Map.Cells)
            for (auto& cell : row)
                cell.Terrain = std::uint8_t(terrain);
        e->Canvas.ScrollX = -3000;
        e->Canvas.ScrollY = 0;
        e->Canvas.CursorX = 300;
        e->Canvas.CursorY = 200;
        e->Brush.EditMode = 5;
        FrameTick(*e);
        int gaps = 0, firstX = -1, firstY = -1;
        for (int y = 0; y <= 461; ++y)
            for (int x = 0; x < 640; ++x)
                if (e->Canvas.BackBuffer.Pixels[std::size_t(y) * 640 + x] == 0 && gaps++ == 0) {
                    firstX = x;
                    firstY = y;
                }
        EXPECT_EQ(gaps, 0) << "terrain " << terrain << ", first gap at (" << firstX << ", " << firstY << ")";
    }
}

}  // namespace
