// How long `quillon-cli backup` takes against the emulated Q30 paced at
// 115200 bit/s in both directions: the program's start-up on the device and
// its profile save, through the same headless program the command runs,
// beside the time the same command lines and their answers need on the wire.
//
//   backup_bench [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "device.h"
#include "headless_program.h"
#include "paced_line.h"
#include "shell/scratch_config.h"

namespace {

using bench::kBaud;
using bench::wire_ms;

using Clock = std::chrono::steady_clock;
double ms_since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Round {
    double startMs = 0;
    double saveMs = 0;
    std::vector<std::string> lines;  // every command line sent, in order
    std::size_t startLines = 0;      // of them, those of the start-up
    bool good = false;
};

Round one_backup(const std::string& file)
{
    Round round;
    quillon::ScratchConfigFolder config("", "bench");
    quillon::cli::HeadlessProgram program;
    program.set_observer([&](uint32_t, const DrvCmd* r, int32_t) {
        // Codes that carry no command line leave other text in the field.
        if (r && std::string_view(r->text).substr(0, 2) == "AT")
            round.lines.emplace_back(r->text);
    });
    std::string error;
    const auto start = Clock::now();
    if (!program.start(config.path(), error) || !program.connected()) {
        std::fprintf(stderr, "the program did not start on the emulated device: %s\n", error.c_str());
        return round;
    }
    round.startMs = ms_since(start);
    round.startLines = round.lines.size();
    const auto save = Clock::now();
    round.good = program.save_profile_as(file);
    round.saveMs = ms_since(save);
    return round;
}

// The bytes of each line with its CR and of the answer a fresh seeded device
// of the same options gives: the served one is deterministic.
std::size_t wire_bytes(const std::vector<std::string>& lines, const q30sim::DeviceOptions& options)
{
    bench::WireMirror mirror(options);
    std::size_t bytes = 0;
    for (const std::string& line : lines)
        bytes += mirror.exchange_bytes(line);
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    bench::PacedEmulator emulator;
    std::string error;
    if (!emulator.start(error)) {
        std::fprintf(stderr, "cannot start the emulated device: %s\n", error.c_str());
        return 1;
    }
    const q30sim::DeviceOptions& options = emulator.options();
    const std::string file = (std::filesystem::temp_directory_path() / "quillon-backup-bench.pro").string();

    Round best;
    for (int i = 0; i < rounds; ++i) {
        std::filesystem::remove(file);
        Round r = one_backup(file);
        if (!r.good)
            return 1;
        if (i == 0 || r.startMs + r.saveMs < best.startMs + best.saveMs)
            best = std::move(r);
    }
    std::filesystem::remove(file);
    emulator.stop();

    const std::size_t bytes = wire_bytes(best.lines, options);
    const std::vector<std::string> saveLines(best.lines.begin() + static_cast<long>(best.startLines), best.lines.end());
    const double saveWire = wire_ms(wire_bytes(saveLines, options));
    const double wire = wire_ms(bytes);
    const double total = best.startMs + best.saveMs;
    std::printf("full backup of a Q30 at %d bit/s, paced both ways (best of %d)\n", kBaud, rounds);
    std::printf("  %zu command lines, %zu bytes, %.3f s on the wire\n", best.lines.size(), bytes, wire / 1000.0);
    std::printf("  start-up:     %.3f s for %zu lines\n", best.startMs / 1000.0, best.startLines);
    std::printf("  profile save: %.3f s for %zu lines, %.3f s on the wire: %.2fx wire\n", best.saveMs / 1000.0,
                saveLines.size(), saveWire / 1000.0, best.saveMs / saveWire);
    std::printf("  whole backup: %.3f s: %.2fx wire\n", total / 1000.0, total / wire);
    return 0;
}
