// The q30sim program: prints the slave path, links it, stops on SIGTERM.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "pty_client.h"

namespace q30sim::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Program {
    pid_t pid = -1;
    std::FILE* out = nullptr;

    explicit Program(std::vector<std::string> args)
    {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            return;
        pid = ::fork();
        if (pid == 0) {
            ::dup2(pipeFds[1], STDOUT_FILENO);
            ::close(pipeFds[0]);
            ::close(pipeFds[1]);
            std::vector<char*> argv{const_cast<char*>(Q30SIM_PROGRAM)};
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        out = ::fdopen(pipeFds[0], "r");
    }
    ~Program()
    {
        if (pid > 0)
            stop(SIGKILL);
        if (out)
            std::fclose(out);
    }
    std::string first_line()
    {
        char buf[512] = {};
        if (!out || !std::fgets(buf, sizeof buf, out))
            return {};
        std::string line = buf;
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        return line;
    }
    int stop(int signal)
    {
        ::kill(pid, signal);
        return wait();
    }
    int wait()
    {
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
};

TEST(Q30simProgram, ServesOnTheLinkedPathUntilTerminated)
{
    fs::path link = fs::temp_directory_path() / ("q30sim-link-" + std::to_string(::getpid()));
    fs::create_symlink("/nonexistent", link); // an old link is replaced
    Program program({"--model", "q20", "--link", link.string()});
    std::string path = program.first_line();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(fs::read_symlink(link), path);
    {
        PtyClient client(link.string());
        ASSERT_TRUE(client.is_open());
        client.write("ATI4\r");
        EXPECT_NE(client.read_until("OK\r\n", 5s).find("KLM-220S"), std::string::npos);
    }
    EXPECT_EQ(program.stop(SIGTERM), 0);
    EXPECT_FALSE(fs::is_symlink(link));
}

TEST(Q30simProgram, BadOptionExitsWithUsageError)
{
    Program program({"--model", "q40"});
    EXPECT_EQ(program.wait(), 2);
}

} // namespace
} // namespace q30sim::testing
