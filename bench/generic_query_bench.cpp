// How long device commands take through D_SendDrvCmd against the emulated
// device paced at 115200 bit/s in both directions, beside the time the
// bytes need on the wire (no implementation can beat it) and beside wire +
// quiet gap, the least a reply framed only by the line falling quiet costs.
//
// Two tables: single generic queries and sets, and the full read of a Q30
// that a profile save issues.
//
//   generic_query_bench [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "device.h"
#include "profile_save_reads.h"
#include "paced_line.h"
#include "q30com32/q30com32.h"

namespace {

using bench::kBaud;
using bench::kQuietGapMs;
using bench::wire_ms;
using Mirror = bench::WireMirror;

struct Query {
    const char* what;
    bench::Read read;
    const char* setText = nullptr;
};

const Query kQueries[] = {
    {"language register (ATS91?)", {q30::DRV_LANGUAGE, 0, 0, q30::OP_QUERY}},
    {"MSN of port 11", {q30::DRV_MSN, 11, 0, q30::OP_QUERY}},
    {"CLIP of port 21", {q30::DRV_CLIP, 21, 0, q30::OP_QUERY}},
    {"short dial slot", {q30::DRV_SHORT_DIAL, 11, 3, q30::OP_QUERY}},
    {"LCR time range", {q30::DRV_LCR_TIME, 1, 2, q30::OP_QUERY}},
    {"forwarding (CFU)", {q30::DRV_FORWARD_20, 11, 0, q30::OP_QUERY}},
    {"MSN set", {q30::DRV_MSN, 22, 1, q30::OP_SET}, "4711022"},
};

DrvCmd record_for(const Query& q)
{
    DrvCmd r = bench::record_for(q.read);
    if (q.setText)
        q30::record::set_str(r, q.setText);
    return r;
}

struct Timing {
    double totalMs = 0;
    std::size_t bytes = 0;
    bool good = true;
};

// Sends every command once; the first failure is named.
Timing run_once(const std::vector<std::pair<uint32_t, DrvCmd>>& commands, Mirror* mirror)
{
    Timing t;
    auto start = std::chrono::steady_clock::now();
    for (auto [code, record] : commands) {
        if (D_SendDrvCmd(code, &record) != 0 || record.ok != 1) {
            std::fprintf(stderr, "code %u (%s): no good reply\n", code, record.text);
            t.good = false;
        }
        if (mirror)
            t.bytes += mirror->exchange_bytes(record.text);
    }
    t.totalMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return t;
}

bool per_command_table(int rounds, const q30sim::DeviceOptions& options)
{
    Mirror mirror(options);
    std::printf("%-28s %8s %8s %8s %12s\n", "command (median)", "ms/cmd", "wire ms", "x wire", "wire+gap ms");
    for (const Query& q : kQueries) {
        DrvCmd probe = record_for(q);
        D_SendDrvCmd(q.read.code, &probe);
        const double wire = wire_ms(mirror.exchange_bytes(probe.text));
        // The median of single timings: a busy machine's stalls do not count.
        std::vector<double> times;
        for (int i = 0; i < rounds; ++i) {
            const Timing t = run_once({{q.read.code, record_for(q)}}, nullptr);
            if (!t.good)
                return false;
            times.push_back(t.totalMs);
        }
        std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
        const double perCommand = times[static_cast<std::size_t>(rounds / 2)];
        std::printf("%-28s %8.2f %8.2f %7.2fx %12.2f\n", q.what, perCommand, wire, perCommand / wire,
                    wire + kQuietGapMs);
    }
    return true;
}

bool full_read(int rounds, const q30sim::DeviceOptions& options)
{
    std::vector<std::pair<uint32_t, DrvCmd>> commands;
    for (const bench::Read& read : bench::profile_save_reads())
        commands.emplace_back(read.code, bench::record_for(read));
    double best = 0;
    std::size_t bytes = 0;
    for (int i = 0; i < std::max(1, rounds / 10); ++i) {
        Mirror mirror(options);
        const Timing t = run_once(commands, &mirror);
        if (!t.good)
            return false;
        best = i == 0 ? t.totalMs : std::min(best, t.totalMs);
        bytes = t.bytes;
    }
    const double wire = wire_ms(bytes);
    std::printf("\nfull read of a Q30 (profile save): %zu commands, %zu bytes on the wire\n", commands.size(), bytes);
    std::printf("  %.3f s, wire %.3f s: %.2fx wire (with a quiet gap per reply at least %.3f s)\n", best / 1000.0,
                wire / 1000.0, best / wire, (wire + kQuietGapMs * static_cast<double>(commands.size())) / 1000.0);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    bench::PacedEmulator emulator;
    std::string error;
    if (!emulator.start(error)) {
        std::fprintf(stderr, "cannot start the emulated device: %s\n", error.c_str());
        return 1;
    }
    const q30sim::DeviceOptions& options = emulator.options();
    if (D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr) != 0) {
        std::fprintf(stderr, "the emulated device was not found\n");
        return 1;
    }
    std::printf("%d rounds per command at %d bit/s, paced both ways\n\n", rounds, kBaud);
    const bool good = per_command_table(rounds, options) && full_read(rounds, options);
    D_SendDrvCmd(q30::DRV_CLOSE, nullptr);
    emulator.stop();
    return good ? 0 : 1;
}
