// Whole-file reads that never block, atomic writes that replace only regular files, and the
// dialog messages for failing file calls.
#include "base/FileAccess.h"

#include "base/KorvanError.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace korvan {
namespace {

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsFolder(const std::string& path)
{
    struct stat info{};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

[[noreturn]] void Fail(int error, const std::string& path)
{
    throw FileError(FileErrorMessage(error, path), error, path);
}

class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Removes the temporary file unless the write went through.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile()
    {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

// A link the kernel itself would refuse to follow (fs.protected_symlinks): in a sticky,
// world-writable folder such as /tmp, a link owned by neither the user nor the folder's owner.
// Following it ourselves would let anyone who can write there aim our save at any file.
bool PlantedByOthers(const std::string& link, const struct stat& linkInfo)
{
    struct stat folder{};
    if (::stat(FolderOf(link).c_str(), &folder) != 0)
        return true;  // cannot tell: follow nothing
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return shared && linkInfo.st_uid != ::geteuid() && linkInfo.st_uid != folder.st_uid;
}

// Follows a chain of symbolic links to the file that a save must replace, so that the link
// itself stays a link. A dangling link names the file to create. With links refused, a link
// is not followed at all.
std::string SaveTarget(const std::string& path, Links links)
{
    std::string target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info{};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        if (links == Links::Refuse)
            throw LinkRefusedError(path);
        if (PlantedByOthers(target, info))
            Fail(EACCES, path);
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0)
            Fail(errno, path);
        link.resize(static_cast<std::size_t>(length));
        target = (!link.empty() && link[0] == '/') ? link : FolderOf(target) + "/" + link;
    }
    Fail(ELOOP, path);
}

void WriteAll(int fd, const std::uint8_t* data, std::size_t size, const std::string& path)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno, path);
        }
        if (written == 0)
            Fail(ENOSPC, path);
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A save killed between creating its temporary file and renaming it leaves the file behind;
// the next save of the same target removes those of ours that nobody has touched for a while.
void RemoveAbandonedTemporaries(const std::string& folder, const std::string& prefix)
{
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        struct stat info{};
        if (::fstatat(::dirfd(listing), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
            now - info.st_mtime > AbandonedTemporarySeconds)
            ::unlinkat(::dirfd(listing), name.c_str(), 0);
    }
    ::closedir(listing);
}

}  // namespace

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

std::string SystemReason(const FileError& error)
{
    if (error.Error == 0 || dynamic_cast<const NotRegularFileError*>(&error) != nullptr ||
        dynamic_cast<const LinkRefusedError*>(&error) != nullptr)
        return error.Reason;
    return std::strerror(error.Error);
}

std::vector<std::uint8_t> ReadRegularFile(const std::string& path, std::size_t limit, std::uint64_t* fileSize)
{
    FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        const int error = errno;
        struct stat info{};
        if (error == ENXIO && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
            throw NotRegularFileError(path);  // a socket: it cannot be opened at all
        Fail(error, path);
    }
    struct stat info{};
    if (::fstat(file.Get(), &info) != 0)
        Fail(errno, path);
    if (S_ISDIR(info.st_mode))
        Fail(EISDIR, path);
    if (!S_ISREG(info.st_mode))
        throw NotRegularFileError(path);
    if (fileSize != nullptr)
        *fileSize = static_cast<std::uint64_t>(std::max<off_t>(info.st_size, 0));

    // Sized by what fstat says, but read to the end: the file may change while it is read.
    std::vector<std::uint8_t> bytes(std::min(limit, std::size_t(std::max<off_t>(info.st_size, 0))));
    std::size_t total = 0;
    for (;;) {
        if (total == bytes.size()) {
            if (total == limit)
                break;
            bytes.resize(std::min(limit, total + 65536));
        }
        const ssize_t got = ::read(file.Get(), bytes.data() + total, bytes.size() - total);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno, path);
        }
        if (got == 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    bytes.resize(total);
    return bytes;
}

std::string TemporaryFilePrefix(const std::string& fileName)
{
    constexpr std::size_t Longest = NAME_MAX - 20;  // room for the dots, the tag and mkstemp's six
    // Built by appending: GCC 12's -Wrestrict misfires on "." + std::string at -O3.
    std::string prefix(".");
    prefix.append(fileName, 0, Longest);
    prefix.append(".korvan-save-");
    return prefix;
}

void WriteFileAtomically(const std::string& path, const std::uint8_t* data, std::size_t size, Links links)
{
    const std::string target = SaveTarget(path, links);

    // Only a regular file is ever replaced: a rename over a device node or a FIFO would destroy
    // it. A read-only file is never replaced, whoever asks (root included).
    mode_t mode = NewFileMode();
    struct stat existing{};
    if (::stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            Fail(EISDIR, path);
        if (!S_ISREG(existing.st_mode))
            throw NotRegularFileError(path);
        if ((existing.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
            Fail(EACCES, path);
        mode = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        Fail(errno, path);
    }

    const std::string folder = FolderOf(target);
    const std::string prefix = TemporaryFilePrefix(NameOf(target));
    RemoveAbandonedTemporaries(folder, prefix);
    std::string temporaryName = folder + "/" + prefix + "XXXXXX";
    FileHandle file(::mkostemp(temporaryName.data(), O_CLOEXEC));
    if (file.Get() < 0)
        Fail(errno, path);
    TemporaryFile temporary(temporaryName);

    WriteAll(file.Get(), data, size, path);
    if (::fchmod(file.Get(), mode) != 0 || ::fsync(file.Get()) != 0)
        Fail(errno, path);
    if (::close(file.Release()) != 0)
        Fail(errno, path);
    if (::rename(temporaryName.c_str(), target.c_str()) != 0)
        Fail(errno, path);
    temporary.Keep();

    // Make the rename itself durable; a failure here no longer loses anything.
    FileHandle folderHandle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderHandle.Get() >= 0)
        ::fsync(folderHandle.Get());
}

}  // namespace korvan
