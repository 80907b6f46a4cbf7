// Files a user may hand the editor, and places a save may be sent to: each gives its message,
// and a failed load leaves the map as it was.
#include "MapFileKit.h"
#include "TempFolder.h"
#include "edit/Editor.h"
#include "base/KorvanError.h"
#include "map/MapFile.h"
#include "map/MapGenerator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korvan {
namespace {

using namespace korvan::testing;
namespace fs = std::filesystem;

void WriteBytes(const std::string& path, std::size_t size, std::uint8_t value = 0x5A)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::vector<char> bytes(size, char(value));
    out.write(bytes.data(), std::streamsize(size));
}

// Runs body in a child process as an unprivileged user (root ignores permission bits), and
// returns its exit status; -1 when there is no such user to become.
template <typename Body>
int AsUnprivilegedUser(Body body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(100);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) != 100 ? WEXITSTATUS(status) : -1;
}

TEST(MapFileCatalogue, LoadSizes)
{
    TempFolder folder;
    const auto source = GeneratedGrid(40);
    const auto image = EncodeMap(*source);
    const struct {
        std::size_t size;
        bool loads;
    } cases[] = {{0, false},      {1, false},      {100, false},       {234255, false},
                 {234256, true},  {234257, true},  {1u << 20, true}};
    for (const auto& c : cases) {
        const std::string path = folder.File("sized.korv");
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            for (std::size_t written = 0; written < c.size;) {
                const std::size_t n = std::min(image.size(), c.size - written);
                out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(n));
                written += n;
            }
        }
        const auto before = GeneratedGrid(41);
        auto cells = std::make_unique<MapGrid>(*before);
        const std::string message = TryLoad(*cells, path);
        if (c.loads) {
            EXPECT_EQ(message, "") << c.size;
            EXPECT_EQ(std::memcmp(cells.get(), source.get(), sizeof(MapGrid)), 0) << c.size;
        } else {
            EXPECT_EQ(message, "Map file too short: " + std::to_string(c.size) + " bytes (234256 expected)");
            EXPECT_EQ(std::memcmp(cells.get(), before.get(), sizeof(MapGrid)), 0) << c.size;
        }
    }
}

TEST(MapFileCatalogue, LoadOfThingsThatAreNotMapFiles)
{
    TempFolder folder;
    const std::string fifo = folder.File("pipe.korv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directory(folder.Path() / "folder.korv");
    fs::create_symlink("nowhere.korv", folder.Path() / "dangling.korv");
    fs::create_symlink("loop-b.korv", folder.Path() / "loop-a.korv");
    fs::create_symlink("loop-a.korv", folder.Path() / "loop-b.korv");

    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {folder.File("folder.korv"), "I/O error 21"},
        {fifo, "File access denied"},     // never blocks waiting for a writer
        {"/dev/zero", "File access denied"},  // never reads an endless device
        {folder.File("dangling.korv"), "File not found"},
        {folder.File("loop-a.korv"), "I/O error 40"},
        {folder.File("missing.korv"), "File not found"},
        {folder.File("missing-folder/a.korv"), "Invalid filename"},
        {"", "File not found"},
    };
    const auto before = GeneratedGrid(42);
    for (const auto& c : cases) {
        auto cells = std::make_unique<MapGrid>(*before);
        EXPECT_EQ(TryLoad(*cells, c.path), c.message) << c.path;
        EXPECT_EQ(std::memcmp(cells.get(), before.get(), sizeof(MapGrid)), 0) << c.path;
    }
}

TEST(MapFileCatalogue, NamesWithSpacesAndAccentsRoundTrip)
{
    TempFolder folder;
    const auto source = GeneratedGrid(43);
    for (const char* name : {"mappa con spazi.korv", "città è più bella.korv", "без названия.korv", "noext"}) {
        const std::string path = folder.File(name);
        ASSERT_EQ(TrySave(*source, path), "") << name;
        EXPECT_TRUE(fs::exists(path)) << "no extension is added: " << name;
        auto cells = GeneratedGrid(44);
        ASSERT_EQ(TryLoad(*cells, path), "") << name;
        EXPECT_EQ(std::memcmp(cells.get(), source.get(), sizeof(MapGrid)), 0) << name;
    }
}

