// The asset tool writes the same files, byte for byte, every time it runs (so that two builds of
// the package are identical), and no byte of a BMP file comes from memory the picture did not
// set: the padding at the end of each row is zero.
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace korvan {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Every file the tool writes under folder, by its name relative to folder.
std::map<std::string, Bytes> RunTool(const fs::path& folder)
{
    const std::string command = std::string("'") + KORVAN_RUN_DIR + "/korvan-assets' --run-dir '" +
                                (folder / "run").string() + "' --pictures '" + (folder / "pictures").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::map<std::string, Bytes> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = Read(entry.path());
    return files;
}

std::uint32_t Le(const Bytes& b, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | b[at + std::size_t(i)];
    return value;
}

TEST(ReproducibleFiles, TwoRunsWriteTheSameBytesAndBmpRowPaddingIsZero)
{
    const korvan::testing::TempFolder first, second;
    const auto one = RunTool(first.Path()), two = RunTool(second.Path());
    ASSERT_GE(one.size(), 19u) << "eight sheets, two songs, nine compiled-in pictures";
    ASSERT_EQ(one.size(), two.size());
    for (const auto& [name, bytes] : one) {
        ASSERT_TRUE(two.count(name)) << name;
        EXPECT_TRUE(bytes == two.at(name)) << name << " differs from one run to the next";

        const std::string extension = fs::path(name).extension().string();
        if (extension != ".BMP" && extension != ".bmp")
            continue;
        ASSERT_GE(bytes.size(), 54u) << name;
        if (Le(bytes, 28, 2) != 8)
            continue;  // the 24-bit pictures are written whole by Qt from a filled canvas
        const std::size_t width = Le(bytes, 18, 4), height = Le(bytes, 22, 4) & 0x7FFFFFFF;
        const std::size_t offset = Le(bytes, 10, 4), stride = (width + 3) / 4 * 4;
        ASSERT_GE(bytes.size(), offset + stride * height) << name;
        for (std::size_t row = 0; row < height; ++row)
            for (std::size_t x = width; x < stride; ++x)
                ASSERT_EQ(bytes[offset + row * stride + x], 0) << name << ": padding of row " << row;
    }
}

}  // namespace
}  // namespace korvan
