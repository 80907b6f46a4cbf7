// Pictures and music not drawn yet: blank pictures of the right size.
#include "Artwork.h"
#include "Music.h"

namespace korvan::art {
IndexedImage MakeLands() { return Blank(455, 298); }
IndexedImage MakeTerrainFeatures() { return Blank(520, 199); }
IndexedImage MakeUnits() { return Blank(585, 294); }
IndexedImage MakeCities() { return Blank(64, 64); }
IndexedImage MakeSplatt() { return Blank(400, 300); }
QImage MakeAuthorPortrait() { QImage i(80, 88, QImage::Format_RGB888); i.fill(0); return i; }
QImage MakeAuthorBanner() { QImage i(200, 80, QImage::Format_RGB888); i.fill(0); return i; }
QImage MakeVersionBadge() { QImage i(111, 46, QImage::Format_Indexed8); i.setColorCount(256); i.fill(0); return i; }
QImage MakeIcon(int size) { QImage i(size, size, QImage::Format_Indexed8); i.setColorCount(256); i.fill(0); return i; }
}  // namespace korvan::art
namespace korvan::music {
std::vector<std::uint8_t> IntroTheme() { return {}; }
std::vector<std::uint8_t> EditorTheme() { return {}; }
}  // namespace korvan::music
