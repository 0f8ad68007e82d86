// quillon-cli against a device on "another machine": the emulator behind a
// socat that serves its port on a TCP port ("the server"), and a second socat
// that turns that TCP port into a local pseudo-terminal ("the desktop"), both
// over the loopback. COM3 points at the desktop's pseudo-terminal; nothing of
// ours knows a network is in between.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cli_process.h"
#include "device.h"
#include "fake_device.h"
#include "pty_server.h"
#include "../test_folder_name.h"

namespace {

using namespace std::chrono_literals;
using clitest::CliRun;
using clitest::has;

constexpr int kRemoteCom = 3;
constexpr int kPortAttempts = 5;
constexpr auto kChainReadyLimit = 5s;

std::string socat_path()
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string candidate = dirs.substr(start, end - start) + "/socat";
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return "";
}

// A TCP port on the loopback that the kernel says is free right now. Another
// program may take it before socat binds it; the caller then tries again.
int free_loopback_port()
{
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    int port = 0;
    if (s >= 0 && ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    if (s >= 0)
        ::close(s);
    return port;
}

// A program run in the background for one test, its output in a log file;
// ended (and reaped) when the object goes, whatever the test's outcome.
class Background {
public:
    Background(const std::vector<std::string>& words, const std::string& log)
    {
        std::vector<char*> argv;
        for (const std::string& w : words)
            argv.push_back(const_cast<char*>(w.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Background()
    {
        if (pid_ <= 0 || exited_)
            return;
        ::kill(pid_, SIGTERM);
        for (int i = 0; i < 100 && running(); ++i)
            std::this_thread::sleep_for(10ms);
        if (running()) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    bool running()
    {
        if (pid_ <= 0 || exited_)
            return false;
        exited_ = ::waitpid(pid_, nullptr, WNOHANG) == pid_;
        return !exited_;
    }

private:
    pid_t pid_ = -1;
    bool exited_ = false;
};

struct DeviceOverNetwork : ::testing::Test {
    std::filesystem::path scratch;
    std::unique_ptr<q30sim::Device> device;
    std::unique_ptr<q30sim::PtyServer> emulator;
    // The desktop end goes first, so the server end never loses its peer mid-test.
    std::unique_ptr<Background> server;
    std::unique_ptr<Background> desktop;
    std::unique_ptr<testsupport::ComPorts> ports;
    std::string remotePort;

    void SetUp() override
    {
        const std::string socat = socat_path();
        if (socat.empty())
            GTEST_SKIP() << "socat is not installed";
        scratch = std::filesystem::temp_directory_path() / test_folder_name("quillon-net-");
        std::filesystem::create_directories(scratch);
        remotePort = (scratch / "ttyQ").string();

        q30sim::DeviceOptions options;
        options.seed = true;
        device = std::make_unique<q30sim::Device>(options);
        emulator = std::make_unique<q30sim::PtyServer>(*device);
        std::string error;
        ASSERT_TRUE(emulator->start(error)) << error;

        for (int attempt = 0; attempt < kPortAttempts && !chain_ready(); ++attempt)
            start_chain(socat);
        ASSERT_TRUE(chain_ready()) << "the socat chain did not come up; see the logs in " << scratch;
        ports = std::make_unique<testsupport::ComPorts>(std::map<int, std::string>{{kRemoteCom, remotePort}});
    }
    void TearDown() override
    {
        ports.reset();
        desktop.reset();
        server.reset();
        if (emulator)
            emulator->stop();
        if (!HasFailure() && !scratch.empty())
            std::filesystem::remove_all(scratch);
    }

    void start_chain(const std::string& socat)
    {
        desktop.reset();
        server.reset();
        const std::string tcpPort = std::to_string(free_loopback_port());
        // The emulator answers only while its port is held in exclusive mode, as
        // the library holds a port; socat is asked to do the same.
        server = std::make_unique<Background>(
            std::vector<std::string>{socat, "TCP-LISTEN:" + tcpPort + ",bind=127.0.0.1,reuseaddr",
                                     "FILE:" + emulator->slave_path() + ",raw,echo=0,ioctl-void=" +
                                         std::to_string(TIOCEXCL)},
            (scratch / "server.log").string());
        // Retries cover the moment before the server listens.
        desktop = std::make_unique<Background>(
            std::vector<std::string>{socat, "PTY,link=" + remotePort + ",raw,echo=0",
                                     "TCP:127.0.0.1:" + tcpPort + ",retry=50,interval=0.02"},
            (scratch / "desktop.log").string());
        const auto limit = std::chrono::steady_clock::now() + kChainReadyLimit;
        while (!chain_ready() && server->running() && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(10ms);
    }
    // The server took the connection and holds the emulator's port, and the
    // desktop's pseudo-terminal is there.
    bool chain_ready()
    {
        return emulator && std::filesystem::exists(remotePort) && server && server->running() &&
               emulator->with_device([](q30sim::Device& d) { return d.port_open(); });
    }
    std::string device_setting(const std::string& key)
    {
        return emulator->with_device([&](q30sim::Device& d) { return d.setting(key); });
    }
};

} // namespace

TEST_F(DeviceOverNetwork, FindReadAndSendThroughTheLocalPseudoTerminal)
{
    CliRun found = clitest::run_quillon_cli({"find"});
    ASSERT_EQ(found.status, 0) << found.output;
    EXPECT_TRUE(has(found.output, "Device found on COM3 (" + remotePort + ")")) << found.output;
    EXPECT_TRUE(has(found.output, "model:      Q30\n")) << found.output;

    // Every page read across the network, as the emulator holds it.
    CliRun shown = clitest::run_quillon_cli({"show", "--port", "COM3"});
    ASSERT_EQ(shown.status, 0) << shown.output;
    EXPECT_TRUE(has(shown.output, "Port11Msn1Edit             \"4711001\"")) << shown.output;
    EXPECT_TRUE(has(shown.output, "DataMsn1Edit               \"4711007\"")) << shown.output;

    // A send reaches the device, and a later read brings it back.
    CliRun sent = clitest::run_quillon_cli({"raw", "DRV_MSN", "--port", "11", "--index", "0", "--op", "1", "--str",
                                            "5550123"});
    ASSERT_EQ(sent.status, 0) << sent.output;
    EXPECT_EQ(device_setting("!P0#11*0"), "5550123");
    CliRun readBack = clitest::run_quillon_cli({"raw", "DRV_MSN", "--port", "11", "--index", "0"});
    EXPECT_EQ(readBack.status, 0) << readBack.output;
    EXPECT_TRUE(has(readBack.output, "str:      \"5550123\"")) << readBack.output;
}
