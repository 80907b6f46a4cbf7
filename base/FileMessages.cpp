// Error numbers to the editor's file messages.
#include "base/FileMessages.h"

#include <cerrno>
#include <sys/stat.h>

namespace korvan {
namespace {

bool IsFolder(const std::string& path)
{
    struct stat info{};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string FileErrorMessage(int error, const std::string& path)
{
    switch (error) {
    case ENOENT:
        return IsFolder(FolderOf(path)) ? "File not found" : "Invalid filename";
    case ENOTDIR:
        return "Invalid filename";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
        return "File access denied";
    case ENOSPC:
    case EDQUOT:
        return "Disk full";
    default:
        return "I/O error " + std::to_string(error);
    }
}

}  // namespace korvan
