// The command-line conventions of korvan-map and korvan-midi-render: help and version on stdout,
// bad usage (exit 2) and failures (exit 1) on stderr in one line that names the file.
#include "TempFolder.h"
#include "ToolRun.h"

#include "base/Version.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

using namespace korvan::testing;

enum class Expect { Help, BadUsage, Failure };

struct Case {
    const char* Name;
    std::vector<std::string> Arguments;  // {map}, {dir} and {assets} are filled in
    Expect Outcome;
    std::string Message;  // Help: stdout's first line starts so; otherwise stderr's first line after "tool: "
};

std::vector<std::string> Fill(std::vector<std::string> words, const std::string& map, const std::string& dir)
{
    for (std::string& word : words) {
        for (const auto& [key, value] : {std::pair<std::string, std::string>{"{map}", map}, {"{dir}", dir},
                                         {"{assets}", KORVAN_RUN_DIR}})
            for (auto at = word.find(key); at != std::string::npos; at = word.find(key))
                word.replace(at, key.size(), value);
    }
    return words;
}

void Check(const Case& c, const ToolResult& result, const std::string& tool)
{
    SCOPED_TRACE(c.Name);
    switch (c.Outcome) {
    case Expect::Help:
        EXPECT_EQ(result.Status, 0);
        EXPECT_TRUE(result.Out.starts_with(c.Message)) << result.Out;
        EXPECT_EQ(result.Err, "");
        break;
    case Expect::BadUsage:
        EXPECT_EQ(result.Status, 2);
        EXPECT_EQ(result.Out, "");
        EXPECT_EQ(FirstLine(result.Err).find(tool + ": " + c.Message), 0u) << result.Err;
        EXPECT_TRUE(result.Err.substr(result.Err.find('\n') + 1).starts_with("Usage: " + tool)) << result.Err;
        break;
    case Expect::Failure: {
        EXPECT_EQ(result.Status, 1);
        EXPECT_EQ(result.Out, "");
        EXPECT_EQ(result.Err, tool + ": " + c.Message + "\n");
        break;
    }
    }
}

