#include "gui/start_options.h"

#include "shell/shell_ids.h"

namespace quillon::gui {

namespace {

constexpr int kEnglish = 0;

} // namespace

void show_start_failure(platform::Ui& ui, const std::string& reason)
{
    ui.message_box(nullptr, ui.text(kConfigFolderUnusable, kEnglish) + "\n\n" + reason, ui.text(ids::kProgramTitle),
                   platform::MessageBoxButtons::Ok, platform::MessageBoxIcon::Warning);
}

} // namespace quillon::gui
