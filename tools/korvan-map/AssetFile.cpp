// Where korvan-map finds the artwork.
#include "Verbs.h"

#include "base/AssetLookup.h"

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

}  // namespace korvan::cli
