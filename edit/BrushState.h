// The brush's part of the editor's state: one mode and one item per mode.
#pragma once

#include <cstdint>

namespace korvan {

struct BrushState {
    std::int32_t EditMode = 0;
    std::int32_t ItemTerrit = 0;
    std::int32_t ItemLands = 0;
    std::int32_t ItemTerrain = 0;
    std::int32_t ItemUnits = 0;
    std::int32_t ItemQuadri = 0;
};

}  // namespace korvan
