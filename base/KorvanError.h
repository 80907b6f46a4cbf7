// The error that ends a handler: it carries the text the application's error box shows.
#pragma once

#include <stdexcept>
#include <string>

namespace korvan {

class KorvanError : public std::runtime_error {
public:
    explicit KorvanError(const std::string& message) : std::runtime_error(message) {}
};

// A failing file operation; the message is chosen from the error number.
class FileError : public KorvanError {
public:
    FileError(const std::string& message, int error) : KorvanError(message), Error(error) {}
    int Error;  // errno, or 0 where the failure has no error number
};

}  // namespace korvan
