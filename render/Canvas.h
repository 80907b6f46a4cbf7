// What every blit draws with: the artwork (sheets and back buffer), the view's clip rectangle
// and the water shimmer that runs on from pixel to pixel.
#pragma once

#include "render/Artwork.h"
#include "render/Shimmer.h"
#include "render/ViewState.h"

namespace korvan {

struct Canvas : Artwork, ViewState, ShimmerState {};

}  // namespace korvan
