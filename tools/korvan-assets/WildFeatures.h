// The natural features of the Terrain sheet's land half.
#pragma once

#include "Draw.h"

namespace korvan::art {

// Draws land feature v onto c if it is one of the natural ones; false leaves c untouched.
bool DrawWildFeature(Canvas& c, int v);

}  // namespace korvan::art
