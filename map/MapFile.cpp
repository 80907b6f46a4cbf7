#include "map/MapFile.h"

#include "base/KorvanError.h"

#include <cstring>

namespace korvan {
namespace {

void PutLittle32(std::uint8_t* out, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    out[0] = static_cast<std::uint8_t>(v);
    out[1] = static_cast<std::uint8_t>(v >> 8);
    out[2] = static_cast<std::uint8_t>(v >> 16);
    out[3] = static_cast<std::uint8_t>(v >> 24);
}

std::int32_t GetLittle32(const std::uint8_t* in)
{
    const std::uint32_t v = std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 |
                            std::uint32_t(in[3]) << 24;
    return static_cast<std::int32_t>(v);
}

}  // namespace

std::vector<std::uint8_t> EncodeMap(const MapGrid& cells)
{
    std::vector<std::uint8_t> bytes(MapFileSize);
    std::uint8_t* out = bytes.data();
    for (const auto& row : cells)
        for (const auto& cell : row) {
            PutLittle32(out, cell.ScreenX);
            PutLittle32(out + 4, cell.ScreenY);
            out[8] = cell.Marker;
            out[9] = cell.Terrain;
            out[10] = cell.LandsTile;
            out[11] = cell.TerrainTile;
            std::memcpy(out + 12, cell.CornerTiles, 4);
            out += sizeof(MapCell);
        }
    return bytes;
}

void DecodeMap(const std::uint8_t* in, MapGrid& cells)
{
    for (auto& row : cells)
        for (auto& cell : row) {
            cell.ScreenX = GetLittle32(in);
            cell.ScreenY = GetLittle32(in + 4);
            cell.Marker = in[8];
            cell.Terrain = in[9];
            cell.LandsTile = in[10];
            cell.TerrainTile = in[11];
            std::memcpy(cell.CornerTiles, in + 12, 4);
            in += sizeof(MapCell);
        }
}

void SaveMap(const MapGrid& cells, const std::string& path, Links links)
{
    const std::vector<std::uint8_t> bytes = EncodeMap(cells);
    WriteFileAtomically(path, bytes.data(), bytes.size(), links);
}

std::uint64_t LoadMap(MapGrid& cells, const std::string& path)
{
    std::uint64_t fileSize = 0;
    const std::vector<std::uint8_t> bytes = ReadRegularFile(path, MapFileSize, &fileSize);
    if (bytes.size() < MapFileSize)
        throw FileError("Map file too short: " + std::to_string(bytes.size()) + " bytes (" +
                            std::to_string(MapFileSize) + " expected)",
                        0, path);
    DecodeMap(bytes.data(), cells);
    return fileSize;
}

}  // namespace korvan
