// .korv map files: the grid's exact byte image, 14,641 records of 16 bytes, little-endian,
// row by row, no header.
#pragma once

#include "base/FileAccess.h"
#include "map/MapGrid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvan {

// The file image of the grid, and back. Host byte order does not matter.
std::vector<std::uint8_t> EncodeMap(const MapGrid& cells);
void DecodeMap(const std::uint8_t* bytes, MapGrid& cells);  // reads MapFileSize bytes

// Writes the map to path atomically, as WriteFileAtomically does (only a regular file is ever
// replaced; with Links::Refuse a link at path is refused). Failures raise FileError.
void SaveMap(const MapGrid& cells, const std::string& path, Links links = Links::Follow);

// Reads the first MapFileSize bytes of a regular file into cells, as ReadRegularFile does (never
// blocking, reading only). A file shorter than a whole map is rejected; on any failure cells is unchanged.
// Returns the file's whole size: a longer file loads its first MapFileSize bytes, and the caller
// may say so.
std::uint64_t LoadMap(MapGrid& cells, const std::string& path);

}  // namespace korvan
