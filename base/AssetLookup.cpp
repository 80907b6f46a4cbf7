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

std::string ExecutableFolder()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
}

}  // namespace korvan
