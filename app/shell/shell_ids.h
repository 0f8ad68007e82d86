// String-table bases and dialog ids of the shell's windows. Their control
// ids come from the dialog files (dialog_ids/*_ids.h).
#pragma once

#include "dialog_ids/about_ids.h"

namespace quillon::ids {

// Strings (bases: the text shown is base + language, unless noted).
inline constexpr int kProgramTitle = 57344;        // single id: "VornISDN Quillon"
inline constexpr int kPageButtonLabelBase = 6000;  // + 5 × page index
inline constexpr int kPageCaptionBase = 8500;      // + 5 × page index
inline constexpr int kPageHelpTextBase = 7000;     // + 5 × page index
inline constexpr int kSendButton = 6090;
inline constexpr int kCancel = 6345;
inline constexpr int kNoResponseText = 6485;
inline constexpr int kTryAgain = 6490;
inline constexpr int kQuitApplication = 6495;
inline constexpr int kDiscardQuestion = 6500;
inline constexpr int kDiscardChanges = 6505;
inline constexpr int kCheckAllCables = 8635;
inline constexpr int kDeviceLost = 9800;
inline constexpr int kOk = 6900;
inline constexpr int kCreditsCaption = 6905;
inline constexpr int kCreditsBlockBase = 6910;     // four blocks: 6910, 6915, 6920, 6925
inline constexpr int kHelpCaptionPrefix = 6930;    // "VornISDN:"
inline constexpr int kPageUnderConstruction = 6940;
inline constexpr int kProgressTitle = 6935;        // "VornISDN-Status"
inline constexpr int kCannotSaveProfile = 6945;
inline constexpr int kProfileValuesNotSent = 6950;
// What a Send or a profile load could not bring to the device, and why.
inline constexpr int kSendNotAccepted = 9900;
inline constexpr int kValueTooLong = 9905;
inline constexpr int kValueBadCharacters = 9910;
inline constexpr int kValueNotAccepted = 9915;
inline constexpr int kNotAProfile = 9920;
inline constexpr int kCharacterNotForDevice = 9925;
inline constexpr int kMax15Digits = 9790;
inline constexpr int kNotConnected = 9935;
// The no-device dialog on Linux: the usual causes, and what each port shows.
inline constexpr int kLinuxCauses = 8800;
inline constexpr int kPortFree = 8805;
inline constexpr int kPortNotPresent = 8810;
inline constexpr int kPortNoPermission = 8815;
inline constexpr int kPortBusy = 8820;
inline constexpr int kPortNotSerial = 8825;
inline constexpr int kPortCannotOpen = 8830;

// Dialog templates (the even id; the odd one is the small-font variant).
inline constexpr int kSplashDialog = 369;
inline constexpr int kHelpDialog = 850;
inline constexpr int kCreditsDialog = 852;
inline constexpr int kNoResponseDialog = 854;
inline constexpr int kDiscardDialog = 856;
inline constexpr int kSettingsDialog = 846;
inline constexpr int kDataCallbackDialog = 822;
inline constexpr int kUpgradeDialog = 842;
inline constexpr int kIsdnInfoDialog = 844;
inline constexpr int kMonitorDialogLarger = 860;
inline constexpr int kMonitorDialogSmaller = 862;

// Menus: 700 English, 701 German, 702 French.
inline constexpr int kMenuBase = 700;

// Pictures.
inline constexpr int kWarningPicture = 356;
inline constexpr int kHeaderPicture = 251;
// The size in pixels of the About window's picture (370, named in its dialog file).
inline constexpr int kAboutPictureWidth = 300;
inline constexpr int kAboutPictureHeight = 336;

// Controls. The placeholder text that every page still to be built shows.
inline constexpr int kPageMessage = 1000;

} // namespace quillon::ids
