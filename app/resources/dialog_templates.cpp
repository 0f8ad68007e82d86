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
    std::map<int, LoadedTemplate> loaded;
    for (const std::string& path : paths) {
        std::string text;
        if (!detail::read_resource_file(path, text, errors))
            continue;
        for (DialogTemplate& t : parse_dialog_templates(text, path, errors)) {
            if (byId_.count(t.id) || loaded.count(t.id))
                detail::add_error(errors, path, 0, "DIALOG " + std::to_string(t.id) + " is defined twice");
            else
                loaded.emplace(t.id, LoadedTemplate{std::move(t), path});
        }
    }
    resolve_bases(loaded, errors);
    for (auto& [id, entry] : loaded)
        add(std::move(entry.dialog));
    return true;
}

// Each template after its base, so that the base's names are numbers by
// then: a walk down the chain of bases, resolved on the way back. A chain
// that comes back to itself is cut where it closes.
void DialogTemplates::resolve_bases(std::map<int, LoadedTemplate>& loaded, std::vector<ParseError>& errors) const
{
    std::vector<LoadedTemplate*> chain;
    for (auto& [id, start] : loaded) {
        LoadedTemplate* next = &start;
        while (next && next->state == LoadedTemplate::State::Waiting) {
            next->state = LoadedTemplate::State::InChain;
            chain.push_back(next);
            const auto base = loaded.find(next->dialog.baseId);
            next = base == loaded.end() ? nullptr : &base->second;
        }
        const bool closesCircle = next && next->state == LoadedTemplate::State::InChain;
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            LoadedTemplate& entry = **it;
            DialogTemplate& t = entry.dialog;
            entry.state = LoadedTemplate::State::Resolved;
            if (t.baseId == kNoBaseDialog)
                continue;
            const DialogTemplate* base = nullptr;
            if (closesCircle && &entry == chain.back()) {
                detail::add_error(errors, entry.path, t.line,
                                  "the bases of DIALOG " + std::to_string(t.id) + " lead back to it");
            } else {
                const auto inFolder = loaded.find(t.baseId);
                base = inFolder != loaded.end() ? &inFolder->second.dialog : find_exact(t.baseId);
                if (!base)
                    detail::add_error(errors, entry.path, t.line,
                                      "the base DIALOG " + std::to_string(t.baseId) + " does not exist");
            }
            resolve_base_names(t, base, entry.path, errors);
        }
        chain.clear();
    }
}

const DialogTemplate* DialogTemplates::find_exact(int id) const
{
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : &it->second;
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
