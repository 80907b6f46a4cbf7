// Atomic output files for the command-line tools, and the input check that never blocks.
#include "OutputFile.h"

#include "CommandLine.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace korvan::cli {

namespace {

[[noreturn]] void Fail(const std::string& path, int error) { throw Failure(path, std::strerror(error)); }

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a write must replace: symbolic links followed, so that a link stays a link.
std::string Target(const std::string& path)
{
    std::string target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info{};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0)
            Fail(path, errno);
        link.resize(static_cast<std::size_t>(length));
        target = (!link.empty() && link[0] == '/') ? link : FolderOf(target) + "/" + link;
    }
    Fail(path, ELOOP);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Removes the temporary file unless it became the target.
class Temporary {
public:
    explicit Temporary(std::string path) : path_(std::move(path)) {}
    ~Temporary()
    {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

void WriteAll(int fd, std::span<const std::uint8_t> bytes, const std::string& path)
{
    const std::uint8_t* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            Fail(path, errno);
        if (written == 0)
            Fail(path, ENOSPC);
        data += written;
        left -= static_cast<std::size_t>(written);
    }
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

void WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes)
{
    if (path == "-") {
        WriteAll(STDOUT_FILENO, bytes, "standard output");
        return;
    }
    const std::string target = Target(path);
    mode_t mode = NewFileMode();
    struct stat existing{};
    if (::stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            Fail(path, EISDIR);
        if (!S_ISREG(existing.st_mode))
            throw Failure(path, "Not a regular file");
        if ((existing.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
            Fail(path, EACCES);
        mode = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        Fail(path, errno);
    }

    const std::string folder = FolderOf(target);
    std::string temporaryName = folder + "/.korvan-out-XXXXXX";
    Descriptor file(::mkostemp(temporaryName.data(), O_CLOEXEC));
    if (file.Get() < 0)
        Fail(path, errno);
    Temporary temporary(temporaryName);
    WriteAll(file.Get(), bytes, path);
    if (::fchmod(file.Get(), mode) != 0 || ::fsync(file.Get()) != 0)
        Fail(path, errno);
    if (::close(file.Release()) != 0)
        Fail(path, errno);
    if (::rename(temporaryName.c_str(), target.c_str()) != 0)
        Fail(path, errno);
    temporary.Keep();
}

void RequireRegularInput(const std::string& path)
{
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0)
        Fail(path, errno);
    struct stat info{};
    if (::fstat(file.Get(), &info) != 0)
        Fail(path, errno);
    if (S_ISDIR(info.st_mode))
        Fail(path, EISDIR);
    if (!S_ISREG(info.st_mode))
        throw Failure(path, "Not a regular file");
}

}  // namespace korvan::cli
