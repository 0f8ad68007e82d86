#include "shell/value_report.h"

#include <algorithm>

#include "shell/shell_ids.h"

namespace quillon {

void ValueReport::add(const std::string& group, const std::string& name, SetProblem problem)
{
    if (problem != SetProblem::None)
        entries_.push_back({group, name, problem});
}

bool ValueReport::has(const std::string& name) const
{
    return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.name == name; });
}

std::string ValueReport::text(const ShellContext& shell, int introText) const
{
    auto reason = [&](SetProblem p) {
        switch (p) {
        case SetProblem::TooLong: return shell.text(ids::kValueTooLong);
        case SetProblem::BadCharacters: return shell.text(ids::kValueBadCharacters);
        default: return shell.text(ids::kValueNotAccepted);
        }
    };
    std::string out = shell.text(introText) + "\n";
    std::vector<std::string> groups;
    for (const Entry& e : entries_)
        if (std::find(groups.begin(), groups.end(), e.group) == groups.end())
            groups.push_back(e.group);
    for (const std::string& group : groups) {
        out += "\n" + group + "\n";
        for (const Entry& e : entries_)
            if (e.group == group)
                out += "    " + e.name + ": " + reason(e.problem) + "\n";
    }
    return out;
}

void ValueReport::tell(const ShellContext& shell, platform::Window* owner, int introText) const
{
    if (empty())
        return;
    shell.ui.message_box(owner, text(shell, introText), shell.ui.text(ids::kProgramTitle),
                         platform::MessageBoxButtons::Ok, platform::MessageBoxIcon::Warning);
}

} // namespace quillon
