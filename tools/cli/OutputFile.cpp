// The tools' output and input checks over the core's file routines, with failures reworded as
// "PATH: reason" in the operating system's words.
#include "OutputFile.h"

#include "CommandLine.h"
#include "base/FileAccess.h"
#include "base/KorvanError.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace korvan::cli {

namespace {

void WriteAll(int fd, std::span<const std::uint8_t> bytes, const std::string& name)
{
    const std::uint8_t* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw Failure(name, std::strerror(written < 0 ? errno : ENOSPC));
        data += written;
        left -= static_cast<std::size_t>(written);
    }
}

}  // namespace

void WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes)
{
    if (path == "-") {
        // As gzip does: binary data on a terminal is of no use and may upset it.
        if (::isatty(STDOUT_FILENO))
            throw Failure("standard output", "binary data not written to a terminal (redirect it or name a file)");
        WriteAll(STDOUT_FILENO, bytes, "standard output");
        return;
    }
    try {
        WriteFileAtomically(path, bytes.data(), bytes.size());
    } catch (const FileError& error) {
        throw Failure(path, SystemReason(error));
    }
}

void RequireRegularInput(const std::string& path)
{
    try {
        ReadRegularFile(path, 0);
    } catch (const FileError& error) {
        throw Failure(path, SystemReason(error));
    }
}

}  // namespace korvan::cli
