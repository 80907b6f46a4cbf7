// Loading the tile sheets into their slots.
#include "render/Sheets.h"

#include "render/BmpFile.h"

#include <utility>

namespace korvan {

IndexedImage SetSheet(Artwork& artwork, int slot, IndexedImage sheet)
{
    for (auto& encodings : artwork.Encodings)
        encodings[std::size_t(slot)].reset();
    return artwork.Sheets.Set(std::size_t(slot), std::move(sheet));
}

void LoadSheet(Artwork& artwork, const std::string& path, int slot)
{
    SetSheet(artwork, slot, IndexedImage());
    SetSheet(artwork, slot, ReadIndexedBmp(path));
}

}  // namespace korvan
