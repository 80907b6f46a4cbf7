// A new map for the editor: the map layer's generator, with the brush reset that goes with it.
#pragma once

#include "map/MapGenerator.h"

namespace korvan {

struct Editor;

// Resets the brush mode and items to 0, then fills Cells with a new random map from Rng.
void GenerateMap(Editor& editor);

}  // namespace korvan
