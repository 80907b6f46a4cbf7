// The shared file routines as the command-line tools see them: how much a read returns, and the
// reason a failure gives in the system's words.
#include "MapFileKit.h"
#include "TempFolder.h"

#include "base/FileAccess.h"
#include "base/KorvanError.h"
#include "render/BmpFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace korvan {
namespace {

using namespace korvan::testing;

TEST(FileAccess, ReadsAtMostTheLimitFromTheStart)
{
    TempFolder folder;
    std::vector<std::uint8_t> bytes(200000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(i * 7);
    std::ofstream(folder.File("f"), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                            std::streamsize(bytes.size()));
    for (const std::size_t limit : {std::size_t(0), std::size_t(1), std::size_t(65536), std::size_t(199999),
                                    std::size_t(200000), std::size_t(1) << 30}) {
        const auto read = ReadRegularFile(folder.File("f"), limit);
        ASSERT_EQ(read.size(), std::min(limit, bytes.size())) << limit;
        EXPECT_TRUE(std::equal(read.begin(), read.end(), bytes.begin())) << limit;
    }
}

std::string ReasonOf(const std::function<void()>& body)
{
    try {
        body();
    } catch (const FileError& error) {
        return SystemReason(error);
    }
    return "no error";
}

TEST(FileAccess, SystemReasonsForTheTools)
{
    TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.File("p").c_str(), 0644), 0);
    std::ofstream(folder.File("short.korv")) << "ten bytes!";
    std::ofstream(folder.File("bad.bmp")) << "BM nothing";
    const auto grid = GeneratedGrid(1);
    const struct {
        std::function<void()> body;
        std::string reason;
    } cases[] = {
        {[&] { ReadRegularFile(folder.File("none"), 10); }, "No such file or directory"},
        {[&] { ReadRegularFile(folder.File("p"), 10); }, "Not a regular file"},
        {[&] { ReadRegularFile(folder.Path().string(), 10); }, "Is a directory"},
        {[&] { SaveMap(*grid, folder.File("p")); }, "Not a regular file"},
        {[&] { SaveMap(*grid, folder.File("no/m.korv")); }, "No such file or directory"},
        {[&] { LoadMap(*GeneratedGrid(2), folder.File("short.korv")); }, "Map file too short: 10 bytes (234256 expected)"},
        {[&] { ReadIndexedBmp(folder.File("bad.bmp")); }, "Bitmap image is not valid"},
        {[&] { ReadIndexedBmp(folder.File("p")); }, "Not a regular file"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReasonOf(c.body), c.reason);
}

}  // namespace
}  // namespace korvan
