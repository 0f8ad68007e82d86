#include "page_settings.h"

namespace quillon::cli {

using resources::ControlKind;

namespace {

// Template names begin with 'k' and a capital; the name reads better without it.
std::string readable_name(const std::string& name) { return name.size() > 1 ? name.substr(1) : name; }

// The entry a list shows for its selection.
std::string chosen_entry(const platform::HeadlessBackend::ControlState& c)
{
    if (c.selection < 0)
        return "";
    const auto at = static_cast<std::size_t>(c.selection);
    if (at < c.shownItems.size() && !c.shownItems[at].empty())
        return c.shownItems[at];
    return at < c.items.size() ? c.items[at] : "";
}

// A list the page fills to be read rather than chosen from: every entry.
std::string all_entries(const platform::HeadlessBackend::ControlState& c)
{
    const std::vector<std::string>& entries = c.shownItems.empty() ? c.items : c.shownItems;
    std::string out;
    for (const std::string& e : entries)
        out += (out.empty() ? "" : ", ") + e;
    return out;
}

} // namespace

ShownPage shown_page(const platform::HeadlessBackend& backend, const resources::Resources& resources,
                     const platform::Window& page)
{
    ShownPage shown;
    const auto* state = backend.state(page);
    if (!state)
        return shown;
    shown.caption = state->caption;
    const resources::DialogTemplate* dialog = resources.dialogs.find(state->templateId);
    for (int id : state->controlOrder) {
        const resources::ControlTemplate* t = dialog ? dialog->control(id) : nullptr;
        const auto found = state->controls.find(id);
        if (!t || t->name.empty() || found == state->controls.end() || !found->second.visible)
            continue;
        const auto& c = found->second;
        ShownSetting s{readable_name(t->name), "", false, false};
        switch (c.kind) {
        case ControlKind::Edit:
            // A read-only field shows something live (the clocks), no setting.
            if (t->style & resources::kStyleReadOnly)
                continue;
            s.text = c.text;
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            s.isSwitch = true;
            s.on = c.check != 0;
            break;
        case ControlKind::ListBox: s.text = all_entries(c); break;
        case ControlKind::DropList:
        case ControlKind::ListSelector: s.text = chosen_entry(c); break;
        default: continue;  // labels, buttons, frames and pictures hold no setting
        }
        shown.settings.push_back(std::move(s));
    }
    return shown;
}

} // namespace quillon::cli
