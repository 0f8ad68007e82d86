// What a page shows, read from the headless backend's record of its
// controls: every named input control in the dialog's order, by its name in
// the dialog template ("Port11Msn1Edit"), with the text, choice or tick the
// user would see.
#pragma once

#include <string>
#include <vector>

#include "platform/headless_backend.h"
#include "resources/resources.h"

namespace quillon::cli {

struct ShownSetting {
    std::string name;
    std::string text;       // an edit's text, a list's chosen entry
    bool isSwitch = false;  // a check box or radio button
    bool on = false;
};

struct ShownPage {
    std::string caption;
    std::vector<ShownSetting> settings;
};

ShownPage shown_page(const platform::HeadlessBackend& backend, const resources::Resources& resources,
                     const platform::Window& page);

} // namespace quillon::cli
