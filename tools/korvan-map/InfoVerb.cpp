// korvan-map info FILE: size, cells per terrain value, and values out of their ranges.
#include "Verbs.h"

#include "map/MapFile.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace korvan::cli {

int Info(const QStringList& words)
{
    Options options("Usage: korvan-map info FILE.korv",
                    "Prints a map file's size, the cells of each terrain value, the tiles it places, and how\n"
                    "many values lie outside the ranges the editor draws.",
                    {});
    options.Parse(words);
    if (options.Help()) {
        std::fputs(options.HelpText().c_str(), stdout);
        return 0;
    }
    if (options.Positional().size() != 1)
        throw UsageError("info needs exactly one FILE.korv");
    const std::string path = options.Positional().front();
    auto cells = std::make_unique<MapGrid>();
    LoadMapFile(*cells, path);
    struct stat info{};
    const long long size = ::stat(path.c_str(), &info) == 0 ? static_cast<long long>(info.st_size) : -1;

    long terrainCount[256] = {};
    long terrainOut = 0, landsOut = 0, featureOut = 0, cornerOut = 0, landsTiles = 0, features = 0, corners = 0;
    for (const auto& row : *cells)
        for (const auto& cell : row) {
            ++terrainCount[cell.Terrain];
            terrainOut += cell.Terrain > SeaTerrain;
            landsOut += cell.LandsTile > NoLandsTile;
            featureOut += cell.TerrainTile > NoTerrainTile;
            landsTiles += cell.LandsTile < NoLandsTile;
            features += cell.TerrainTile < NoTerrainTile;
            for (const auto corner : cell.CornerTiles) {
                cornerOut += corner >= 32 && corner != NoCorner;
                corners += corner < 32;
            }
        }

    std::printf("file: %s\n", path.c_str());
    std::printf("size: %lld bytes\n", size);
    std::printf("terrain:\n");
    for (int t = 0; t < 256; ++t)
        if (terrainCount[t] != 0 || t <= SeaTerrain)
            std::printf("  %3d: %ld\n", t, terrainCount[t]);
    std::printf("lands tiles: %ld\nterrain tiles: %ld\ncoast pieces: %ld\n", landsTiles, features, corners);
    std::printf("out of range: terrain %ld, lands %ld, terrain tile %ld, corner %ld\n", terrainOut, landsOut,
                featureOut, cornerOut);
    return 0;
}

}  // namespace korvan::cli
