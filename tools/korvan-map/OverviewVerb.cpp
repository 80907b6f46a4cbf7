// korvan-map overview FILE -o OUT: every cell of a map drawn into one picture.
#include "Verbs.h"

#include "OutputFile.h"
#include "PictureOutput.h"
#include "map/MapFile.h"
#include "render/ArtworkSetup.h"
#include "render/BmpFile.h"
#include "render/MapView.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>

namespace korvan::cli {

namespace {

// Stray anchors from an edited file could ask for any size; a generated map needs 7,988 x 3,756.
constexpr std::int64_t MaxSide = 16384;

}  // namespace

int Overview(const QStringList& words)
{
    Options options("Usage: korvan-map overview FILE.korv -o OUT.png|OUT.bmp [--assets DIR]",
                    "Draws every cell of the map, at its anchor, into one picture just large enough for all\n"
                    "of them, with Black.BMP's palette. -o - writes a PNG to standard output.",
                    {{{"o", "output"}, "OUT", "the picture: .png or .bmp"},
                     {{"assets"}, "DIR", "the folder that holds Graphic/ (default: as the editor finds it)"}});
    options.Parse(words);
    if (options.Help()) {
        std::fputs(options.HelpText().c_str(), stdout);
        return 0;
    }
    const auto [input, output, assets, format] = TakeDrawingFiles(options, "overview", PictureFormat::Png);

    auto map = std::make_unique<MapState>();
    LoadMapFile(map->Cells, input);
    auto editor = std::make_unique<Canvas>();  // the picture takes the back buffer's place
    SetUpArtworkFrom(*editor, assets);

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
        throw Failure(input, "the cell anchors spread too far for one picture: " + std::to_string(width) + " x " +
                                 std::to_string(height) + " pixels");

    // The scroll that would bring the anchors to the picture (1 - left) need not fit 32 bits when
    // they lie near INT32_MIN; their spread does, so the anchors move instead and the scroll is 1.
    for (auto& row : map->Cells)
        for (auto& cell : row) {
            cell.ScreenX = std::int32_t(cell.ScreenX - left);
            cell.ScreenY = std::int32_t(cell.ScreenY - top);
        }
    // For a PNG the canvas has one more column, on the left, which the clip keeps empty: its rows
    // then are the PNG's rows, each led by filter byte 0, and need no copy before compression.
    const int lead = format == PictureFormat::Png ? 1 : 0;
    IndexedImage canvas(static_cast<int>(width) + lead, static_cast<int>(height));
    canvas.Palette = editor->BackBuffer.Palette;  // Black.BMP's
    editor->BackBuffer = std::move(canvas);
    editor->ViewLeft = lead;
    editor->ViewRight = std::int32_t(width - 1 + lead);
    editor->ViewBottom = std::int32_t(height - 1);
    editor->ScrollX = 1 + lead;
    editor->ScrollY = 1;
    OnFile({}, [&] { RenderMap(*editor, map->Cells, 0, 0, LastIndex, LastIndex); });
    const IndexedImage& picture = editor->BackBuffer;
    WriteOutput(output, lead != 0 ? EncodePngRows(picture.Pixels, int(width), int(height), picture.Palette)
                                  : EncodePicture(picture, format));
    return 0;
}

}  // namespace korvan::cli
