// Fuzzes the emulator's state file: any bytes as the file an emulated device
// starts from. A file it refuses leaves the factory settings whole; a file it
// takes, stored again and read back, gives the same settings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#include "device.h"

namespace {

void check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

constexpr const char* kInputName = "/input";
constexpr const char* kStoredName = "/stored";

std::string& work_directory_path()
{
    static std::string dir;
    return dir;
}

void remove_work_directory()
{
    const std::string& dir = work_directory_path();
    ::unlink((dir + kInputName).c_str());
    ::unlink((dir + kStoredName).c_str());
    ::rmdir(dir.c_str());
}

// One private directory per process, so parallel runs never share files; gone at exit.
const std::string& work_directory()
{
    std::string& dir = work_directory_path();
    if (dir.empty()) {
        std::string pattern = "/tmp/q30sim-state-fuzz-XXXXXX";
        check(::mkdtemp(pattern.data()) != nullptr);
        dir = pattern;
        std::atexit(remove_work_directory);
    }
    return dir;
}

// A plain write: the atomic one syncs to disk, which would make each run slow.
void write_plainly(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    check(file.good());
}

q30sim::Device device_from(const std::string& path)
{
    q30sim::DeviceOptions options;
    options.stateFile = path;
    return q30sim::Device(options);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = work_directory() + kInputName;
    const std::string stored = work_directory() + kStoredName;
    write_plainly(input, std::string(reinterpret_cast<const char*>(data), size));

    const q30sim::Device device = device_from(input);
    if (!device.state_file_problem().empty()) {
        check(device.settings() == q30sim::Device(q30sim::DeviceOptions{}).settings());
        return 0;
    }
    std::string text;
    for (const std::string& line : device.settings().as_command_lines())
        text += line + "\n";
    write_plainly(stored, text);
    const q30sim::Device reloaded = device_from(stored);
    check(reloaded.state_file_problem().empty());
    check(reloaded.settings() == device.settings());
    return 0;
}
