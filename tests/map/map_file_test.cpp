#include "MapFileKit.h"
#include "TempFolder.h"
#include "edit/Editor.h"
#include "base/FileAccess.h"
#include "base/KorvanError.h"
#include "map/MapFile.h"
#include "map/MapGenerator.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korvan {
namespace {

using namespace korvan::testing;
namespace fs = std::filesystem;

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

bool SameGrid(const MapGrid& a, const MapGrid& b) { return std::memcmp(&a, &b, sizeof(MapGrid)) == 0; }

TEST(MapFile, SavedBytesFollowTheRecordLayoutLittleEndian)
{
    TempFolder folder;
    const auto cells = GeneratedGrid(99);
    SaveMap(*cells, folder.File("a.korv"));
    const auto bytes = ReadBytes(folder.File("a.korv"));
    ASSERT_EQ(bytes.size(), 234256u);

    auto at = [&](std::size_t from) { return std::vector<std::uint8_t>(bytes.begin() + long(from), bytes.begin() + long(from) + 8); };
    EXPECT_EQ(at(0), std::vector<std::uint8_t>(8, 0));
    EXPECT_EQ(bytes[8], 1);
    EXPECT_EQ(at(16), (std::vector<std::uint8_t>{0x21, 0, 0, 0, 0x10, 0, 0, 0}));
    EXPECT_EQ(at(1936), (std::vector<std::uint8_t>{0x21, 0, 0, 0, 0xF1, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(at(234240), (std::vector<std::uint8_t>{0xF0, 0x1E, 0, 0, 0x78, 0, 0, 0}));

    // Bytes 8..15 of each record are the byte fields in order.
    const MapCell& cell = (*cells)[37][81];
    const std::size_t record = 16 * (37 * 121 + 81);
    EXPECT_EQ(bytes[record + 9], cell.Terrain);
    EXPECT_EQ(bytes[record + 11], cell.TerrainTile);
    EXPECT_EQ(std::memcmp(&bytes[record + 12], cell.CornerTiles, 4), 0);
}

TEST(MapFile, RoundTripIsByteForByteWithAnyValues)
{
    TempFolder folder;
    auto cells = std::make_unique<MapGrid>();
    auto* raw = reinterpret_cast<std::uint8_t*>(cells.get());
    for (std::size_t i = 0; i < sizeof(MapGrid); ++i)
        raw[i] = static_cast<std::uint8_t>(i * 2654435761u >> 13);
    SaveMap(*cells, folder.File("noise.korv"));
    auto loaded = std::make_unique<MapGrid>();
    LoadMap(*loaded, folder.File("noise.korv"));
    EXPECT_TRUE(SameGrid(*cells, *loaded));
    EXPECT_EQ(EncodeMap(*loaded), ReadBytes(folder.File("noise.korv")));
}

TEST(MapFile, SavingReplacesAnyExistingFileWhole)
{
    TempFolder folder;
    const std::string path = folder.File("big.korv");
    WriteBytes(path, std::vector<std::uint8_t>(1 << 20, 0xAB));
    const auto cells = GeneratedGrid(3);
    SaveMap(*cells, path);
    EXPECT_EQ(ReadBytes(path), EncodeMap(*cells));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1)
        << "no temporary file may be left behind";
}

TEST(MapFile, ShortFilesAreRejectedAndTheGridIsKept)
{
    TempFolder folder;
    const auto before = GeneratedGrid(5);
    for (std::size_t size : {0u, 1u, 100u, 234255u}) {
        const std::string path = folder.File("short.korv");
        WriteBytes(path, std::vector<std::uint8_t>(size, 0x11));
        auto cells = std::make_unique<MapGrid>(*before);
        EXPECT_EQ(TryLoad(*cells, path),
                  "Map file too short: " + std::to_string(size) + " bytes (234256 expected)");
        EXPECT_TRUE(SameGrid(*cells, *before)) << size;
    }
}

TEST(MapFile, LongerFileUsesItsFirstWholeMap)
{
    TempFolder folder;
    const auto source = GeneratedGrid(8);
    auto bytes = EncodeMap(*source);
    bytes.resize(bytes.size() + 5000, 0xEE);
    WriteBytes(folder.File("long.korv"), bytes);
    auto cells = GeneratedGrid(9);
    LoadMap(*cells, folder.File("long.korv"));
    EXPECT_TRUE(SameGrid(*cells, *source));
}

TEST(MapFile, ReadOnlyFileLoads)
{
    TempFolder folder;
    const auto source = GeneratedGrid(10);
    const std::string path = folder.File("ro.korv");
    SaveMap(*source, path);
    ::chmod(path.c_str(), 0444);
    auto cells = GeneratedGrid(11);
    LoadMap(*cells, path);
    EXPECT_TRUE(SameGrid(*cells, *source));
}

TEST(MapFile, FailuresGiveTheirMessagesAndKeepTheGrid)
{
    TempFolder folder;
    const auto before = GeneratedGrid(12);
    auto cells = std::make_unique<MapGrid>(*before);
    fs::create_directory(folder.Path() / "dir.korv");

    EXPECT_EQ(TryLoad(*cells, folder.File("missing.korv")), "File not found");
    EXPECT_EQ(TryLoad(*cells, folder.File("no-such-folder/a.korv")), "Invalid filename");
    EXPECT_EQ(TryLoad(*cells, folder.File("dir.korv")), "I/O error 21");
    EXPECT_TRUE(SameGrid(*cells, *before));

    EXPECT_EQ(TrySave(*before, folder.File("no-such-folder/a.korv")), "Invalid filename");
    EXPECT_EQ(TrySave(*before, folder.File("dir.korv")), "I/O error 21");

    const std::string readOnly = folder.File("ro.korv");
    WriteBytes(readOnly, {1, 2, 3});
    ::chmod(readOnly.c_str(), 0444);
    EXPECT_EQ(TrySave(*before, readOnly), "File access denied");
    EXPECT_EQ(ReadBytes(readOnly), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(MapFile, ErrorNumbersMapToTheirMessages)
{
    TempFolder folder;
    const std::string inFolder = folder.File("x.korv");
    const struct {
        int error;
        const char* message;
    } cases[] = {
        {ENOENT, "File not found"}, {ENOTDIR, "Invalid filename"}, {EMFILE, "Too many open files"},
        {ENFILE, "Too many open files"}, {EACCES, "File access denied"}, {EPERM, "File access denied"},
        {EROFS, "File access denied"}, {ENOSPC, "Disk full"}, {EDQUOT, "Disk full"}, {EIO, "I/O error 5"},
        {EFBIG, "I/O error 27"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileErrorMessage(c.error, inFolder), c.message) << c.error;
    EXPECT_EQ(FileErrorMessage(ENOENT, folder.File("gone/x.korv")), "Invalid filename");
}

// A save that fails half way (here: the process may not write more than 1,000 bytes) leaves the
// old file exactly as it was and no temporary file behind.
TEST(MapFile, FailedSaveLeavesTheOldFileIntact)
{
    TempFolder folder;
    const std::string path = folder.File("keep.korv");
    const auto old = GeneratedGrid(20);
    SaveMap(*old, path);
    const auto oldBytes = ReadBytes(path);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto fresh = GeneratedGrid(21);
        const std::string message = TrySave(*fresh, path);
        ::_exit(message == "I/O error 27" ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save must fail with the write error";
    EXPECT_EQ(ReadBytes(path), oldBytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

TEST(MapFile, SavingThroughALinkKeepsTheLinkAndTheModeBits)
{
    TempFolder folder;
    const std::string real = folder.File("real.korv");
    const std::string link = folder.File("link.korv");
    WriteBytes(real, {9});
    ::chmod(real.c_str(), 0640);
    fs::create_symlink("real.korv", link);

    const auto cells = GeneratedGrid(30);
    SaveMap(*cells, link);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), EncodeMap(*cells));
    struct stat info{};
    ::stat(real.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

}  // namespace
}  // namespace korvan
