// Where korvan-map finds the artwork, and loading it with failures that name the file.
#include "Verbs.h"

#include "OutputFile.h"
#include "map/MapFile.h"
#include "render/BmpFile.h"
#include "render/Sheets.h"
#include "render/SheetCatalogue.h"

#include <filesystem>

namespace korvan::cli {

std::string AssetFile(const std::string& name, const std::string& assetsDir)
{
    std::string relative = name;
    for (char& c : relative)
        if (c == '\\')
            c = '/';
    if (!assetsDir.empty())
        return (std::filesystem::path(assetsDir) / relative).string();
    std::error_code ignored;
    const auto exeDir = std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
    return ResolveAsset(name, exeDir.string());
}

void LoadMapFile(MapGrid& cells, const std::string& path)
{
    // Checked first so that a FIFO or a device fails at once, and as what it is.
    RequireRegularInput(path);
    OnFile(path, [&] { LoadMap(cells, path); });
}

IndexedImage ReadArtwork(const std::string& name, const std::string& assetsDir)
{
    const std::string path = AssetFile(name, assetsDir);
    RequireRegularInput(path);
    IndexedImage picture;
    OnFile(path, [&] { picture = ReadIndexedBmp(path); });
    return picture;
}

void LoadSheets(Editor& editor, const std::string& assetsDir)
{
    for (int slot = 0; slot < SheetCount; ++slot) {
        const std::string path = AssetFile(SheetFiles[std::size_t(slot)], assetsDir);
        RequireRegularInput(path);
        OnFile(path, [&] { LoadSheet(editor, path, slot); });
    }
}

}  // namespace korvan::cli
