#include "resources/resources.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifndef QUILLON_SOURCE_RES_DIR
#error "QUILLON_SOURCE_RES_DIR must name the res/ folder of the source tree"
#endif

namespace quillon::resources {

namespace {

namespace fs = std::filesystem;

constexpr const char* kResDirVariable = "QUILLON_RES_DIR";
// Where an installed program finds them, relative to its own folder.
constexpr std::string_view kInstalledRes = "../share/quillon/res";
constexpr std::string_view kBesideProgramRes = "res";
// What Linux calls the running program when it was started through PATH.
constexpr const char* kOwnExecutable = "/proc/self/exe";

fs::path program_directory(const std::string& programPath)
{
    std::error_code ec;
    fs::path program = programPath;
    if (!program.has_parent_path()) {
        program = fs::read_symlink(kOwnExecutable, ec);
        if (ec)
            return {};
    }
    return fs::absolute(program, ec).parent_path();
}

} // namespace

std::string find_resource_directory(const std::string& programPath)
{
    if (const char* fromEnvironment = std::getenv(kResDirVariable); fromEnvironment && *fromEnvironment)
        return fromEnvironment;
    const fs::path programDir = program_directory(programPath);
    if (!programDir.empty()) {
        for (const std::string_view relative : {kInstalledRes, kBesideProgramRes}) {
            const fs::path candidate = (programDir / relative).lexically_normal();
            std::error_code ec;
            if (fs::is_directory(candidate, ec))
                return candidate.string();
        }
    }
    return QUILLON_SOURCE_RES_DIR;
}

} // namespace quillon::resources
