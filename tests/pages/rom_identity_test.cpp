// ROM files: the identity read at its fixed offsets, the model names, the
// size check before anything is read, and the file dialog by model.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "pages/rom_file.h"
#include "pages/rom_identity.h"

using namespace quillon;

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> image_with(std::string_view identity, std::string_view version, std::string_view boot)
{
    std::vector<std::uint8_t> image(kRomSize, 0xFF);
    auto put = [&](std::size_t offset, std::size_t size, std::string_view text) {
        std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(offset), size, std::uint8_t{0});
        std::copy(text.begin(), text.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    };
    put(kRomIdentityOffset, kRomIdentitySize, identity);
    put(kRomVersionOffset, kRomVersionSize, version);
    put(kRomBootCodeOffset, kRomBootCodeSize, boot);
    return image;
}

TEST(RomIdentity, ModelNamesByOrderNumber)
{
    EXPECT_EQ(rom_model_name("KLM-230S USB"), "VornISDN Q30-USB");
    EXPECT_EQ(rom_model_name("USB KLM-230S"), "VornISDN Q30-USB");
    EXPECT_EQ(rom_model_name("KLM-230S"), "VornISDN Q30");
    EXPECT_EQ(rom_model_name("KLM-220S"), "VornISDN Q20");
    EXPECT_EQ(rom_model_name("KLM-220S USB"), "VornISDN Q20");
    EXPECT_EQ(rom_model_name("KLM-240S"), "????");
    EXPECT_EQ(rom_model_name(""), "????");
}

TEST(RomIdentity, TextsAtTheirOffsetsUpToTheFirstNul)
{
    const RomIdentity id = read_rom_identity(image_with("KLM-230S", "1.4.0", "1.07"));
    EXPECT_EQ(id.modelName, "VornISDN Q30");
    EXPECT_EQ(id.firmwareVersion, "1.4.0");
    EXPECT_EQ(id.bootCode, "1.07");

    // A version filling its whole field ends at the end of the file; the
    // order number must end before the version starts to count.
    auto full = image_with("KLM-220S", std::string(kRomVersionSize, '9'), std::string(kRomBootCodeSize, 'b'));
    const RomIdentity filled = read_rom_identity(full);
    EXPECT_EQ(filled.firmwareVersion, std::string(kRomVersionSize, '9'));
    EXPECT_EQ(filled.bootCode, std::string(kRomBootCodeSize, 'b')) << "the field, not the 0xFF after it";

    // Bytes a window cannot show are replaced, not passed on.
    auto odd = image_with("KLM-230S", "1.\x01\xe9", "x");
    EXPECT_EQ(read_rom_identity(odd).firmwareVersion, "1.??");
}

TEST(RomIdentity, ShortImagesReadAsEmptyFields)
{
    EXPECT_EQ(read_rom_identity({}).modelName, "????");
    const auto image = image_with("KLM-230S", "1.4.0", "1.07");
    // Cut inside the version: the identity block no longer fits either.
    const RomIdentity cut = read_rom_identity(std::span(image).first(kRomVersionOffset + 4));
    EXPECT_EQ(cut.modelName, "????");
    EXPECT_EQ(cut.firmwareVersion, "");
    EXPECT_EQ(cut.bootCode, "1.07");
}

TEST(RomFile, OnlyAFileOfExactlyTheImageSizeIsRead)
{
    const fs::path dir = fs::temp_directory_path() / ("quillon-rom-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    auto write = [&](const std::string& name, std::size_t size) {
        const fs::path p = dir / name;
        std::ofstream(p, std::ios::binary) << std::string(size, 'r');
        return p.string();
    };
    const RomFileContents good = read_rom_file(write("good.q30", kRomSize));
    EXPECT_EQ(good.problem, RomFileProblem::None);
    EXPECT_EQ(good.bytes.size(), kRomSize);
    for (std::size_t size : {std::size_t{0}, kRomSize - 1, kRomSize + 1}) {
        const RomFileContents bad = read_rom_file(write("bad.q30", size));
        EXPECT_EQ(bad.problem, RomFileProblem::WrongSize) << size;
        EXPECT_EQ(bad.size, size);
        EXPECT_TRUE(bad.bytes.empty());
    }
    EXPECT_EQ(read_rom_file((dir / "missing.q30").string()).problem, RomFileProblem::CannotRead);
    EXPECT_EQ(read_rom_file(dir.string()).problem, RomFileProblem::CannotRead) << "a folder";
    fs::remove_all(dir);
}

TEST(RomFile, TheFileDialogOffersTheConnectedModelsFilesFirst)
{
    struct Case {
        bool connected;
        int model;
        bool usb;
        const char* first;
        const char* extension;
    };
    for (const Case& c : {Case{true, 30, true, "RomFile (*.q3u)", "q3u"}, Case{true, 30, false, "RomFile (*.q30)", "q30"},
                          Case{true, 20, false, "RomFile (*.q20)", "q20"}, Case{true, 0, false, "RomFile (*.q?0)", "q?0"},
                          Case{false, 30, false, "RomFile (*.q?0)", "q?0"}}) {
        const auto r = rom_file_request(c.connected, c.model, c.usb);
        EXPECT_EQ(r.filters.front(), c.first);
        EXPECT_EQ(r.defaultExtension, c.extension);
        EXPECT_EQ(r.filters.back(), "AllFiles (*)");
        EXPECT_FALSE(r.save);
    }
}

} // namespace
