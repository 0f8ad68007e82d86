#include "pages/destination_entry.h"

#include "platform/ui.h"
#include "shell/device_set.h"
#include "shell/shell_ids.h"

namespace quillon {

PortNames port_names(const AppState& state)
{
    PortNames names = state.portAliases;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i].empty())
            names[i] = default_alias(static_cast<int>(i));
    return names;
}

void store_destination(const platform::Window& page, int editId, Field<std::string>& field, const PortNames& names)
{
    field.edit(destination_device_form(page.text(editId), names));
}

void show_destination(platform::Window& page, int editId, const Field<std::string>& field, const PortNames& names)
{
    page.set_text(editId, destination_display_text(field.edited(), names));
}

bool accept_typed_destination(ShellContext& shell, platform::Window& page, const std::string& text,
                              TooLongMessage tooLong)
{
    if (ClassifyDestination(text, port_names(shell.state)) != DEST_INVALID)
        return true;
    const bool tellLength = tooLong == TooLongMessage::Own && text.size() > kMaxDestinationChars;
    shell.ui.message_box(&page, shell.text(tellLength ? ids::kMax15Digits : kInvalidDestinationMessage),
                         shell.ui.text(ids::kProgramTitle));
    return false;
}

void send_switch(const ShellContext& shell, const SetTarget& target, Field<bool>& field, bool all, ValueReport& report)
{
    if (!all && !field.changed())
        return;
    DrvCmd r = blank_record(target.port, target.index, q30::OP_SET);
    r.on = field.edited() ? 1 : 0;
    const SetProblem problem = send_set(shell.gate, target.code, r);
    if (problem == SetProblem::None)
        field.accept();
    report.add(target.group, target.name, problem);
}

void send_destination(const ShellContext& shell, const SetTarget& target, Field<std::string>& field, bool all,
                      ValueReport& report)
{
    if (!all && !field.changed())
        return;
    DrvCmd r = blank_record(target.port, target.index, q30::OP_SET);
    const SetProblem problem = send_text_set(shell.gate, target.code, r, field.edited());
    if (problem == SetProblem::None)
        field.accept();
    report.add(target.group, target.name, problem);
}

} // namespace quillon
