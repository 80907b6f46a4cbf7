// How korvan-map writes its outputs: standard output, format by extension, names kept byte for
// byte, whole files or none (the old file survives a failed write), only regular files replaced.
#include "TempFolder.h"
#include "ToolRun.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <set>
#include <sys/mount.h>
#include <sys/stat.h>

namespace {

using namespace korvan::testing;

const std::string Assets = "--assets=" KORVAN_RUN_DIR;

std::set<std::string> Names(const std::string& folder)
{
    std::set<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    while (dirent* entry = dir ? ::readdir(dir) : nullptr)
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.insert(entry->d_name);
    if (dir)
        ::closedir(dir);
    return names;
}

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class KorvanMapOutput : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(RunMapTool({"generate", "--seed", "3", "-o", map_}, dir_).Status, 0); }
    ToolResult Run(const std::vector<std::string>& arguments) { return RunMapTool(arguments, dir_); }

    TempFolder folder_;
    std::string dir_ = folder_.Path().string();
    std::string map_ = folder_.File("m.korv");
};

TEST_F(KorvanMapOutput, StandardOutputCarriesTheFilesBytes)
{
    struct Case {
        std::vector<std::string> Arguments;
        std::string File;
    };
    const Case cases[] = {
        {{"generate", "--seed", "3"}, "g.korv"},
        {{"frame", map_, Assets, "--cursor", "300", "200"}, "f.bmp"},
        {{"overview", map_, Assets}, "o.png"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> toFile = c.Arguments, toOut = c.Arguments;
        toFile.insert(toFile.end(), {"-o", folder_.File(c.File)});
        toOut.insert(toOut.end(), {"-o", "-"});
        ASSERT_EQ(Run(toFile).Status, 0) << c.File;
        const ToolResult result = Run(toOut);
        EXPECT_EQ(result.Status, 0) << c.File;
        EXPECT_EQ(result.Err, "") << c.File;
        EXPECT_TRUE(result.Out == FileBytes(folder_.File(c.File))) << c.File;
    }
}

TEST_F(KorvanMapOutput, FormatFollowsTheExtension)
{
    struct Case {
        std::string Name, Magic;
    };
    const Case cases[] = {{"f.bmp", "BM"}, {"f.BMP", "BM"}, {"f.png", "\x89PNG\r\n\x1a\n"}, {"f.Png", "\x89PNG\r\n\x1a\n"}};
    QImage first;
    for (const Case& c : cases) {
        const std::string out = folder_.File(c.Name);
        ASSERT_EQ(Run({"frame", map_, "-o", out, Assets, "--scroll=-800,0"}).Status, 0) << c.Name;
        EXPECT_TRUE(FileBytes(out).starts_with(c.Magic)) << c.Name;
        const QImage picture(QString::fromStdString(out));
        ASSERT_EQ(picture.format(), QImage::Format_Indexed8) << c.Name;
        ASSERT_EQ(picture.colorCount(), 256) << c.Name;
        if (first.isNull())
            first = picture;
        EXPECT_TRUE(picture == first) << c.Name;  // same indices and palette
    }
}

TEST_F(KorvanMapOutput, NamesKeepTheirBytes)
{
    const std::string latin1 = "caf\xe9";
    const std::vector<std::string> runs[] = {
        {"generate", "--seed", "3", "-o", folder_.File(latin1 + ".korv")},
        {"frame", map_, Assets, "-o", folder_.File(latin1 + ".bmp")},
        {"overview", map_, Assets, "-o", folder_.File(latin1 + ".png")},
        {"info", folder_.File(latin1 + ".korv")},
    };
    for (const auto& arguments : runs)
        EXPECT_EQ(Run(arguments).Status, 0) << arguments.back();
    EXPECT_EQ(Names(dir_), (std::set<std::string>{"m.korv", latin1 + ".korv", latin1 + ".bmp", latin1 + ".png"}));
}

// With the file size limit below the picture's size the write fails part-way, as on a full disk.
TEST_F(KorvanMapOutput, FailedWritesLeaveTheOldFileAndNoOther)
{
    struct Case {
        std::string Verb, Name;
        bool Existing;
    };
    const Case cases[] = {{"overview", "old.png", true}, {"frame", "old.bmp", true}, {"frame", "new.bmp", false}};
    for (const Case& c : cases) {
        const std::string out = folder_.File(c.Name);
        if (c.Existing)
            WriteBytes(out, "the old picture");
        const std::set<std::string> before = Names(dir_);
        const std::string command = "trap '' XFSZ; ulimit -f 64; exec " KORVAN_MAP_TOOL " " + c.Verb + " " + map_ +
                                    " " + Assets + " -o " + out;
        const ToolResult result = RunProgram("/bin/bash", {"-c", command}, dir_);
        EXPECT_EQ(result.Status, 1) << c.Name;
        EXPECT_EQ(result.Err, "korvan-map: " + out + ": File too large\n");
        EXPECT_EQ(Names(dir_), before) << c.Name;
        if (c.Existing) {
            EXPECT_EQ(FileBytes(out), "the old picture");
        }
    }
}

TEST_F(KorvanMapOutput, FullDiskIsReportedAndTheOldFileStays)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    const std::string disk = folder_.File("disk");
    ASSERT_EQ(::mkdir(disk.c_str(), 0755), 0);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    struct Unmount {
        std::string Path;
        ~Unmount() { ::umount2(Path.c_str(), MNT_DETACH); }
    } unmount{disk};
    const std::string out = disk + "/old.png";
    WriteBytes(out, "the old picture");
    const ToolResult result = Run({"overview", map_, Assets, "-o", out});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "korvan-map: " + out + ": No space left on device\n");
    EXPECT_EQ(FileBytes(out), "the old picture");
    EXPECT_EQ(Names(disk), std::set<std::string>{"old.png"});
}

