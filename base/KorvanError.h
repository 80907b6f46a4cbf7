// The error that ends a handler: it carries the text the application's error box shows.
#pragma once

#include <cerrno>
#include <stdexcept>
#include <string>
#include <utility>

namespace korvan {

class KorvanError : public std::runtime_error {
public:
    explicit KorvanError(const std::string& message) : std::runtime_error(message) {}
};

// A failing file operation, or a file whose content is refused. The message is what the error
// box shows; Reason is the same without the file's name, for those that put the name first.
class FileError : public KorvanError {
public:
    FileError(const std::string& message, int error, std::string path = {}, std::string reason = {})
        : KorvanError(message), Error(error), Path(std::move(path)), Reason(reason.empty() ? message : std::move(reason))
    {
    }
    int Error;           // errno, or 0 where the failure has no error number
    std::string Path;    // the file the failure is about, as the caller named it
    std::string Reason;  // "File not found", "Bitmap image is not valid", ...
};

// A file that exists but is not a regular file (a FIFO, a socket, a device node), refused before
// anything is read from or written to it. The dialogs show it as "File access denied" (EACCES).
class NotRegularFileError : public FileError {
public:
    explicit NotRegularFileError(std::string path, const std::string& message = "File access denied")
        : FileError(message, EACCES, std::move(path), "Not a regular file")
    {
    }
};

// A save that would have written through a symbolic link where links are not followed (a batch's
// folder): refused, and the link left as it was.
class LinkRefusedError : public FileError {
public:
    explicit LinkRefusedError(std::string path)
        : FileError("File access denied", EACCES, std::move(path), "Is a symbolic link, not written through")
    {
    }
};

}  // namespace korvan
