// korvan-map generate --seed N -o FILE: the map the editor would generate from random state N.
#include "Verbs.h"

#include "map/MapFile.h"
#include "map/MapGenerator.h"
#include "map/RandomSource.h"

#include <memory>

namespace korvan::cli {

int Generate(const Args& args)
{
    long long seed = -1;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--seed")
            seed = ParseInteger(TakeValue(args, i), 0, 0xFFFFFFFFLL);
        else if (args[i] == "-o")
            output = TakeValue(args, i);
        else
            throw UsageError("unknown argument: " + args[i]);
    }
    if (seed < 0 || output.empty())
        throw UsageError("generate needs --seed N and -o FILE");

    auto cells = std::make_unique<MapGrid>();
    RandomSource rng{static_cast<std::uint32_t>(seed)};
    GenerateMap(*cells, rng);
    SaveMap(*cells, output);
    return 0;
}

}  // namespace korvan::cli
