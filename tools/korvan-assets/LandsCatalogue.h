// The order of the 60 tiles of the Lands sheet: which kind of overlay sits at which value.
#pragma once

namespace korvan::art {

struct LandsGroup {
    int First, Count;
};

namespace lands {
inline constexpr LandsGroup Deciduous{0, 6};
inline constexpr LandsGroup Conifers{6, 6};
inline constexpr LandsGroup Palms{12, 3};
inline constexpr LandsGroup Hills{15, 5};
inline constexpr LandsGroup Mountains{20, 6};
inline constexpr LandsGroup SnowCaps{26, 3};
inline constexpr LandsGroup Marsh{29, 3};
inline constexpr LandsGroup Dunes{32, 3};
inline constexpr LandsGroup Rocks{35, 3};
inline constexpr LandsGroup Rivers{38, 12};
inline constexpr LandsGroup Lakes{50, 4};
inline constexpr LandsGroup Misc{54, 6};  // snowy firs, dead wood, crater, flowers, tall grass, cliffs
}  // namespace lands

// The overlays that suit a land type, for dressing preview maps.
inline LandsGroup OverlayFor(int terrain)
{
    switch (terrain) {
    case 0: return lands::Dunes;
    case 1: return lands::Rocks;
    case 2: return lands::Deciduous;
    case 3: return lands::Marsh;
    case 4: return lands::Hills;
    case 6: return lands::Conifers;
    case 7: return lands::Mountains;
    default: return lands::SnowCaps;
    }
}

}  // namespace korvan::art
