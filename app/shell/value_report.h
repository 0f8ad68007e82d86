// The values a Send or a profile load could not bring to the device, told
// to the user once at the end, grouped by page (or profile section).
#pragma once

#include <string>
#include <vector>

#include "shell/device_set.h"
#include "shell/shell_context.h"

namespace quillon {

class ValueReport {
public:
    // The group is a page caption or a profile section, the name the value's
    // label or profile key. A value without a problem is not recorded.
    void add(const std::string& group, const std::string& name, SetProblem problem);
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    bool has(const std::string& name) const;

    // The intro text, then a line per group and an indented line per value
    // with what was wrong, in the current language.
    std::string text(const ShellContext& shell, int introText) const;
    // Shows that text in a warning box when anything was recorded.
    void tell(const ShellContext& shell, platform::Window* owner, int introText) const;

private:
    struct Entry {
        std::string group;
        std::string name;
        SetProblem problem;
    };
    std::vector<Entry> entries_;
};

} // namespace quillon
