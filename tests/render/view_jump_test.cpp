// The "Centra Mappa" jumps with the generated artwork: each one shows the map, not the black
// outside its diamond, and the frame's clamps leave it where it is.
#include "RenderFixtures.h"

#include "base/AssetLookup.h"
#include "edit/NewMap.h"
#include "render/ArtworkSetup.h"
#include "render/MapView.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace korvan;

TEST(ViewJump, EveryJumpShowsTheMapOnAtLeastFortyPercentOfTheView)
{
    const struct {
        ViewJump jump;
        const char* name;
        ScrollPosition scroll;
    } jumps[] = {{ViewJump::TopLeft, "Angolo Alto Sinistro", {-1692, 1115}},
                 {ViewJump::TopRight, "Angolo Alto Destro", {-5652, 1055}},
                 {ViewJump::BottomLeft, "Angolo Basso Sinistro", {-1692, -745}},
                 {ViewJump::BottomRight, "Angolo Basso Destro", {-5652, -805}},
                 {ViewJump::Centre, "Zona Centrale", {-800, 0}}};
    auto editor = korvan::testing::MakeEditor();
    SetUpArtwork(editor->Canvas, [](const std::string& name) { return ResolveAsset(name, KORVAN_RUN_DIR); });
    for (std::uint32_t seed : {1u, 20261208u}) {
        editor->Rng.State = seed;
        GenerateMap(*editor);
        for (const auto& jump : jumps) {
            JumpView(editor->Canvas, jump.jump);
            EXPECT_EQ(editor->Canvas.ScrollX, jump.scroll.X) << jump.name;
            EXPECT_EQ(editor->Canvas.ScrollY, jump.scroll.Y) << jump.name;
            ClampScroll(editor->Canvas);
            EXPECT_EQ(editor->Canvas.ScrollX, jump.scroll.X) << jump.name << " is inside the scroll range";
            EXPECT_EQ(editor->Canvas.ScrollY, jump.scroll.Y) << jump.name << " is inside the scroll range";
            ClearBackBuffer(editor->Canvas);
            RenderMap(editor->Canvas, editor->Map.Cells, 0, 0, 120, 120);
            int mapPixels = 0;
            for (int y = 0; y <= 461; ++y)
                for (int x = 0; x < 640; ++x)
                    mapPixels += editor->Canvas.BackBuffer.Pixels[std::size_t(y) * 640 + std::size_t(x)] != 0;
            const double share = mapPixels / (640.0 * 462.0);
            EXPECT_GE(share, 0.40) << jump.name << " (seed " << seed << ")";
            if (jump.jump != ViewJump::Centre) {
                EXPECT_LE(share, 0.75) << jump.name << " shows the diamond's edge, with black beyond it";
            }
        }
    }
}

}  // namespace
