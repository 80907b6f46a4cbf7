// The asset folders, searched in order.
#include "base/AssetLookup.h"

#include <filesystem>

namespace korvan {

std::string ResolveAsset(const std::string& name, const std::string& exeDir)
{
    std::string relative = name;
    for (char& c : relative)
        if (c == '\\')
            c = '/';
    namespace fs = std::filesystem;
    std::error_code ignored;
    for (const fs::path& candidate : {fs::path(relative), fs::path(exeDir) / relative,
                                      fs::path(exeDir) / ".." / "share" / "korvan" / relative})
        if (fs::exists(candidate, ignored))
            return candidate.string();
    return relative;
}

}  // namespace korvan
