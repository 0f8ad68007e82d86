#include "dialog_ids_header.h"

#include <set>

namespace quillon::resources {

bool is_ids_namespace(std::string_view name)
{
    if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
        return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

std::string dialog_ids_header(const std::vector<DialogTemplate>& dialogs, std::string_view nameSpace,
                              std::string_view sourceName)
{
    const std::string fullNamespace = "quillon::dialog_ids::" + std::string(nameSpace);
    std::string text = "// Control ids of " + std::string(sourceName) +
                       ", made from it by dialog_ids_generator at build time:\n"
                       "// change the names and numbers there, not here.\n"
                       "#pragma once\n\n"
                       "namespace " +
                       fullNamespace + " {\n\n";
    std::set<std::string_view> written;
    for (const DialogTemplate& dialog : dialogs) {
        if (dialog.baseId != kNoBaseDialog)
            text += "// DIALOG " + std::to_string(dialog.id) + " takes the ids of DIALOG " +
                    std::to_string(dialog.baseId) + " by name.\n";
        for (const ControlTemplate& c : dialog.controls)
            if (c.declaresName && written.insert(c.name).second)
                text += "inline constexpr int " + c.name + " = " + std::to_string(c.id) + ";\n";
    }
    if (written.empty())
        text += "// The file declares no names.\n";
    text += "\n} // namespace " + fullNamespace + "\n";
    return text;
}

} // namespace quillon::resources
