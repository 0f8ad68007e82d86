// q30sim: serves an emulated terminal adapter on a pseudo-terminal until it
// is stopped with SIGINT or SIGTERM.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "device.h"
#include "pty_server.h"

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

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> deviceArgs;
    std::string linkPath;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            print_usage(stdout);
            return 0;
        }
        if (arg == "--link" || arg.rfind("--link=", 0) == 0) {
            if (arg == "--link" && i + 1 >= argc) {
                std::fprintf(stderr, "q30sim: option --link needs a value\n");
                return kExitUsage;
            }
            linkPath = arg == "--link" ? argv[++i] : arg.substr(7);
            if (linkPath.empty()) {
                std::fprintf(stderr, "q30sim: option --link needs a path\n");
                return kExitUsage;
            }
            continue;
        }
        deviceArgs.push_back(arg);
    }
    q30sim::DeviceOptions options;
    std::string error;
    if (!q30sim::parse_device_options(deviceArgs, options, error)) {
        std::fprintf(stderr, "q30sim: %s\n", error.c_str());
        print_usage(stderr);
        return kExitUsage;
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
