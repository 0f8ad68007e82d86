// How long one generic query takes through D_SendDrvCmd against the emulated
// device paced at 115200 bit/s, beside the two limits no implementation can
// beat: the time the bytes need on the wire, and that plus the quiet gap
// after which a reply counts as complete.
//
//   generic_query_bench [ROUNDS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "device.h"
#include "pty_server.h"
#include "q30com32/q30com32.h"

namespace {

constexpr int kBaud = 115200;
constexpr double kQuietGapMs = 10.0;

struct Query {
    const char* what;
    uint32_t code;
    int32_t port;
    int32_t index;
    int32_t op;
};

const Query kQueries[] = {
    {"language register (ATS91?)", q30::DRV_LANGUAGE, 0, 0, q30::OP_QUERY},
    {"MSN of port 11", q30::DRV_MSN, 11, 0, q30::OP_QUERY},
    {"CLIP of port 21", q30::DRV_CLIP, 21, 0, q30::OP_QUERY},
    {"short dial slot", q30::DRV_SHORT_DIAL, 11, 3, q30::OP_QUERY},
    {"LCR time range", q30::DRV_LCR_TIME, 1, 2, q30::OP_QUERY},
    {"forwarding (CFU)", q30::DRV_FORWARD_20, 11, 0, q30::OP_QUERY},
    {"MSN set", q30::DRV_MSN, 22, 1, q30::OP_SET},
};

DrvCmd record_for(const Query& q)
{
    DrvCmd r;
    std::memset(&r, 0, sizeof r);
    r.port = q.port;
    r.index = q.index;
    r.op = q.op;
    if (q.op == q30::OP_SET)
        q30::record::set_str(r, "4711022");
    return r;
}

// The seeded device is deterministic, so a private copy tells how many bytes
// the served one answers to the same line.
std::size_t reply_bytes(q30sim::Device& mirror, const std::string& line)
{
    mirror.receive(line + "\r", std::chrono::steady_clock::now());
    return mirror.take_output().size();
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    q30sim::DeviceOptions options;
    options.seed = true;
    options.paceBaud = kBaud;
    q30sim::Device device(options);
    q30sim::PtyServer server(device, options.paceBaud);
    std::string error;
    if (!server.start(error)) {
        std::fprintf(stderr, "cannot start the emulated device: %s\n", error.c_str());
        return 1;
    }
    setenv("Q30COM32_COM1", server.slave_path().c_str(), 1);
    for (int n = 2; n <= 8; ++n)
        setenv(("Q30COM32_COM" + std::to_string(n)).c_str(), "/nonexistent", 1);
    if (D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr) != 0) {
        std::fprintf(stderr, "the emulated device was not found\n");
        return 1;
    }
    q30sim::Device mirror(options);
    for (const char* setup : {"ATE0", "ATE0", "ATV1"})
        reply_bytes(mirror, setup);

    std::printf("%d rounds per query at %d bit/s\n\n", rounds, kBaud);
    std::printf("%-28s %10s %10s %12s %10s\n", "query", "ms/cmd", "wire ms", "wire+gap ms", "overhead");
    for (const Query& q : kQueries) {
        DrvCmd probe = record_for(q);
        D_SendDrvCmd(q.code, &probe);
        const std::string line = probe.text;
        const std::size_t bytes = line.size() + 1 + reply_bytes(mirror, line);
        const double wireMs = static_cast<double>(bytes) * 10.0 * 1000.0 / kBaud;

        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < rounds; ++i) {
            DrvCmd r = record_for(q);
            if (D_SendDrvCmd(q.code, &r) != 0 || r.ok != 1) {
                std::fprintf(stderr, "%s: no good reply\n", q.what);
                return 1;
            }
        }
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        const double perCommand = took.count() / rounds;
        const double floor = wireMs + kQuietGapMs;
        std::printf("%-28s %10.2f %10.2f %12.2f %9.2fx\n", q.what, perCommand, wireMs, floor, perCommand / floor);
    }
    D_SendDrvCmd(q30::DRV_CLOSE, nullptr);
    server.stop();
    return 0;
}
