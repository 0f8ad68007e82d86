// Loading and saving a whole configuration as a profile: the file dialogs,
// the sequences over the main window's own sections (SET_DIV, BACK_DIV) and
// every page's section, and their progress window.
#pragma once

#include "shell/main_window.h"

namespace quillon {

namespace profile {
class IniDocument;
}

// File > "Save Profile As..." and "Load Profile...".
int run_save_profile_as(MainWindow& main);
int run_load_profile(MainWindow& main);

// UWM_SAVE_PROFILE / UWM_LOAD_PROFILE on the main window, over one open
// profile: a save writes every section and commits the file once; one that
// cannot write tells the user which file and why, and returns false. A load
// refuses a file with no profile section and ends by naming every value
// that did not reach the device.
bool save_profile_sequence(MainWindow& main, int which);
void load_profile_sequence(MainWindow& main, int which);

// Whether the document holds any profile section: a load refuses a file
// without one, since it would clear every setting of the device.
bool holds_a_profile_section(const profile::IniDocument& document);

} // namespace quillon
