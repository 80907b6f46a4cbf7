// Runs a command-line tool with exact argument bytes (no shell) and collects its exit status,
// standard output and standard error.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace korvan::testing {

struct ToolResult {
    int Status = -1;  // exit status, or -1 when the tool did not exit normally
    std::string Out, Err;
};

inline std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs program with arguments; the outputs go through files in folder so that nothing can fill a pipe.
inline ToolResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const std::string& folder)
{
    const std::string out = folder + "/.stdout", err = folder + "/.stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    ToolResult result;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    result.Out = FileBytes(out);
    result.Err = FileBytes(err);
    ::unlink(out.c_str());
    ::unlink(err.c_str());
    return result;
}

inline ToolResult RunMapTool(const std::vector<std::string>& arguments, const std::string& folder)
{
    return RunProgram(KORVAN_MAP_TOOL, arguments, folder);
}

inline std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

}  // namespace korvan::testing
