// Menus 700 (English), 701 (German), 702 (French), read from
// res/menus/<id>.menu:
//   POPUP "&File"
//     ITEM 5010 "Monitor Mode"
//     SEPARATOR
//   END
// '&' marks the mnemonic, "&&" is a literal '&', \" a literal quote.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "resources/dialog_template.h"

namespace quillon::resources {

struct MenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    int id = 0;                      // commands only
    std::string caption;             // as written, with '&' marks
    std::vector<MenuItem> children;  // popups only
};

struct Menu {
    int id = 0;
    std::vector<MenuItem> items;  // the menu bar: popups

    // The caption of a command anywhere in the menu, or nullptr.
    const MenuItem* find_command(int commandId) const;
};

Menu parse_menu(std::string_view text, int id, const std::string& fileName, std::vector<ParseError>& errors);

// "&Load && Save" -> "Load & Save".
std::string strip_mnemonics(std::string_view caption);

class Menus {
public:
    bool load_directory(const std::string& directory, std::vector<ParseError>& errors);
    const Menu* find(int id) const;

private:
    std::map<int, Menu> byId_;
};

} // namespace quillon::resources