TEST_F(KorvanMapOutput, OnlyRegularFilesAreReplaced)
{
    const std::string fifo = folder_.File("pipe.bmp"), readOnly = folder_.File("kept.bmp");
    const std::string real = folder_.File("real.bmp"), link = folder_.File("link.bmp");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    WriteBytes(readOnly, "kept");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    WriteBytes(real, "old");
    ASSERT_EQ(::symlink("real.bmp", link.c_str()), 0);

    ToolResult result = Run({"frame", map_, Assets, "-o", fifo});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "korvan-map: " + fifo + ": Not a regular file\n");
    struct stat info{};
    ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    result = Run({"frame", map_, Assets, "-o", readOnly});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "korvan-map: " + readOnly + ": Permission denied\n");
    EXPECT_EQ(FileBytes(readOnly), "kept");

    ASSERT_EQ(Run({"frame", map_, Assets, "-o", link}).Status, 0);
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_TRUE(FileBytes(real).starts_with("BM"));

    result = Run({"frame", fifo, Assets, "-o", folder_.File("f.bmp")});  // a FIFO as the map never blocks
    EXPECT_EQ(result.Status, 1);
}

TEST_F(KorvanMapOutput, BatchGenerationMatchesSingleRuns)
{
    struct Case {
        std::string Range;
        std::vector<std::string> Seeds;
    };
    const Case cases[] = {
        {"0-5", {"0", "1", "2", "3", "4", "5"}},
        {"4294967294-4294967295", {"4294967294", "4294967295"}},
        {"77-77", {"77"}},
    };
    for (const Case& c : cases) {
        const std::string batch = folder_.File("batch " + c.Range);
        const ToolResult result = Run({"generate", "--seeds=" + c.Range, "-o", batch});
        EXPECT_EQ(result.Status, 0) << c.Range;
        EXPECT_EQ(result.Err, "") << c.Range;  // no progress bar when stderr is not a terminal
        std::set<std::string> expected;
        for (const std::string& seed : c.Seeds) {
            expected.insert(seed + ".korv");
            const std::string single = folder_.File("single.korv");
            ASSERT_EQ(Run({"generate", "--seed", seed, "-o", single}).Status, 0);
            EXPECT_TRUE(FileBytes(batch + "/" + seed + ".korv") == FileBytes(single)) << seed;
        }
        EXPECT_EQ(Names(batch), expected) << c.Range;
    }
}

}  // namespace
