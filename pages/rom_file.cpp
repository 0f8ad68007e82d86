#include "pages/rom_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "pages/rom_identity.h"

namespace quillon {

namespace {

constexpr int kLargerModel = 30;
constexpr int kSmallerModel = 20;
// Linux file names need not have a dot: "*" rather than "*.*".
constexpr const char* kAllFiles = "AllFiles (*)";
constexpr const char* kBinFiles = "RomFile (*.bin)";
constexpr const char* kAnyRomFiles = "RomFile (*.q*)";

} // namespace

RomFileContents read_rom_file(const std::string& path)
{
    RomFileContents contents;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        contents.problem = RomFileProblem::CannotRead;
        contents.error = ec ? ec.message() : "not a file";
        return contents;
    }
    contents.size = std::filesystem::file_size(path, ec);
    if (ec) {
        contents.problem = RomFileProblem::CannotRead;
        contents.error = ec.message();
        return contents;
    }
    if (contents.size != kRomSize) {
        contents.problem = RomFileProblem::WrongSize;
        return contents;
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(kRomSize);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in || in.gcount() != static_cast<std::streamsize>(kRomSize)) {
        // Shrunk or unreadable since its size was taken.
        contents.problem = RomFileProblem::CannotRead;
        contents.error = "read error";
        return contents;
    }
    contents.bytes = std::move(bytes);
    return contents;
}

platform::FileDialogRequest rom_file_request(bool connected, int model, bool usb)
{
    platform::FileDialogRequest r;
    r.save = false;
    if (connected && model == kLargerModel && usb) {
        r.filters = {"RomFile (*.q3u)", kBinFiles, kAllFiles};
        r.defaultExtension = "q3u";
    } else if (connected && model == kLargerModel) {
        r.filters = {"RomFile (*.q30)", kAnyRomFiles, kBinFiles, kAllFiles};
        r.defaultExtension = "q30";
    } else if (connected && model == kSmallerModel) {
        r.filters = {"RomFile (*.q20)", kAnyRomFiles, kBinFiles, kAllFiles};
        r.defaultExtension = "q20";
    } else {
        r.filters = {"RomFile (*.q?0)", kBinFiles, kAllFiles};
        r.defaultExtension = "q?0";
    }
    return r;
}

} // namespace quillon
