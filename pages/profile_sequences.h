// Loading and saving a whole configuration as a profile: the file dialogs,
// the sequences over the main window's own sections (SET_DIV, BACK_DIV) and
// every page's section, and their progress window.
#pragma once

#include "shell/main_window.h"

namespace quillon {

inline constexpr int kDefaultProfile = 0;  // the file selector of the profile messages
inline constexpr int kChosenProfile = 1;

// File > "Save Profile As..." and "Load Profile...".
int run_save_profile_as(MainWindow& main);
int run_load_profile(MainWindow& main);

// UWM_SAVE_PROFILE / UWM_LOAD_PROFILE on the main window. A save that
// cannot write tells the user which file and why, and returns false.
bool save_profile_sequence(MainWindow& main, int which);
void load_profile_sequence(MainWindow& main, int which);
// UWM_PROGRESS_TICK: a page reports progress during a load.
void progress_tick(MainWindow& main);

} // namespace quillon
