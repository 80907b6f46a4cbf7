// Making the back buffer from Black.BMP.
#include "render/BackBuffer.h"

#include <algorithm>
#include <cstring>

namespace korvan {

void UseAsBackBuffer(Artwork& artwork, const IndexedImage& picture)
{
    IndexedImage buffer(BackBufferWidth, BackBufferHeight);
    buffer.Palette = picture.Palette;
    const int width = std::min(picture.Width, BackBufferWidth);
    for (int y = 0; y < std::min(picture.Height, BackBufferHeight) && width > 0; ++y)
        std::memcpy(buffer.ScanLine(y), picture.ScanLine(y), std::size_t(width));
    artwork.BackBuffer = std::move(buffer);
}

}  // namespace korvan
