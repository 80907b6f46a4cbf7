// The pictures the generator draws; each lives in a file of its own.
#pragma once

#include "render/IndexedImage.h"

#include <QImage>

#include <string>

namespace korvan::art {

IndexedImage MakeBlack();            // 640 x 480 of index 0
IndexedImage MakeTerrit();           // the ten ground tiles, legend layout
IndexedImage MakeQuadri();           // the 32 coast quarter pieces
IndexedImage MakeLands();            // 60 land overlays, by columns
IndexedImage MakeTerrainFeatures();  // 40 land and 8 sea features
IndexedImage MakeUnits();            // 54 unit sprites
IndexedImage MakeCities();           // loaded, never drawn
IndexedImage MakeSplatt();           // the intro picture

QImage MakeAuthorPortrait();  // 80 x 88, true colour
QImage MakeAuthorBanner();    // 200 x 80, true colour
QImage MakeVersionBadge();    // 111 x 46, 8-bit with its own palette
QImage MakeIcon(int size);    // the window icon, 16 colours

// Pixel (x, y) of terrain's ground tile, in its 66 x 34 window (inside the diamond).
int GroundPixel(int terrain, int x, int y);

// A new picture carrying the shared palette, every pixel index 0.
IndexedImage Blank(int width, int height);

}  // namespace korvan::art
