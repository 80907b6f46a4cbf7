// Sheets and map dressing for the preview pictures.
#pragma once

#include "Preview.h"

#include <string>

namespace korvan::art {

// The four map sheets from runDir/Graphic; a missing one is left empty.
PreviewSheets LoadPreviewSheets(const std::string& runDir);

// The generator places no Lands overlays; the preview scatters some on fitting land so that
// the overlays can be judged on a map too.
void DecorateForPreview(MapGrid& cells);

}  // namespace korvan::art
