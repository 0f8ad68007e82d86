// Everything the program reads from res/: strings, menus, dialog templates
// and pictures.
#pragma once

#include <string>
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
    // The file of picture `id` ("<id>-<name>.svg"), or empty.
    std::string picture_path(int id) const;
};

// Where the resources are: $QUILLON_RES_DIR, else next to the program
// (../share/quillon/res), else the source tree the program was built from.
std::string find_resource_directory(const std::string& programPath);

} // namespace quillon::resources
