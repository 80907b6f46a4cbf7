// Pictures and music not drawn yet: blank pictures of the right size.
#include "Artwork.h"


namespace korvan::art {
IndexedImage MakeCities() { return Blank(64, 64); }
IndexedImage MakeSplatt() { return Blank(400, 300); }
QImage MakeAuthorPortrait() { QImage i(80, 88, QImage::Format_RGB888); i.fill(0); return i; }
QImage MakeAuthorBanner() { QImage i(200, 80, QImage::Format_RGB888); i.fill(0); return i; }
QImage MakeVersionBadge() { QImage i(111, 46, QImage::Format_Indexed8); i.setColorCount(256); i.fill(0); return i; }
QImage MakeIcon(int size) { QImage i(size, size, QImage::Format_Indexed8); i.setColorCount(256); i.fill(0); return i; }
}  // namespace korvan::art
