// The sheet catalogue's files and the loader that puts a sheet into its slot.
#pragma once

#include "render/Artwork.h"

#include <array>
#include <string>

namespace korvan {

// In slot order; the backslash is the folder separator (see ResolveAsset).
inline constexpr std::array<const char*, SheetCount> SheetFiles = {
    "Graphic\\Cities.BMP", "Graphic\\Units.BMP",   "Graphic\\Territ.BMP",
    "Graphic\\Lands.BMP",  "Graphic\\Terrain.BMP", "Graphic\\Quadri.BMP",
};

// Puts a new empty picture into the slot, then reads the BMP at path into it. A failing read
// raises FileError or KorvanError and leaves the slot empty.
void LoadSheet(Artwork& artwork, const std::string& path, int slot);

// Puts a picture into a slot under a new stamp (see SheetSlots), drops the blitters' encodings
// of the one it held (they encode the new one at their first blit) and gives that one back.
IndexedImage SetSheet(Artwork& artwork, int slot, IndexedImage sheet);

}  // namespace korvan
