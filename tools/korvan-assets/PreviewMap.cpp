// Loading the sheets for a preview, and scattering Lands overlays over a generated map.
#include "PreviewMap.h"

#include "Draw.h"
#include "LandsCatalogue.h"

#include "render/BmpFile.h"

namespace korvan::art {

PreviewSheets LoadPreviewSheets(const std::string& runDir)
{
    auto load = [&](const char* name) {
        try {
            return ReadIndexedBmp(runDir + "/Graphic/" + name);
        } catch (const KorvanError&) {
            return IndexedImage();
        }
    };
    return PreviewSheets{load("Territ.BMP"), load("Lands.BMP"), load("Terrain.BMP"), load("Quadri.BMP")};
}

void DecorateForPreview(MapGrid& cells)
{
    Rng rng(4242);
    for (int r = 1; r < LastIndex; ++r)
        for (int c = 1; c < LastIndex; ++c) {
            MapCell& cell = cells[r][c];
            if (cell.Terrain == SeaTerrain || cell.Terrain == 5 || rng.Below(100) >= 30)
                continue;
            const LandsGroup group = OverlayFor(cell.Terrain);
            cell.LandsTile = std::uint8_t(group.First + rng.Below(group.Count));
        }
}

}  // namespace korvan::art
