// korvan-map generate: the map the editor would generate from random state N, or a whole range.
#include "Verbs.h"

#include "OutputFile.h"
#include "map/MapFile.h"
#include "map/MapGenerator.h"
#include "map/RandomSource.h"

#include <cstdio>
#include <memory>

namespace korvan::cli {

namespace {

constexpr long long LastState = 0xFFFFFFFFLL;

// "A-B" with A <= B, both random states.
std::pair<std::uint32_t, std::uint32_t> ParseRange(const std::string& text)
{
    const auto dash = text.find('-');
    if (dash == std::string::npos || dash == 0)
        throw UsageError("invalid value for --seeds: '" + text + "' (a range A-B of whole numbers in 0.." +
                         std::to_string(LastState) + ")");
    const long long first = ParseInteger("--seeds", text.substr(0, dash), 0, LastState);
    const long long last = ParseInteger("--seeds", text.substr(dash + 1), 0, LastState);
    if (first > last)
        throw UsageError("invalid value for --seeds: '" + text + "' (the first state is past the last)");
    return {std::uint32_t(first), std::uint32_t(last)};
}

}  // namespace

int Generate(const QStringList& words)
{
    Options options("Usage: korvan-map generate --seed N -o FILE.korv\n"
                    "       korvan-map generate --seeds A-B -o DIR",
                    "Sets the random state to N (0..4294967295), generates the map as the editor does and\n"
                    "writes it as \"Salva Mappa\" would. With --seeds, writes DIR/N.korv for every N from A\n"
                    "to B on all processors (the same bytes as one --seed N each), with a progress bar\n"
                    "when standard error is a terminal. -o - writes one map to standard output.",
                    {{{"seed"}, "N", "the random state"},
                     {{"seeds"}, "A-B", "every random state from A to B, one file each"},
                     {{"o", "output"}, "FILE", "the map file, or the folder for --seeds (made if missing)"}});
    options.Parse(words);
    if (options.Help()) {
        std::fputs(options.HelpText().c_str(), stdout);
        return 0;
    }
    if (!options.Positional().empty())
        throw UsageError("unexpected argument '" + options.Positional().front() + "'");
    if (options.IsSet("seed") && options.IsSet("seeds"))
        throw UsageError("generate takes only one of --seed N or --seeds A-B");
    if (!options.IsSet("seed") && !options.IsSet("seeds"))
        throw UsageError("generate needs one of --seed N or --seeds A-B");
    if (!options.IsSet("output"))
        throw UsageError("generate needs -o FILE");
    const std::string output = options.Value("output");

    if (options.IsSet("seeds")) {
        const auto [first, last] = ParseRange(options.Value("seeds"));
        if (output == "-")
            throw UsageError("--seeds writes files into a folder, not to standard output");
        return GenerateBatch(first, last, output);
    }
    // Only the grid and the random source: the generator needs no editor.
    auto map = std::make_unique<MapState>();
    RandomSource rng{static_cast<std::uint32_t>(ParseInteger("--seed", options.Value("seed"), 0, LastState))};
    GenerateMap(map->Cells, rng);
    if (output == "-") {
        const std::vector<std::uint8_t> bytes = EncodeMap(map->Cells);
        WriteOutput(output, bytes);
    } else {
        OnFile(output, [&] { SaveMap(map->Cells, output); });
    }
    return 0;
}

}  // namespace korvan::cli
