// korvan-map info FILE: size, cells per terrain value, and values out of their ranges.
#include "Verbs.h"

#include "map/MapFile.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace korvan::cli {

int Info(const Args& args)
{
    if (args.size() != 1)
        throw UsageError("info needs exactly one FILE");
    const std::string& path = args[0];
    auto cells = std::make_unique<MapGrid>();
    LoadMap(*cells, path);

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
    std::printf("size: %ju bytes\n", static_cast<std::uintmax_t>(std::filesystem::file_size(path)));
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
