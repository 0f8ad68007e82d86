// Fuzzes the reader of .menu files and the caption helpers.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "resources/menu.h"

using namespace quillon::resources;

namespace {

void visit(const Menu& menu, const std::vector<MenuItem>& items)
{
    for (const MenuItem& item : items) {
        (void)strip_mnemonics(item.caption);
        if (item.kind == MenuItem::Kind::Command && menu.find_command(item.id) == nullptr)
            __builtin_trap();  // every command is found by its id
        visit(menu, item.children);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<ParseError> errors;
    const Menu menu = parse_menu(std::string_view(reinterpret_cast<const char*>(data), size), 700, "fuzz.menu", errors);
    visit(menu, menu.items);
    return 0;
}
