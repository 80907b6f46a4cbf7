// korvan-map frame and overview: the editor's frame and the whole map, written as pictures.
#include "TempFolder.h"

#include "base/AssetLookup.h"
#include "edit/Editor.h"
#include "edit/Frame.h"
#include "map/MapFile.h"
#include "render/ArtworkSetup.h"
#include "render/BmpFile.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <memory>
#include <string>

namespace {

using namespace korvan;
using korvan::testing::TempFolder;

int RunTool(const std::string& arguments)
{
    const std::string command = std::string(KORVAN_MAP_TOOL) + " " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const std::string Assets = " --assets " KORVAN_RUN_DIR;

// The same frame drawn in this process through the core.
IndexedImage ExpectedFrame(const std::string& map, std::int32_t scrollX, std::int32_t scrollY, std::int32_t cursorX,
                           std::int32_t cursorY, int mode, int item, int frames)
{
    auto editor = std::make_unique<Editor>();
    LoadMap(editor->Map.Cells, map);
    SetUpArtwork(editor->Canvas, [](const std::string& name) { return ResolveAsset(name, KORVAN_RUN_DIR); });
    editor->Canvas.ScrollX = scrollX;
    editor->Canvas.ScrollY = scrollY;
    editor->Canvas.CursorX = cursorX;
    editor->Canvas.CursorY = cursorY;
    editor->Brush.EditMode = mode;
    editor->Brush.ItemLands = item;
    for (int k = 0; k < frames; ++k)
        FrameTick(*editor);
    return editor->Canvas.BackBuffer;
}

TEST(KorvanMapFrame, WritesTheEditorsFrameWithBlacksPalette)
{
    TempFolder folder;
    const std::string map = folder.File("m.korv");
    ASSERT_EQ(RunTool("generate --seed 3 -o " + map), 0);
    struct Case {
        std::string arguments;
        std::int32_t scrollX, scrollY, cursorX, cursorY;
        int mode, item, frames;
    };
    const Case cases[] = {
        {"", 10, 200, 0, 0, 3, 0, 1},
        {" --scroll -800 0 --cursor 300 200 --mode 1 --item 59", -800, 0, 300, 200, 1, 59, 1},
        {" --scroll -800 0 --cursor 620 100 --frames 4", -800, 0, 620, 100, 3, 0, 4},
    };
    const IndexedImage black = ReadIndexedBmp(KORVAN_RUN_DIR "/Graphic/Black.BMP");
    for (const Case& c : cases) {
        const std::string out = folder.File("f.bmp");
        ASSERT_EQ(RunTool("frame " + map + " -o " + out + Assets + c.arguments), 0) << c.arguments;
        const IndexedImage frame = ReadIndexedBmp(out);
        ASSERT_EQ(frame.Width, 640);
        ASSERT_EQ(frame.Height, 480);
        EXPECT_EQ(frame.Palette, black.Palette);
        const IndexedImage expected =
            ExpectedFrame(map, c.scrollX, c.scrollY, c.cursorX, c.cursorY, c.mode, c.item, c.frames);
        EXPECT_TRUE(frame.Pixels == expected.Pixels) << c.arguments;
    }
}

TEST(KorvanMapFrame, OverviewHoldsTheWholeMap)
{
    TempFolder folder;
    const std::string map = folder.File("m.korv");
    ASSERT_EQ(RunTool("generate --seed 3 -o " + map), 0);
    ASSERT_EQ(RunTool("overview " + map + " -o " + folder.File("o.png") + Assets), 0);
    const QImage picture(QString::fromStdString(folder.File("o.png")));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), 7920 + 68);
    EXPECT_EQ(picture.height(), 1920 + 1800 + 36);
    // The corner cells' ground is there: (0, 0) on the left edge, (120, 120) on the right.
    EXPECT_NE(picture.pixelIndex(5, 1800 + 17), 0);
    EXPECT_NE(picture.pixelIndex(7920 + 60, 1800 + 120 + 17), 0);
}

// The picture depends on where the anchors lie relative to each other only, wherever in the
// 32-bit range they are.
TEST(KorvanMapFrame, OverviewDrawsAnchorsAnywhereInTheirRange)
{
    TempFolder folder;
    const std::string map = folder.File("m.korv");
    ASSERT_EQ(RunTool("generate --seed 3 -o " + map), 0);
    ASSERT_EQ(RunTool("overview " + map + " -o " + folder.File("o.png") + Assets), 0);
    const QImage expected(QString::fromStdString(folder.File("o.png")));
    auto cells = std::make_unique<MapGrid>();
    LoadMap(*cells, map);
    // The generated anchors span x 0..7920 and y -1800..1920.
    constexpr std::int64_t Min = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t Max = std::numeric_limits<std::int32_t>::max();
    struct Case {
        const char* Name;
        std::int64_t Dx, Dy;
    };
    const Case cases[] = {
        {"left and top at INT32_MIN", Min, Min + 1800},
        {"right and bottom at INT32_MAX", Max - 7920, Max - 1920},
        {"left at INT32_MIN, bottom at INT32_MAX", Min, Max - 1920},
    };
    for (const Case& c : cases) {
        auto moved = std::make_unique<MapGrid>(*cells);
        for (auto& row : *moved)
            for (auto& cell : row) {
                cell.ScreenX = std::int32_t(cell.ScreenX + c.Dx);
                cell.ScreenY = std::int32_t(cell.ScreenY + c.Dy);
            }
        SaveMap(*moved, folder.File("moved.korv"));
        ASSERT_EQ(RunTool("overview " + folder.File("moved.korv") + " -o " + folder.File("moved.png") + Assets), 0)
            << c.Name;
        const QImage picture(QString::fromStdString(folder.File("moved.png")));
        EXPECT_TRUE(picture == expected) << c.Name;
    }
}

TEST(KorvanMapFrame, BadUsageAndMissingFilesFail)
{
    TempFolder folder;
    const std::string map = folder.File("m.korv");
    ASSERT_EQ(RunTool("generate --seed 3 -o " + map), 0);
    const std::string out = " -o " + folder.File("f.bmp");
    EXPECT_EQ(RunTool("frame " + map + Assets), 2);
    EXPECT_EQ(RunTool("frame " + map + out + " --mode 0 --item 10" + Assets), 2);
    EXPECT_EQ(RunTool("frame " + map + out + " --mode 7 --item 0" + Assets), 2);
    EXPECT_EQ(RunTool("frame " + map + out + " --frames 0" + Assets), 2);
    EXPECT_EQ(RunTool("frame " + map + out + " --scroll 1" + Assets), 2);
    EXPECT_EQ(RunTool("frame " + map + out + " --assets " + folder.File("nowhere")), 1);
    EXPECT_EQ(RunTool("frame " + folder.File("missing.korv") + out + Assets), 1);
    EXPECT_EQ(RunTool("overview " + map + Assets), 2);
}

}  // namespace
