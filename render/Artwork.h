// The artwork's part of the editor's state: the six tile sheets, the blitters' encodings of
// them, and the back buffer every frame is drawn into.
#pragma once

#include "render/IndexedImage.h"
#include "render/SheetCatalogue.h"
#include "render/SheetCode.h"

#include <array>

namespace korvan {

struct Artwork {
    std::array<IndexedImage, SheetCount> Sheets;
    std::array<SheetCode, SheetCount> SheetCodes;  // the sheets as opaque runs, made when first blitted
    IndexedImage BackBuffer;
};

}  // namespace korvan
