// The generator draws the same bytes every time, and the files in the run folder are what it
// draws now.
#include "AssetFiles.h"

#include "Artwork.h"
#include "Music.h"
#include "render/BmpFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

namespace korvan {
namespace {

TEST(Determinism, SheetsAreRedrawnIdenticallyAndMatchTheBuiltFiles)
{
    const std::pair<const char*, std::function<IndexedImage()>> sheets[] = {
        {"Territ.BMP", art::MakeTerrit},  {"Quadri.BMP", art::MakeQuadri}, {"Lands.BMP", art::MakeLands},
        {"Terrain.BMP", art::MakeTerrainFeatures}, {"Units.BMP", art::MakeUnits}, {"Splatt.BMP", art::MakeSplatt}};
    for (const auto& [file, make] : sheets) {
        const IndexedImage first = make(), second = make();
        EXPECT_EQ(first.Pixels, second.Pixels) << file;
        EXPECT_EQ(ReadIndexedBmp(test::GraphicFile(file)).Pixels, first.Pixels) << file;
    }
}

TEST(Determinism, MusicIsWrittenIdenticallyAndMatchesTheBuiltFiles)
{
    auto read = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(music::IntroTheme(), music::IntroTheme());
    EXPECT_EQ(read(test::MusicFile("Music1.mid")), music::IntroTheme());
    EXPECT_EQ(read(test::MusicFile("Music2.mid")), music::EditorTheme());
}

}  // namespace
}  // namespace korvan
