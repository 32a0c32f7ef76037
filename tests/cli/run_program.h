#pragma once
// Runs one of the built programs without a shell (so no path needs quoting)
// and collects its exit status and both output streams.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "devtools/test_files.h"

extern char** environ;

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

/// Runs the executable at `programPath`.
inline ProgramRun RunExecutable(std::string programPath, std::vector<std::string> args) {
    TempDir capture;
    const std::string outPath = capture.file("stdout");
    const std::string errPath = capture.file("stderr");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);

    std::vector<char*> argv{programPath.data()};
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    ProgramRun run;
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, programPath.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << programPath;
        return run;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadWholeFile(outPath);
    run.err = ReadWholeFile(errPath);
    return run;
}

inline ProgramRun RunProgram(const std::string& program, std::vector<std::string> args) {
    return RunExecutable(std::string(PICTAVO_BIN_DIR) + "/" + program, std::move(args));
}

/// Points TMP, where programs put their converter files, at a folder of the
/// test's own while it lives, so tests running side by side never share them.
class ProgramTempFolder {
  public:
    explicit ProgramTempFolder(const std::string& folder) {
        if (const char* saved = std::getenv("TMP")) m_saved = saved;
        ::setenv("TMP", folder.c_str(), 1);
    }
    ~ProgramTempFolder() { m_saved ? ::setenv("TMP", m_saved->c_str(), 1) : ::unsetenv("TMP"); }
    ProgramTempFolder(const ProgramTempFolder&) = delete;
    ProgramTempFolder& operator=(const ProgramTempFolder&) = delete;

  private:
    std::optional<std::string> m_saved;
};

/// Lines of a text; a last line without a newline counts too.
inline int LineCount(const std::string& text) {
    int lines = 0;
    for (char c : text) lines += c == '\n' ? 1 : 0;
    return lines + (!text.empty() && text.back() != '\n' ? 1 : 0);
}
