// The C++ header of the control ids one dialog file declares by name, so
// that the program and the tests say kSendButton where the file says
// kSendButton=2154, and no number is written twice.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "resources/dialog_template.h"

namespace quillon::resources {

// True for a namespace name the header can use: lower-case letters, digits
// and '_', not starting with a digit.
bool is_ids_namespace(std::string_view name);

// The header text: each name that `dialogs` (one file's) declare, once, in
// the order of the file, as `inline constexpr int` in
// quillon::dialog_ids::<nameSpace>. `sourceName` names the file in the
// header's opening comment.
std::string dialog_ids_header(const std::vector<DialogTemplate>& dialogs, std::string_view nameSpace,
                              std::string_view sourceName);

} // namespace quillon::resources
