// korvan-map frame FILE -o OUT: the editor's back buffer after K frame ticks over a map.
#include "Verbs.h"

#include "OutputFile.h"
#include "PictureOutput.h"
#include "edit/BrushModes.h"
#include "edit/Editor.h"
#include "edit/Frame.h"
#include "map/MapFile.h"

#include <cstdio>
#include <limits>
#include <memory>

namespace korvan::cli {

namespace {

constexpr long long Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr long long Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr long long LastMode = EditModeLimit;

}  // namespace

int Frame(const QStringList& words)
{
    Options options("Usage: korvan-map frame FILE.korv -o OUT.bmp|OUT.png [options]",
                    "Loads the map and the artwork, sets the view and the brush, runs K frame ticks as the\n"
                    "editor does (edge scroll, clamp, clear, map, brush preview) and writes the 640 x 480\n"
                    "back buffer with Black.BMP's palette. -o - writes a BMP to standard output.",
                    {{{"o", "output"}, "OUT", "the picture: .bmp or .png"},
                     {{"scroll"}, "X Y", "scroll offsets (default 10 200; also --scroll=X,Y)", true},
                     {{"cursor"}, "X Y", "cursor position (default 0 0; also --cursor=X,Y)", true},
                     {{"mode"}, "M", "brush mode 0..4 (default 3)"},
                     {{"item"}, "I", "the item of that mode (default 0)"},
                     {{"frames"}, "K", "frame ticks to run, 1..100000 (default 1)"},
                     {{"assets"}, "DIR", "the folder that holds Graphic/ (default: as the editor finds it)"}});
    options.Parse(words);
    if (options.Help()) {
        std::fputs(options.HelpText().c_str(), stdout);
        return 0;
    }
    const auto [input, output, assets, format] = TakeDrawingFiles(options, "frame", PictureFormat::Bmp);

    auto editor = std::make_unique<Editor>();
    const auto [scrollX, scrollY] =
        options.IsSet("scroll") ? ParsePair("--scroll", options.Value("scroll"), Int32Min, Int32Max) : std::pair{10LL, 200LL};
    const auto [cursorX, cursorY] =
        options.IsSet("cursor") ? ParsePair("--cursor", options.Value("cursor"), Int32Min, Int32Max) : std::pair{0LL, 0LL};
    const long long mode = options.IsSet("mode") ? ParseInteger("--mode", options.Value("mode"), 0, LastMode) : 3;
    const long long frames = options.IsSet("frames") ? ParseInteger("--frames", options.Value("frames"), 1, 100000) : 1;
    const BrushModeInfo& brushMode = BrushModes[mode];
    const long long item =
        options.IsSet("item") ? ParseInteger("--item", options.Value("item"), 0, brushMode.Items - 1) : 0;

    LoadMapFile(editor->Map.Cells, input);
    SetUpArtworkFrom(editor->Canvas, assets);
    editor->Canvas.ScrollX = std::int32_t(scrollX);
    editor->Canvas.ScrollY = std::int32_t(scrollY);
    editor->Canvas.CursorX = std::int32_t(cursorX);
    editor->Canvas.CursorY = std::int32_t(cursorY);
    editor->Brush.EditMode = std::int32_t(mode);
    editor->Brush.*brushMode.Item = std::int32_t(item);
    for (long long k = 0; k < frames; ++k)
        OnFile({}, [&] { FrameTick(*editor); });
    WriteOutput(output, EncodePicture(editor->Canvas.BackBuffer, format));
    return 0;
}

}  // namespace korvan::cli
