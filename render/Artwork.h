// The artwork's part of the editor's state: the six tile sheets, each blitter's encodings of
// them, and the back buffer every frame is drawn into.
#pragma once

#include "render/BlitterKind.h"
#include "render/IndexedImage.h"
#include "render/SheetCatalogue.h"
#include "render/SheetEncoding.h"
#include "render/SheetSlots.h"

#include <array>
#include <memory>

namespace korvan {

struct Artwork {
    SheetSlots Sheets;  // changed through SetSheet or LoadSheet
    // Each blitter's encoding of each sheet, made at its first blit of the sheet and made anew
    // when the sheet's stamp changes (see EncodingOf). Shared, never changed: a copy keeps them.
    std::array<std::array<std::shared_ptr<const SheetEncoding>, SheetCount>, BlitterKindCount> Encodings;
    IndexedImage BackBuffer;
};

}  // namespace korvan