TEST(MapFileCatalogue, PermissionsAreHonouredForEveryUser)
{
    TempFolder folder;
    fs::permissions(folder.Path(), fs::perms::all);
    const auto source = GeneratedGrid(45);
    const std::string secret = folder.File("secret.korv");
    ASSERT_EQ(TrySave(*source, secret), "");
    // Root's file is private to root; a user running this test owns the file, so it is shut to all.
    ::chmod(secret.c_str(), ::geteuid() == 0 ? 0600 : 0000);
    const std::string shut = folder.File("shut");
    fs::create_directory(shut);
    ::chmod(shut.c_str(), 0555);

    const int status = AsUnprivilegedUser([&] {
        auto cells = std::make_unique<MapGrid>();
        return TryLoad(*cells, secret) == "File access denied" &&
               TrySave(*source, shut + "/new.korv") == "File access denied" && !fs::exists(shut + "/new.korv");
    });
    if (status < 0)
        GTEST_SKIP() << "no unprivileged user to test permissions with";
    EXPECT_EQ(status, 0);
}

TEST(MapFileCatalogue, SaveOverAReadOnlyFileOrIntoAMissingFolderFails)
{
    TempFolder folder;
    const auto source = GeneratedGrid(46);
    const std::string readOnly = folder.File("ro.korv");
    WriteBytes(readOnly, 10);
    ::chmod(readOnly.c_str(), 0444);
    EXPECT_EQ(TrySave(*source, readOnly), "File access denied");
    EXPECT_EQ(ReadBytes(readOnly).size(), 10u);
    EXPECT_EQ(TrySave(*source, folder.File("missing/a.korv")), "Invalid filename");
    EXPECT_EQ(TrySave(*source, folder.File("ro.korv/a.korv")), "Invalid filename");
}

// A real full file system: a 64 KiB tmpfs cannot take a 229 KiB map.
TEST(MapFileCatalogue, SaveOntoAFullFileSystemSaysDiskFullAndKeepsTheOldFile)
{
    TempFolder folder;
    const std::string mountPoint = folder.File("small");
    fs::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
    const std::string path = mountPoint + "/old.korv";
    WriteBytes(path, 1000, 0x77);
    const auto source = GeneratedGrid(47);
    EXPECT_EQ(TrySave(*source, path), "Disk full");
    const auto bytes = ReadBytes(path);
    EXPECT_EQ(bytes, std::vector<std::uint8_t>(1000, 0x77));
    EXPECT_EQ(std::distance(fs::directory_iterator(mountPoint), fs::directory_iterator()), 1);
    ::umount(mountPoint.c_str());
}

// A save killed at any moment leaves the target either the old map or the new one, whole.
TEST(MapFileCatalogue, SaveKilledAtRandomPointsNeverLeavesAHalfFile)
{
    TempFolder folder;
    const std::string path = folder.File("target.korv");
    const auto oldMap = GeneratedGrid(48);
    const auto newMap = GeneratedGrid(49);
    const auto oldBytes = EncodeMap(*oldMap);
    const auto newBytes = EncodeMap(*newMap);
    std::mt19937 random(2026);
    int sawOld = 0, sawNew = 0;
    for (int trial = 0; trial < 200; ++trial) {
        ASSERT_EQ(TrySave(*oldMap, path), "");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SaveMap(*newMap, path);
            ::_exit(0);
        }
        ::usleep(std::uniform_int_distribution<int>(0, 3000)(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const auto bytes = ReadBytes(path);
        const bool isOld = bytes == oldBytes, isNew = bytes == newBytes;
        ASSERT_TRUE(isOld || isNew) << "trial " << trial << ": " << bytes.size() << " bytes of neither map";
        sawOld += isOld;
        sawNew += isNew;
    }
    RecordProperty("old", sawOld);
    RecordProperty("new", sawNew);
}

}  // namespace
}  // namespace korvan
