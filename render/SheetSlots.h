// The six tile sheets in their slots, each under a stamp that names its pixels.
#pragma once

#include "render/IndexedImage.h"
#include "render/SheetCatalogue.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvan {

// Sheets are read by slot and changed only whole, through Set, which takes a new stamp for the
// slot, as ChangeCells does for the map: whatever was made from a sheet (an encoding, a drawn
// frame) keeps the stamp and can tell whether the sheet is still the one it was made from, even
// when a new picture lands at the address the old one had. A stamp is unique in the process;
// copies carry the stamps with the sheets they copy; 0 for a slot never set.
class SheetSlots {
public:
    const IndexedImage& operator[](std::size_t slot) const { return sheets_[slot]; }
    std::uint64_t Version(std::size_t slot) const { return versions_[slot]; }

    // Puts the picture into the slot under a new stamp and gives back the one it held.
    IndexedImage Set(std::size_t slot, IndexedImage sheet);

private:
    std::array<IndexedImage, SheetCount> sheets_;
    std::array<std::uint64_t, SheetCount> versions_{};
};

}  // namespace korvan
