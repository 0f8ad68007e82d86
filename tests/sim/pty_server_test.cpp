// The server over a real pseudo-terminal, with a client that behaves like the
// device library. Waits on real time use generous limits.
#include <gtest/gtest.h>

#include <ctime>
#include <thread>

#include "firmware_image.h"
#include "pty_client.h"
#include "pty_server.h"

namespace q30sim::testing {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

constexpr auto kPatience = 5s; // for anything that should happen "at once"

struct Served {
    explicit Served(DeviceOptions options = {}) : device(options), server(device, options.paceBaud)
    {
        std::string error;
        started = server.start(error);
        EXPECT_TRUE(started) << error;
    }
    bool port_open() { return server.with_device([](Device& d) { return d.port_open(); }); }
    bool wait_port_open(bool wanted)
    {
        auto end = steady_clock::now() + kPatience;
        while (port_open() != wanted && steady_clock::now() < end)
            std::this_thread::sleep_for(10ms);
        return port_open() == wanted;
    }
    Device device;
    PtyServer server;
    bool started = false;
};

double process_cpu_seconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

TEST(PtyServer, AnswersAClientThatOpensItLikeASerialPort)
{
    Served s;
    ASSERT_TRUE(s.started);
    PtyClient client(s.server.slave_path());
    ASSERT_TRUE(client.is_open());
    client.write("ATE0\r");
    EXPECT_EQ(client.read_until("OK\r\n", kPatience), "ATE0\r\r\nOK\r\n");
    client.write("ATI4\r");
    EXPECT_EQ(client.read_until("OK\r\n", kPatience), "\r\nKLM-230S\r\n\r\nOK\r\n");
}

TEST(PtyServer, SeesWhetherAProgramHoldsThePort)
{
    Served s;
    ASSERT_TRUE(s.started);
    EXPECT_FALSE(s.port_open());
    {
        PtyClient client(s.server.slave_path());
        ASSERT_TRUE(client.is_open());
        EXPECT_TRUE(s.wait_port_open(true));
        // flock keeps a second program out, as it would on a serial port.
        PtyClient second(s.server.slave_path());
        EXPECT_FALSE(second.is_open());
    }
    EXPECT_TRUE(s.wait_port_open(false));
    // Closed and opened again, the port still answers.
    PtyClient again(s.server.slave_path());
    again.write("AT\r");
    EXPECT_EQ(again.read_until("OK\r\n", kPatience), "AT\r\r\nOK\r\n");
}

TEST(PtyServer, IdleServerWithoutClientDoesNotSpin)
{
    Served s;
    ASSERT_TRUE(s.started);
    { PtyClient client(s.server.slave_path()); }
    ASSERT_TRUE(s.wait_port_open(false));
    double before = process_cpu_seconds();
    std::this_thread::sleep_for(1s);
    EXPECT_LT(process_cpu_seconds() - before, 0.5);
}

TEST(PtyServer, BootLoaderTalksToTheClientThatOpensThePort)
{
    Served s({.bootMode = true});
    ASSERT_TRUE(s.started);
    PtyClient client(s.server.slave_path());
    std::string said = client.read_until("FAIL", kPatience);
    EXPECT_NE(said.find("FAIL"), std::string::npos) << said;
}

TEST(PtyServer, TakesAWholeFirmwareImage)
{
    Served s;
    ASSERT_TRUE(s.started);
    PtyClient client(s.server.slave_path());
    client.write("ATE0\r");
    client.read_until("OK\r\n", kPatience);
    client.write("AT!DOWNLOAD\r");
    auto image = make_firmware_image(Model::Q30, "1.5.0");
    client.write(std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
    std::string said = client.read_until("SUCCESSFUL", 4 * kPatience);
    EXPECT_NE(said.find("UPGRADE SUCCESSFUL"), std::string::npos) << said;
    s.server.stop();
    EXPECT_EQ(s.device.firmware(), "1.5.0");
}

TEST(PtyServer, PacingSpreadsAReplyOverTheLineTime)
{
    constexpr int kBaud = 9600;
    Served s({.paceBaud = kBaud});
    ASSERT_TRUE(s.started);
    PtyClient client(s.server.slave_path());
    client.write("ATE0\r");
    client.read_until("OK\r\n", kPatience);

    auto start = steady_clock::now();
    client.write("AT\\S0?\r");
    std::string reply = client.read_until("OK\r\n", kPatience);
    auto took = steady_clock::now() - start;
    ASSERT_TRUE(reply.ends_with("OK\r\n"));
    auto lineTime = duration<double>(static_cast<double>(reply.size()) * 10 / kBaud);
    // Only a lower bound: a loaded machine may be slower, never faster.
    EXPECT_GE(duration<double>(took).count(), 0.8 * lineTime.count()) << reply.size() << " bytes";
}

TEST(PtyServer, StopReturnsPromptly)
{
    Served s;
    ASSERT_TRUE(s.started);
    PtyClient client(s.server.slave_path());
    auto start = steady_clock::now();
    s.server.stop();
    EXPECT_LT(steady_clock::now() - start, kPatience);
    s.server.stop(); // twice is harmless
}

} // namespace
} // namespace q30sim::testing
