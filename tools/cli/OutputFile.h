// Writing a tool's output: "-" is standard output; anything else is replaced atomically.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace korvan::cli {

// Writes bytes to path as a whole new file or not at all: they go to a hidden temporary file
// beside the target, which is renamed over it once complete. On any failure the old file is left
// as it was, the temporary file is removed, and Failure(path, the OS's reason) is raised. Like
// map saves, a symbolic link is written through, a replaced file keeps its permission bits, and
// a target that exists and is not a regular file (a device, a FIFO) or is read-only is refused.
// "-" writes to standard output instead, unless standard output is a terminal: binary data is
// refused there, with Failure("standard output", ...).
void WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes);

// Checks that path can be read without blocking and is a regular file, so that a FIFO or a
// device given as input fails at once with its name instead of hanging. Raises Failure.
void RequireRegularInput(const std::string& path);

}  // namespace korvan::cli