int RunShell(const std::string& arguments)
{
    const std::string command = std::string(KORVAN_MAP_TOOL) + " " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(KorvanMapTool, GenerateIsReproducibleBySeed)
{
    TempFolder folder;
    ASSERT_EQ(RunShell("generate --seed 1 -o " + folder.File("a.korv")), 0);
    ASSERT_EQ(RunShell("generate --seed 1 -o " + folder.File("b.korv")), 0);
    ASSERT_EQ(RunShell("generate --seed 2 -o " + folder.File("c.korv")), 0);
    const auto a = FileBytes(folder.File("a.korv"));
    EXPECT_EQ(a.size(), 234256u);
    EXPECT_EQ(a, FileBytes(folder.File("b.korv")));
    EXPECT_NE(a, FileBytes(folder.File("c.korv")));
}

TEST(KorvanMapTool, BadUsageAndBadFilesFail)
{
    TempFolder folder;
    EXPECT_EQ(RunShell(""), 2);
    EXPECT_EQ(RunShell("generate -o " + folder.File("a.korv")), 2);
    EXPECT_EQ(RunShell("generate --seed -1 -o " + folder.File("a.korv")), 2);
    EXPECT_EQ(RunShell("generate --seed 4294967296 -o " + folder.File("a.korv")), 2);
    EXPECT_EQ(RunShell("info " + folder.File("missing.korv")), 1);
    ASSERT_EQ(RunShell("generate --seed 4294967295 -o " + folder.File("a.korv")), 0);
    EXPECT_EQ(RunShell("info " + folder.File("a.korv")), 0);
}

TEST(KorvanMapConventions, HelpUsageAndFailures)
{
    TempFolder folder;
    const std::string dir = folder.Path().string();
    const std::string map = folder.File("m.korv");
    ASSERT_EQ(RunMapTool({"generate", "--seed", "3", "-o", map}, dir).Status, 0);
    ASSERT_EQ(::mkdir(folder.File("emptyassets").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(folder.File("pictures.png").c_str(), 0755), 0);
    std::ofstream(folder.File("empty.korv")).close();
    ASSERT_EQ(::mkfifo(folder.File("pipe.korv").c_str(), 0644), 0);
    // Artwork folders with one picture that is a FIFO, one that is not a picture, one missing.
    for (const char* name : {"fifo", "text", "noblack"}) {
        const std::string graphic = folder.File(name) + "/Graphic";
        ASSERT_TRUE(std::filesystem::create_directories(graphic));
        for (const char* sheet : {"Cities", "Units", "Territ", "Lands", "Terrain", "Quadri", "Black"})
            std::filesystem::create_symlink(KORVAN_RUN_DIR "/Graphic/" + std::string(sheet) + ".BMP",
                                            graphic + "/" + sheet + ".BMP");
    }
    std::filesystem::remove(folder.File("fifo/Graphic/Lands.BMP"));
    ASSERT_EQ(::mkfifo(folder.File("fifo/Graphic/Lands.BMP").c_str(), 0644), 0);
    std::filesystem::remove(folder.File("text/Graphic/Terrain.BMP"));
    std::ofstream(folder.File("text/Graphic/Terrain.BMP")) << "not a picture";
    std::filesystem::remove(folder.File("noblack/Graphic/Black.BMP"));
    ASSERT_TRUE(std::filesystem::create_directories(folder.File("batch/3.korv")));
    const std::string assets = "--assets={assets}";

    const Case cases[] = {
        {"help", {"--help"}, Expect::Help, "Usage: korvan-map generate"},
        {"short help", {"-h"}, Expect::Help, "Usage: korvan-map generate"},
        {"version", {"--version"}, Expect::Help, std::string("korvan-map (KORVAN Editor) ") + korvan::Version + "\n"},
        {"generate help", {"generate", "--help"}, Expect::Help, "Usage: korvan-map generate --seed"},
        {"info help", {"info", "-h"}, Expect::Help, "Usage: korvan-map info"},
        {"frame help beats errors", {"frame", "--bogus", "--help"}, Expect::Help, "Usage: korvan-map frame"},
        {"overview help", {"overview", "--help"}, Expect::Help, "Usage: korvan-map overview"},

        {"no command", {}, Expect::BadUsage, "missing command"},
        {"unknown command", {"bogus"}, Expect::BadUsage, "unknown command 'bogus'"},
        {"unknown option", {"--bogus"}, Expect::BadUsage, "unrecognized option '--bogus'"},
        {"unknown verb option", {"info", "--bogus", "{map}"}, Expect::BadUsage, "unrecognized option '--bogus'"},
        {"seed missing", {"generate", "-o", "{dir}/a.korv"}, Expect::BadUsage, "generate needs one of"},
        {"seed and seeds", {"generate", "--seed=1", "--seeds=1-2", "-o", "{dir}/a"}, Expect::BadUsage, "generate takes only one of"},
        {"seed negative", {"generate", "--seed", "-1", "-o", "{dir}/a.korv"}, Expect::BadUsage, "invalid value for --seed"},
        {"seed past 32 bits", {"generate", "--seed=4294967296", "-o", "{dir}/a.korv"}, Expect::BadUsage, "invalid value for --seed"},
        {"seeds reversed", {"generate", "--seeds", "5-3", "-o", "{dir}/b"}, Expect::BadUsage, "invalid value for --seeds"},
        {"seeds open end", {"generate", "--seeds", "5-", "-o", "{dir}/b"}, Expect::BadUsage, "invalid value for --seeds"},
        {"seeds one number", {"generate", "--seeds", "5", "-o", "{dir}/b"}, Expect::BadUsage, "invalid value for --seeds"},
        {"seeds negative", {"generate", "--seeds", "-5-3", "-o", "{dir}/b"}, Expect::BadUsage, "invalid value for --seeds"},
        {"seeds words", {"generate", "--seeds", "a-b", "-o", "{dir}/b"}, Expect::BadUsage, "invalid value for --seeds"},
        {"seeds past 32 bits", {"generate", "--seeds", "1-4294967296", "-o", "{dir}/b"}, Expect::BadUsage, "invalid value for --seeds"},
        {"seeds to stdout", {"generate", "--seeds", "1-2", "-o", "-"}, Expect::BadUsage, "--seeds writes files"},
        {"output value missing", {"frame", "{map}", "-o"}, Expect::BadUsage, "option requires an argument -- 'o'"},
        {"scroll one value", {"frame", "{map}", "-o", "{dir}/f.bmp", "--scroll", "10"}, Expect::BadUsage, "option '--scroll' needs two values"},
        {"scroll one value before an option", {"frame", "{map}", "-o", "{dir}/f.bmp", "--scroll", "10", assets}, Expect::BadUsage, "option '--scroll' needs two values"},
        {"cursor not a number", {"frame", "{map}", "-o", "{dir}/f.bmp", "--cursor", "1", "x"}, Expect::BadUsage, "invalid value for --cursor: 'x'"},
        {"mode below range", {"frame", "{map}", "-o", "{dir}/f.bmp", "--mode", "-1"}, Expect::BadUsage, "invalid value for --mode: '-1'"},
        {"mode past range", {"frame", "{map}", "-o", "{dir}/f.bmp", "--mode=5"}, Expect::BadUsage, "invalid value for --mode: '5'"},
        {"mode huge", {"frame", "{map}", "-o", "{dir}/f.bmp", "--mode", "2147483647"}, Expect::BadUsage, "invalid value for --mode"},
        {"item past its mode", {"frame", "{map}", "-o", "{dir}/f.bmp", "--mode", "0", "--item", "10"}, Expect::BadUsage, "invalid value for --item"},
        {"no frames", {"frame", "{map}", "-o", "{dir}/f.bmp", "--frames", "0"}, Expect::BadUsage, "invalid value for --frames"},
        {"frame as jpeg", {"frame", "{map}", "-o", "{dir}/y.jpg"}, Expect::BadUsage, "cannot tell the picture format"},
        {"overview as jpeg", {"overview", "{map}", "-o", "{dir}/o.jpg"}, Expect::BadUsage, "cannot tell the picture format"},
        {"overview without extension", {"overview", "{map}", "-o", "{dir}/o"}, Expect::BadUsage, "cannot tell the picture format"},
        {"overview without output", {"overview", "{map}"}, Expect::BadUsage, "overview needs FILE.korv and -o OUT"},
        {"two maps", {"info", "{map}", "{map}"}, Expect::BadUsage, "info needs exactly one FILE.korv"},

        {"missing map", {"info", "{dir}/none.korv"}, Expect::Failure, "{dir}/none.korv: No such file or directory"},
        {"map is a folder", {"frame", "{dir}", "-o", "{dir}/f.bmp", assets}, Expect::Failure, "{dir}: Is a directory"},
        {"short map", {"info", "{dir}/empty.korv"}, Expect::Failure, "{dir}/empty.korv: Map file too short: 0 bytes (234256 expected)"},
        {"missing artwork", {"frame", "{map}", "-o", "{dir}/f.bmp", "--assets", "{dir}/emptyassets"}, Expect::Failure, "{dir}/emptyassets/Graphic/Cities.BMP: No such file or directory"},
        {"missing artwork overview", {"overview", "{map}", "-o", "{dir}/o.png", "--assets", "{dir}/emptyassets"}, Expect::Failure, "{dir}/emptyassets/Graphic/Cities.BMP: No such file or directory"},
        {"map is a FIFO", {"info", "{dir}/pipe.korv"}, Expect::Failure, "{dir}/pipe.korv: Not a regular file"},
        {"artwork is a FIFO", {"frame", "{map}", "-o", "{dir}/f.bmp", "--assets", "{dir}/fifo"}, Expect::Failure, "{dir}/fifo/Graphic/Lands.BMP: Not a regular file"},
        {"artwork is not a picture", {"overview", "{map}", "-o", "{dir}/o.png", "--assets", "{dir}/text"}, Expect::Failure, "{dir}/text/Graphic/Terrain.BMP: Bitmap image is not valid"},
        {"palette picture missing", {"frame", "{map}", "-o", "{dir}/f.bmp", "--assets", "{dir}/noblack"}, Expect::Failure, "{dir}/noblack/Graphic/Black.BMP: No such file or directory"},
        {"output folder missing", {"frame", "{map}", "-o", "{dir}/no/f.bmp", assets}, Expect::Failure, "{dir}/no/f.bmp: No such file or directory"},
        {"output is a folder", {"overview", "{map}", "-o", "{dir}/pictures.png", assets}, Expect::Failure, "{dir}/pictures.png: Is a directory"},
        {"map output folder missing", {"generate", "--seed", "1", "-o", "{dir}/no/a.korv"}, Expect::Failure, "{dir}/no/a.korv: No such file or directory"},
        {"batch stops at a failing map", {"generate", "--seeds", "1-6", "-o", "{dir}/batch"}, Expect::Failure, "{dir}/batch/3.korv: Is a directory"},
        {"batch folder is a file", {"generate", "--seeds", "1-2", "-o", "{map}"}, Expect::Failure, "{map}: Not a directory"},
    };
    for (const Case& c : cases) {
        const ToolResult result = RunMapTool(Fill(c.Arguments, map, dir), dir);
        Case filled = c;
        filled.Message = Fill({c.Message}, map, dir).front();
        Check(filled, result, "korvan-map");
    }
}

TEST(KorvanMidiRenderConventions, HelpUsageAndFailures)
{
    TempFolder folder;
    const std::string dir = folder.Path().string();
    const std::string song = KORVAN_RUN_DIR "/Music/Music1.mid";
    ASSERT_EQ(::mkfifo(folder.File("pipe.mid").c_str(), 0644), 0);
    const Case cases[] = {
        {"help", {"--help"}, Expect::Help, "Usage: korvan-midi-render"},
        {"short help", {"-h"}, Expect::Help, "Usage: korvan-midi-render"},
        {"version", {"--version"}, Expect::Help, std::string("korvan-midi-render (KORVAN Editor) ") + korvan::Version + "\n"},
        {"nothing", {}, Expect::BadUsage, "needs IN.mid and OUT.wav"},
        {"tail not a number", {"--tail", "abc", song, "{dir}/a.wav"}, Expect::BadUsage, "invalid value for --tail: 'abc'"},
        {"tail negative", {"--tail=-1", song, "{dir}/a.wav"}, Expect::BadUsage, "invalid value for --tail"},
        {"tail not finite", {"--tail", "nan", song, "{dir}/a.wav"}, Expect::BadUsage, "invalid value for --tail"},
        {"unknown option", {"--loud", song, "{dir}/a.wav"}, Expect::BadUsage, "unrecognized option '--loud'"},
        {"not a wav name", {song, "{dir}/a.mp3"}, Expect::BadUsage, "cannot write '{dir}/a.mp3'"},
        {"missing song", {"{dir}/none.mid", "{dir}/a.wav"}, Expect::Failure, "{dir}/none.mid: No such file or directory"},
        {"missing soundfont", {"--soundfont", "{dir}/none.sf2", song, "{dir}/a.wav"}, Expect::Failure, "{dir}/none.sf2: No such file or directory"},
        {"song is a folder", {dir, "{dir}/a.wav"}, Expect::Failure, "{dir}: Is a directory"},
        {"song is a FIFO", {"{dir}/pipe.mid", "{dir}/a.wav"}, Expect::Failure, "{dir}/pipe.mid: Not a regular file"},
    };
    for (Case c : cases) {
        const ToolResult result = RunProgram(KORVAN_MIDI_TOOL, Fill(c.Arguments, "", dir), dir);
        c.Message = Fill({c.Message}, "", dir).front();
        Check(c, result, "korvan-midi-render");
    }
}

}  // namespace

namespace {

using namespace korvan::testing;

TEST(KorvanMidiRenderOutput, StandardOutputCarriesTheWavFile)
{
    TempFolder folder;
    const std::string dir = folder.Path().string(), wav = folder.File("song.WAV");
    const std::string song = KORVAN_RUN_DIR "/Music/Music1.mid";
    const ToolResult toFile = RunProgram(KORVAN_MIDI_TOOL, {"--tail=0", song, wav}, dir);
    ASSERT_EQ(toFile.Status, 0) << toFile.Err;
    const ToolResult toOut = RunProgram(KORVAN_MIDI_TOOL, {"--tail", "0", song, "-"}, dir);
    ASSERT_EQ(toOut.Status, 0) << toOut.Err;
    const std::string bytes = FileBytes(wav);
    EXPECT_TRUE(bytes.starts_with("RIFF") && bytes.substr(8, 8) == "WAVEfmt ");
    EXPECT_GT(bytes.size(), 44u);
    EXPECT_TRUE(toOut.Out == bytes);
    // The summary moves to stderr when stdout carries the sound.
    EXPECT_EQ(toOut.Err, toFile.Out);
}

}  // namespace
