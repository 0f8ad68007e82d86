// Runs the built quillon-cli as a script would: its own process, the
// arguments passed as they are (no shell), standard output and standard
// error captured together.
#pragma once

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <string>
#include <vector>

extern char** environ;

namespace clitest {

struct CliRun {
    int status = -1; // the exit status; -1 when it did not exit normally
    std::string output;
};

inline CliRun run_quillon_cli(const std::vector<std::string>& args)
{
    std::vector<std::string> words{QUILLON_CLI};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    CliRun run;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned == 0) {
        std::array<char, 4096> buf;
        ssize_t n;
        while ((n = ::read(pipeFds[0], buf.data(), buf.size())) > 0)
            run.output.append(buf.data(), static_cast<std::size_t>(n));
        int status = 0;
        ::waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    ::close(pipeFds[0]);
    return run;
}

inline bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

} // namespace clitest
