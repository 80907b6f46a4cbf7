// korvan-map frame FILE -o OUT.bmp: the editor's back buffer after K frame ticks over a map.
#include "Verbs.h"

#include "edit/BrushModes.h"
#include "edit/Editor.h"
#include "edit/Frame.h"
#include "map/MapFile.h"
#include "render/ArtworkSetup.h"
#include "render/BmpFile.h"

#include <limits>
#include <memory>

namespace korvan::cli {

namespace {

constexpr long long Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr long long Int32Max = std::numeric_limits<std::int32_t>::max();

}  // namespace

int Frame(const Args& args)
{
    std::string input, output, assets;
    long long scrollX = 10, scrollY = 200, cursorX = 0, cursorY = 0, mode = 3, item = -1, frames = 1;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            output = TakeValue(args, i);
        } else if (args[i] == "--scroll") {
            scrollX = ParseInteger(TakeValue(args, i), Int32Min, Int32Max);
            scrollY = ParseInteger(TakeValue(args, i), Int32Min, Int32Max);
        } else if (args[i] == "--cursor") {
            cursorX = ParseInteger(TakeValue(args, i), Int32Min, Int32Max);
            cursorY = ParseInteger(TakeValue(args, i), Int32Min, Int32Max);
        } else if (args[i] == "--mode") {
            mode = ParseInteger(TakeValue(args, i), Int32Min, Int32Max);
        } else if (args[i] == "--item") {
            item = ParseInteger(TakeValue(args, i), 0, 255);
        } else if (args[i] == "--frames") {
            frames = ParseInteger(TakeValue(args, i), 1, 100000);
        } else if (args[i] == "--assets") {
            assets = TakeValue(args, i);
        } else if (args[i].starts_with("-") || !input.empty()) {
            throw UsageError("unknown argument: " + args[i]);
        } else {
            input = args[i];
        }
    }
    if (input.empty() || output.empty())
        throw UsageError("frame needs FILE.korv and -o OUT.bmp");

    auto editor = std::make_unique<Editor>();
    const BrushModeInfo* brushMode = BrushModeOf(std::int32_t(mode));
    if (item >= 0 && (brushMode == nullptr || item >= brushMode->Items))
        throw UsageError("--item " + std::to_string(item) + " is not an item of mode " + std::to_string(mode));

    LoadMap(editor->Cells, input);
    SetUpArtwork(*editor, [&](const std::string& name) { return AssetFile(name, assets); });
    editor->ScrollX = std::int32_t(scrollX);
    editor->ScrollY = std::int32_t(scrollY);
    editor->CursorX = std::int32_t(cursorX);
    editor->CursorY = std::int32_t(cursorY);
    editor->EditMode = std::int32_t(mode);
    if (item >= 0)
        static_cast<BrushState&>(*editor).*brushMode->Item = std::int32_t(item);
    for (long long k = 0; k < frames; ++k)
        FrameTick(*editor);
    WriteIndexedBmp(editor->BackBuffer, output);
    return 0;
}

}  // namespace korvan::cli
