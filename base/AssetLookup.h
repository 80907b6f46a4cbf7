// Where the artwork and the music are found: the working folder, beside the executable, or the
// installed share folder.
#pragma once

#include <string>

namespace korvan {

// The file for an asset name such as "Graphic\Black.BMP": the backslash is the folder
// separator, and the file is looked for in the working folder, then in exeDir, then in
// exeDir/../share/korvan. When it is nowhere, the working-folder path is returned, so that
// opening it reports the usual error.
std::string ResolveAsset(const std::string& name, const std::string& exeDir);

// The folder of the running executable, byte for byte as the kernel names it (/proc/self/exe),
// whatever its encoding; "." when it cannot be read.
std::string ExecutableFolder();

}  // namespace korvan
