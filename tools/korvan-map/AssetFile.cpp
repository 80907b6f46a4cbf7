// Where korvan-map finds the artwork, and loading it with failures that name the file.
#include "Verbs.h"

#include "OutputFile.h"
#include "map/MapFile.h"
#include "base/AssetLookup.h"
#include "render/ArtworkSetup.h"
#include "render/BmpFile.h"

#include <cstdio>
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
    return ResolveAsset(name, ExecutableFolder());
}

void LoadMapFile(MapGrid& cells, const std::string& path)
{
    // Checked first so that a FIFO or a device fails at once, and as what it is.
    RequireRegularInput(path);
    std::uint64_t size = 0;
    OnFile(path, [&] { size = LoadMap(cells, path); });
    if (size > MapFileSize)
        std::fprintf(stderr, "korvan-map: %s: warning: the file is longer than a map (%llu bytes; the first %zu are used)\n",
                     path.c_str(), static_cast<unsigned long long>(size), MapFileSize);
}

IndexedImage ReadArtwork(const std::string& name, const std::string& assetsDir)
{
    const std::string path = AssetFile(name, assetsDir);
    RequireRegularInput(path);
    IndexedImage picture;
    OnFile(path, [&] { picture = ReadIndexedBmp(path); });
    return picture;
}

void SetUpArtworkFrom(Canvas& canvas, const std::string& assetsDir)
{
    std::string path;  // the file being read, for a failure's message
    const AssetFinder find = [&](const std::string& name) {
        path = AssetFile(name, assetsDir);
        RequireRegularInput(path);
        return path;
    };
    try {
        SetUpArtwork(canvas, find);
    } catch (const KorvanError&) {
        OnFile(path, [] { throw; });
    }
}

}  // namespace korvan::cli
