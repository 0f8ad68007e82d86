// Named control ids in dialog files: "kName=1234" declares a name where a
// number stood, a bare "kName" stands for a number declared before.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "resources/dialog_template.h"

namespace quillon::resources::detail {

// k, a capital, then letters and digits: a constant name of the code, and
// never a C++ keyword or a number.
bool is_control_name(std::string_view word);

// Reads the word where a control id stands into c.id, c.name and
// c.declaresName; a bare name leaves c.id at kUnresolvedControlId. False,
// with the reason in `error`, when it is none of the three forms.
bool parse_control_id(std::string_view word, ControlTemplate& c, std::string& error);

// The names one file declares, with the number and line of their first
// declaration.
class NameScope {
public:
    // Records a declaration; false, with the reason in `error`, when the
    // name already stands for another number.
    bool declare(const std::string& name, int number, int line, std::string& error);
    // The number of a declared name, or kUnresolvedControlId.
    int find(const std::string& name) const;

private:
    struct Declaration {
        int number = 0;
        int line = 0;
    };
    std::map<std::string, Declaration, std::less<>> names_;
};

} // namespace quillon::resources::detail
