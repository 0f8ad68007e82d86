#include "resources/dialog_template.h"

#include "resources/resource_files.h"

namespace quillon::resources {

namespace {

constexpr std::string_view kDialogExtension = ".dlg";

} // namespace

const ControlTemplate* DialogTemplate::control(int controlId) const
{
    for (const ControlTemplate& c : controls) {
        if (c.id == controlId)
            return &c;
    }
    return nullptr;
}

bool DialogTemplates::load_directory(const std::string& directory, std::vector<ParseError>& errors)
{
    std::vector<std::string> paths;
    if (!detail::list_resource_files(directory, kDialogExtension, paths, errors))
        return false;
    for (const std::string& path : paths) {
        std::string text;
        if (!detail::read_resource_file(path, text, errors))
            continue;
        for (DialogTemplate& t : parse_dialog_templates(text, path, errors)) {
            if (byId_.count(t.id))
                detail::add_error(errors, path, 0, "DIALOG " + std::to_string(t.id) + " is defined twice");
            else
                add(std::move(t));
        }
    }
    return true;
}

// A later template of the same id replaces the earlier one.
void DialogTemplates::add(DialogTemplate t)
{
    const int id = t.id;
    byId_.insert_or_assign(id, std::move(t));
}

// The odd id of a pair is the small-font variant of the even template.
const DialogTemplate* DialogTemplates::find(int id) const
{
    auto it = byId_.find(id);
    if (it == byId_.end() && (id & 1))
        it = byId_.find(id - 1);
    return it == byId_.end() ? nullptr : &it->second;
}

} // namespace quillon::resources
