// Runs a piece of the program, or a tool, in a child process that is killed if it has not ended
// within a time bound, and snapshots a folder so that a test can see what a run changed.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace korvan::testing {

struct Outcome {
    int Status = -1;      // the exit status; -1 when killed
    bool TimedOut = false;
    std::string Output;   // what it wrote to stderr (and, for in-process bodies, its message)
};

// body runs in the child with stderr going to the parent; its return value is the exit status.
inline Outcome RunBounded(const std::function<int()>& body, int seconds)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::dup2(channel[1], STDERR_FILENO);
        ::_exit(body());
    }
    ::close(channel[1]);
    Outcome outcome;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    bool open = true;
    while (open) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            outcome.TimedOut = true;
            break;
        }
        pollfd ready{channel[0], POLLIN, 0};
        if (::poll(&ready, 1, int(left.count())) <= 0)
            continue;
        char chunk[4096];
        const ssize_t got = ::read(channel[0], chunk, sizeof chunk);
        if (got <= 0)
            open = false;
        else
            outcome.Output.append(chunk, std::size_t(got));
    }
    ::close(channel[0]);
    if (outcome.TimedOut)
        ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!outcome.TimedOut && WIFEXITED(status))
        outcome.Status = WEXITSTATUS(status);
    return outcome;
}

// Runs a program with arguments (stdout discarded, stdin empty).
inline Outcome RunProgram(const std::vector<std::string>& command, int seconds)
{
    return RunBounded(
        [&] {
            std::vector<char*> argv;
            for (const std::string& word : command)
                argv.push_back(const_cast<char*>(word.c_str()));
            argv.push_back(nullptr);
            const int null = ::open("/dev/null", O_RDWR);
            ::dup2(null, STDIN_FILENO);
            ::dup2(null, STDOUT_FILENO);
            ::execv(argv[0], argv.data());
            return 127;
        },
        seconds);
}

// What a folder holds: for every entry below it, its type and, for a regular file, its bytes,
// for a device node its device number, for a link its target.
using Snapshot = std::map<std::string, std::string>;

inline Snapshot TakeSnapshot(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    Snapshot snapshot;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error); it != fs::recursive_directory_iterator();
         it.increment(error)) {
        const std::string path = it->path().string();
        struct stat info{};
        if (::lstat(path.c_str(), &info) != 0)
            continue;
        // Not fs::relative: that follows links, and a link loop is one of the things looked at.
        std::string& entry = snapshot[path.substr(folder.string().size() + 1)];
        if (S_ISREG(info.st_mode)) {
            std::ifstream in(path, std::ios::binary);
            entry = "file:" + std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        } else if (S_ISDIR(info.st_mode)) {
            entry = "folder";
        } else if (S_ISLNK(info.st_mode)) {
            entry = "link:" + fs::read_symlink(it->path(), error).string();
        } else if (S_ISFIFO(info.st_mode)) {
            entry = "fifo";
        } else if (S_ISSOCK(info.st_mode)) {
            entry = "socket";
        } else if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) {
            entry = std::string(S_ISCHR(info.st_mode) ? "char " : "block ") + std::to_string(major(info.st_rdev)) +
                    ":" + std::to_string(minor(info.st_rdev));
        } else {
            entry = "other";
        }
    }
    return snapshot;
}

// The entries whose state differs between two snapshots (added, removed or changed).
inline std::vector<std::string> Changes(const Snapshot& before, const Snapshot& after)
{
    std::vector<std::string> changed;
    for (const auto& [name, state] : before) {
        const auto found = after.find(name);
        if (found == after.end() || found->second != state)
            changed.push_back(name);
    }
    for (const auto& [name, state] : after)
        if (before.find(name) == before.end())
            changed.push_back(name);
    return changed;
}

}  // namespace korvan::testing
