#include "resources/dialog_names.h"

#include <algorithm>
#include <set>

#include "resources/resource_files.h"
#include "resources/resource_limits.h"
#include "resources/statement.h"

namespace quillon::resources {

namespace detail {

namespace {

bool is_upper(char c) { return c >= 'A' && c <= 'Z'; }
bool is_alnum(char c) { return is_upper(c) || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

} // namespace

bool is_control_name(std::string_view word)
{
    if (word.size() < 2 || word[0] != 'k' || !is_upper(word[1]))
        return false;
    for (char c : word)
        if (!is_alnum(c))
            return false;
    return true;
}

bool parse_control_id(std::string_view word, ControlTemplate& c, std::string& error)
{
    const std::size_t equals = word.find('=');
    const std::string_view name = word.substr(0, equals);
    const bool startsWithDigit = !word.empty() && word[0] >= '0' && word[0] <= '9';
    if (equals == std::string_view::npos && (startsWithDigit || word.empty() || word[0] == '-' || word[0] == '+'))
        return parse_number("control id", word, 0, kMaxResourceId, c.id, error);
    if (!is_control_name(name)) {
        error = "expected the control id (a number, kName=<number> or kName), found " + std::string(word);
        return false;
    }
    c.name = std::string(name);
    if (equals == std::string_view::npos) {
        c.id = kUnresolvedControlId;
        c.declaresName = false;
        return true;
    }
    c.declaresName = true;
    return parse_number("control id of " + c.name, word.substr(equals + 1), 0, kMaxResourceId, c.id, error);
}

bool NameScope::declare(const std::string& name, int number, int line, std::string& error)
{
    const auto [it, added] = names_.try_emplace(name, Declaration{number, line});
    if (added || it->second.number == number)
        return true;
    error = "the name " + name + " is declared twice with different numbers: " + std::to_string(number) +
            " here, " + std::to_string(it->second.number) + " on line " + std::to_string(it->second.line);
    return false;
}

int NameScope::find(const std::string& name) const
{
    const auto it = names_.find(name);
    return it == names_.end() ? kUnresolvedControlId : it->second.number;
}

} // namespace detail

void resolve_base_names(DialogTemplate& t, const DialogTemplate* base, const std::string& fileName,
                        std::vector<ParseError>& errors)
{
    const auto named = [](const ControlTemplate& c) { return !c.name.empty(); };
    if (std::none_of(t.controls.begin(), t.controls.end(), named))
        return;
    std::map<std::string_view, int> baseNames;
    if (base) {
        for (const ControlTemplate& c : base->controls)
            if (!c.name.empty() && c.id != kUnresolvedControlId)
                baseNames.emplace(c.name, c.id);
    }
    const std::string baseText = "DIALOG " + std::to_string(t.baseId);
    std::set<int> usedIds;
    for (const ControlTemplate& c : t.controls)
        if (c.id != kUnresolvedControlId)
            usedIds.insert(c.id);

    std::vector<ControlTemplate> kept;
    kept.reserve(t.controls.size());
    for (ControlTemplate& c : t.controls) {
        const auto found = c.name.empty() ? baseNames.end() : baseNames.find(c.name);
        if (c.id == kUnresolvedControlId) {
            if (found == baseNames.end()) {
                detail::add_error(errors, fileName, c.line,
                                  "the name " + c.name + " is declared neither in this file nor in " + baseText);
                continue;
            }
            if (!usedIds.insert(found->second).second) {
                detail::add_error(errors, fileName, c.line,
                                  "the control id " + c.name + " (" + std::to_string(found->second) +
                                      ") is used twice in DIALOG " + std::to_string(t.id));
                continue;
            }
            c.id = found->second;
        } else if (found != baseNames.end() && found->second != c.id) {
            detail::add_error(errors, fileName, c.line,
                              "the name " + c.name + " is declared twice with different numbers: " +
                                  std::to_string(c.id) + " here, " + std::to_string(found->second) + " in " +
                                  baseText);
            continue;
        }
        kept.push_back(std::move(c));
    }
    t.controls = std::move(kept);
}

} // namespace quillon::resources
