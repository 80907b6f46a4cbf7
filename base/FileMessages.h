// The messages the editor shows for a failing file call, shared by maps, pictures and music.
#pragma once

#include <string>

namespace korvan {

// The message for a failing file call on path with error number error.
std::string FileErrorMessage(int error, const std::string& path);

// The folder part of a path: "." for a bare name, "/" for a file at the root.
std::string FolderOf(const std::string& path);

}  // namespace korvan
