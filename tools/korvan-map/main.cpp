// korvan-map: generate, inspect and draw .korv maps from the command line.
#include "Verbs.h"

#include <cstdio>
#include <iterator>

namespace {

using namespace korvan::cli;

constexpr Verb Verbs[] = {
    {"generate", "generate --seed N -o FILE.korv | --seeds A-B -o DIR", Generate},
    {"info", "info FILE.korv", Info},
    {"frame", "frame FILE.korv -o OUT.bmp|OUT.png [--scroll X Y] [--cursor X Y] [--mode M] [--item I] [--frames K] [--assets DIR]", Frame},
    {"overview", "overview FILE.korv -o OUT.png|OUT.bmp [--assets DIR]", Overview},
};

std::string ToolUsage()
{
    std::string usage;
    for (const Verb& verb : Verbs)
        usage += std::string(usage.empty() ? "Usage: " : "       ") + "korvan-map " + verb.Synopsis + "\n";
    return usage + "Try 'korvan-map --help' for more information.\n";
}

constexpr const char* Help =
    "Generate, inspect and draw KORVAN Editor maps (.korv files).\n"
    "\n"
    "Commands:\n"
    "  generate   the map that random state N gives (--seed N), or one file per state of a range\n"
    "             (--seeds A-B, files DIR/N.korv), written as the editor's \"Salva Mappa\" writes it\n"
    "  info       size, cells per terrain value, values out of range\n"
    "  frame      the editor's 640 x 480 frame after K frame ticks, with Black.BMP's palette\n"
    "  overview   every cell of the map in one picture\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help (after a command: that command's options) and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Pictures are written as BMP or PNG after the output name's extension; -o - writes to\n"
    "standard output. Outputs replace their file atomically. Exit status: 0 done, 1 failed,\n"
    "2 bad usage.\n";

}  // namespace

int main(int argc, char** argv)
{
    return RunTool("korvan-map", ToolUsage(), [&](std::string& usage) {
        const QStringList words = Words(argc, argv);
        if (words.size() < 2)
            throw UsageError("missing command");
        const QString& first = words[1];
        if (first == "--help" || first == "-h") {
            std::string text = ToolUsage();
            text.resize(text.rfind("Try "));
            std::fputs((text + "\n" + Help).c_str(), stdout);
            return 0;
        }
        if (first == "--version") {
            std::fputs(VersionText("korvan-map").c_str(), stdout);
            return 0;
        }
        for (const Verb& verb : Verbs)
            if (first == verb.Name) {
                usage = std::string("Usage: korvan-map ") + verb.Synopsis + "\nTry 'korvan-map " + verb.Name +
                        " --help' for more information.\n";
                return verb.Run(words.mid(2));
            }
        if (first.startsWith('-'))
            throw UsageError(first.startsWith("--") ? "unrecognized option '" + Bytes(first) + "'"
                                                    : "invalid option -- '" + Bytes(first.mid(1, 1)) + "'");
        throw UsageError("unknown command '" + Bytes(first) + "'");
    });
}
