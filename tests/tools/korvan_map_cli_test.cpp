#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using korvan::testing::TempFolder;

int RunTool(const std::string& arguments)
{
    const std::string command = std::string(KORVAN_MAP_TOOL) + " " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(KorvanMapTool, GenerateIsReproducibleBySeed)
{
    TempFolder folder;
    ASSERT_EQ(RunTool("generate --seed 1 -o " + folder.File("a.korv")), 0);
    ASSERT_EQ(RunTool("generate --seed 1 -o " + folder.File("b.korv")), 0);
    ASSERT_EQ(RunTool("generate --seed 2 -o " + folder.File("c.korv")), 0);
    const auto a = Contents(folder.File("a.korv"));
    EXPECT_EQ(a.size(), 234256u);
    EXPECT_EQ(a, Contents(folder.File("b.korv")));
    EXPECT_NE(a, Contents(folder.File("c.korv")));
}

TEST(KorvanMapTool, BadUsageAndBadFilesFail)
{
    TempFolder folder;
    EXPECT_EQ(RunTool(""), 2);
    EXPECT_EQ(RunTool("generate -o " + folder.File("a.korv")), 2);
    EXPECT_EQ(RunTool("generate --seed -1 -o " + folder.File("a.korv")), 2);
    EXPECT_EQ(RunTool("generate --seed 4294967296 -o " + folder.File("a.korv")), 2);
    EXPECT_EQ(RunTool("info " + folder.File("missing.korv")), 1);
    ASSERT_EQ(RunTool("generate --seed 4294967295 -o " + folder.File("a.korv")), 0);
    EXPECT_EQ(RunTool("info " + folder.File("a.korv")), 0);
}

}  // namespace
