// q30sim: serves an emulated terminal adapter on a pseudo-terminal until it
// is stopped with SIGINT or SIGTERM, or writes a firmware image (--write-rom).
#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "device.h"
#include "firmware_image.h"
#include "pty_server.h"
#include "settings_store.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

constexpr const char* kUsageHead =
    "usage: q30sim [OPTIONS]\n"
    "Serves an emulated VornISDN terminal adapter on a pseudo-terminal and prints\n"
    "the path of its slave side. Runs until SIGINT or SIGTERM.\n"
    "\n"
    "options:\n";
constexpr const char* kUsageTail =
    "  --link PATH               also make PATH a symbolic link to the slave (removed at exit)\n"
    "  --write-rom FILE          write a firmware image for --model, --firmware and --boot-code\n"
    "                            to FILE and exit\n"
    "  --help                    show this text\n";

void print_usage(std::FILE* to)
{
    std::fputs(kUsageHead, to);
    std::fwrite(q30sim::device_options_help().data(), 1, q30sim::device_options_help().size(), to);
    std::fputs(kUsageTail, to);
}

// Points `link` at `target`, replacing an existing symbolic link but nothing else.
bool make_link(const std::string& link, const std::string& target, std::string& error)
{
    struct stat st{};
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            error = link + " exists and is not a symbolic link";
            return false;
        }
        ::unlink(link.c_str());
    }
    if (::symlink(target.c_str(), link.c_str()) != 0) {
        error = "cannot create " + link;
        return false;
    }
    return true;
}

// Removes the link only while it still points at our slave.
void remove_link(const std::string& link, const std::string& target)
{
    char buf[4096];
    ssize_t n = ::readlink(link.c_str(), buf, sizeof buf - 1);
    if (n > 0 && std::string(buf, static_cast<std::size_t>(n)) == target)
        ::unlink(link.c_str());
}

enum class PathOption { NotThis, Taken, Missing };

// "--name PATH" or "--name=PATH" at argv[i]; moves i past what it takes.
PathOption take_path_option(std::string_view name, int argc, char** argv, int& i, std::string& path)
{
    const std::string_view arg = argv[i];
    if (arg == name) {
        if (i + 1 >= argc)
            return PathOption::Missing;
        path = argv[++i];
    } else if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
        path = std::string(arg.substr(name.size() + 1));
    } else {
        return PathOption::NotThis;
    }
    return path.empty() ? PathOption::Missing : PathOption::Taken;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> deviceArgs;
    std::string linkPath;
    std::string romPath;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            print_usage(stdout);
            return 0;
        }
        bool taken = false;
        for (auto [name, target] : {std::pair{"--link", &linkPath}, std::pair{"--write-rom", &romPath}}) {
            const PathOption got = take_path_option(name, argc, argv, i, *target);
            if (got == PathOption::Missing) {
                std::fprintf(stderr, "q30sim: option %s needs a path\n", name);
                return kExitUsage;
            }
            taken = taken || got == PathOption::Taken;
        }
        if (taken)
            continue;
        deviceArgs.push_back(arg);
    }
    q30sim::DeviceOptions options;
    std::string error;
    if (!q30sim::parse_device_options(deviceArgs, options, error)) {
        std::fprintf(stderr, "q30sim: %s\n", error.c_str());
        print_usage(stderr);
        return kExitUsage;
    }
    if (!romPath.empty()) {
        const auto image = q30sim::make_firmware_image(options.model, options.firmware, options.bootCode);
        if (!q30sim::write_file_atomically(romPath, std::string(image.begin(), image.end()), error)) {
            std::fprintf(stderr, "q30sim: %s\n", error.c_str());
            return kExitFailure;
        }
        return 0;
    }

    // Blocked before the serving thread starts, so only sigwait() below sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    q30sim::Device device(options);
    q30sim::PtyServer server(device, options.paceBaud);
    if (!server.start(error)) {
        std::fprintf(stderr, "q30sim: cannot open a pseudo-terminal: %s\n", error.c_str());
        return kExitFailure;
    }
    std::string slave = server.slave_path();
    if (!linkPath.empty() && !make_link(linkPath, slave, error)) {
        std::fprintf(stderr, "q30sim: %s\n", error.c_str());
        return kExitFailure;
    }
    std::printf("%s\n", slave.c_str());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.stop();
    if (!linkPath.empty())
        remove_link(linkPath, slave);
    return 0;
}
