// The back buffer: 640 x 480 indices in the palette of "Graphic\Black.BMP".
#pragma once

#include "render/Artwork.h"

namespace korvan {

inline constexpr int BackBufferWidth = 640;
inline constexpr int BackBufferHeight = 480;

// Makes the back buffer from Black.BMP. It is always 640 x 480: a smaller picture is padded
// with index 0 and a larger one cut, so that every frame has the size the view is made for.
void UseAsBackBuffer(Artwork& artwork, const IndexedImage& picture);

}  // namespace korvan
