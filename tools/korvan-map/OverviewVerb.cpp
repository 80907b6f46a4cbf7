// korvan-map overview FILE -o OUT.png: every cell of a map drawn into one picture.
#include "Verbs.h"

#include "base/KorvanError.h"
#include "map/MapFile.h"
#include "render/ArtworkSetup.h"
#include "render/BmpFile.h"
#include "render/MapView.h"

#include <QImage>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

namespace korvan::cli {

namespace {

// Stray anchors from an edited file could ask for any size; a generated map needs 7,988 x 3,756.
constexpr std::int64_t MaxSide = 16384;

}  // namespace

int Overview(const Args& args)
{
    std::string input, output, assets;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o")
            output = TakeValue(args, i);
        else if (args[i] == "--assets")
            assets = TakeValue(args, i);
        else if (args[i].starts_with("-") || !input.empty())
            throw UsageError("unknown argument: " + args[i]);
        else
            input = args[i];
    }
    if (input.empty() || output.empty())
        throw UsageError("overview needs FILE.korv and -o OUT.png");

    auto map = std::make_unique<MapState>();
    LoadMap(map->Cells, input);
    auto canvas = std::make_unique<Canvas>();
    SetUpArtwork(*canvas, [&](const std::string& name) { return AssetFile(name, assets); });

    std::int64_t left = std::numeric_limits<std::int64_t>::max(), top = left;
    std::int64_t right = std::numeric_limits<std::int64_t>::min(), bottom = right;
    for (const auto& row : map->Cells)
        for (const auto& cell : row) {
            left = std::min<std::int64_t>(left, cell.ScreenX);
            right = std::max<std::int64_t>(right, cell.ScreenX);
            top = std::min<std::int64_t>(top, cell.ScreenY);
            bottom = std::max<std::int64_t>(bottom, cell.ScreenY);
        }
    // One pixel of margin on the left and top for the left coast piece (x - 1) and the strict
    // cull bounds; the right and bottom leave room for a whole window past the last anchor.
    const std::int64_t width = right - left + 68, height = bottom - top + 36;
    if (width > MaxSide || height > MaxSide)
        throw KorvanError("The cell anchors spread too far for one picture: " + std::to_string(width) + " x " +
                          std::to_string(height) + " pixels");

    // The whole map's picture takes the back buffer's place, in Black.BMP's palette.
    IndexedImage picture(static_cast<int>(width), static_cast<int>(height));
    picture.Palette = canvas->BackBuffer.Palette;
    canvas->BackBuffer = std::move(picture);
    canvas->ViewRight = std::int32_t(width - 1);
    canvas->ViewBottom = std::int32_t(height - 1);
    canvas->ScrollX = std::int32_t(1 - left);
    canvas->ScrollY = std::int32_t(1 - top);
    RenderMap(*canvas, map->Cells, 0, 0, LastIndex, LastIndex);
    WriteIndexedPicture(canvas->BackBuffer, output, "PNG");
    return 0;
}

}  // namespace korvan::cli
