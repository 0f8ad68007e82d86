// Everything the program reads from res/: strings, menus, dialog templates
// and pictures.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/dialog_template.h"
#include "resources/menu.h"
#include "resources/string_table.h"

namespace quillon::resources {

struct Resources {
    StringTable strings;
    Menus menus;
    DialogTemplates dialogs;
    std::string pictureDirectory;

    // Loads res/strings, res/menus, res/dialogs and notes res/pictures.
    // False when the folder is missing; parse problems go to `errors`.
    bool load(const std::string& resDirectory, std::vector<ParseError>& errors);
    // The file of picture `id` ("<id>-<name>.svg" in the pictures folder,
    // else in its ports/ folder), or empty.
    std::string picture_path(int id) const;
    // The file of picture `id` in a language (0 en, 1 de, 2 fr): the
    // language's own "ports/<id>-<code>-<name>.svg", else what
    // picture_path(id) finds; or empty. Other languages find the latter only.
    std::string picture_path(int id, int language) const;
};

// Controls name a picture of a language as "<id>:<code>" ("300:en") and a
// picture without language variants as "<id>" ("344").
inline constexpr std::array<std::string_view, 3> kLanguageCodes = {"en", "de", "fr"};
inline constexpr int kNoLanguage = -1;

struct PictureReference {
    int id = 0;
    int language = kNoLanguage;
};

// Languages outside 0..2 give the plain "<id>".
std::string picture_reference(int id, int language = kNoLanguage);
// Nothing for text that is not a reference (negative ids, unknown codes).
std::optional<PictureReference> parse_picture_reference(std::string_view text);

// Where the resources are: $QUILLON_RES_DIR, else next to the program
// (../share/quillon/res), else the source tree the program was built from.
std::string find_resource_directory(const std::string& programPath);

} // namespace quillon::resources
