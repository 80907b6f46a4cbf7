// Helpers for the map file tests: generated grids, whole files as bytes, and the message a load
// or a save ends with.
#pragma once

#include "edit/Editor.h"
#include "base/KorvanError.h"
#include "map/MapFile.h"
#include "edit/NewMap.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace korvan::testing {

inline std::unique_ptr<MapGrid> GeneratedGrid(std::uint32_t seed)
{
    auto editor = std::make_unique<Editor>();
    editor->Rng.State = seed;
    GenerateMap(*editor);
    return std::make_unique<MapGrid>(editor->Map.Cells);
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "" when the load went through, otherwise its message.
inline std::string TryLoad(MapGrid& cells, const std::string& path)
{
    try {
        LoadMap(cells, path);
        return "";
    } catch (const FileError& error) {
        return error.what();
    }
}

inline std::string TrySave(const MapGrid& cells, const std::string& path)
{
    try {
        SaveMap(cells, path);
        return "";
    } catch (const FileError& error) {
        return error.what();
    }
}

}  // namespace korvan::testing
