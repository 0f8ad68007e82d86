// Window messages, notification codes and command ids shared by the main
// window, the pages and the controls.
#pragma once

#include <cstdint>

namespace quillon::platform {

// System messages the layer delivers.
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr uint32_t WM_TIMER = 0x0113;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_USER = 0x0400;

// Private messages between the main window, the pages and the controls.
inline constexpr uint32_t UWM_READ_DEVICE = WM_USER + 0x04;
inline constexpr uint32_t UWM_CLOSE_PAGE = WM_USER + 0x05;
inline constexpr uint32_t UWM_PAGE_HIDE = WM_USER + 0x06;
inline constexpr uint32_t UWM_PAGE_SHOW = WM_USER + 0x07;
inline constexpr uint32_t UWM_SET_LANGUAGE = WM_USER + 0x08;
inline constexpr uint32_t UWM_PORTPIC_REFRESH = WM_USER + 0x0A;  // a port picture re-reads its choice
inline constexpr uint32_t UWM_STATUS_PANEL = WM_USER + 0x0B;
inline constexpr uint32_t UWM_IDENTIFY_DEVICE = WM_USER + 0x0C;
inline constexpr uint32_t UWM_LOAD_PROFILE = WM_USER + 0x0E;
inline constexpr uint32_t UWM_SAVE_PROFILE = WM_USER + 0x0F;
inline constexpr uint32_t UWM_PROGRESS_TICK = WM_USER + 0x10;
inline constexpr uint32_t UWM_MODEL_CHECK = WM_USER + 0x11;
inline constexpr uint32_t UWM_PAUSE_POLLING = WM_USER + 0x12;
inline constexpr uint32_t UWM_IGNORED_414 = WM_USER + 0x14;
inline constexpr uint32_t UWM_FOLLOW_PAGE = WM_USER + 0x15;
inline constexpr uint32_t UWM_QUERY_LEAVE = WM_USER + 0x16;
inline constexpr uint32_t UWM_IGNORED_417 = WM_USER + 0x17;
inline constexpr uint32_t UWM_CONTROL_CLICK = WM_USER + 0x18;
inline constexpr uint32_t UWM_DEVICE_LOST = WM_USER + 0x19;
inline constexpr uint32_t UWM_REREAD_FORWARDING = WM_USER + 0x1A;
inline constexpr uint32_t UWM_FWD_STATUS_RESET = WM_USER + 0x1B;
inline constexpr uint32_t UWM_SHUTDOWN = WM_USER + 0x1C;

// Notification codes carried in the high word of a WM_COMMAND's wParam.
inline constexpr int BN_CLICKED = 0;
inline constexpr int EN_CHANGE = 0x0300;
inline constexpr int EN_KILLFOCUS = 0x0200;
inline constexpr int CBN_SELCHANGE = 1;
inline constexpr int LBN_SELCHANGE = 1;

inline constexpr uintptr_t command_wparam(int id, int code)
{
    return (static_cast<uintptr_t>(static_cast<uint16_t>(code)) << 16) | static_cast<uint16_t>(id);
}
inline constexpr int command_id(uintptr_t wparam) { return static_cast<int>(wparam & 0xFFFF); }
inline constexpr int command_code(uintptr_t wparam) { return static_cast<int>((wparam >> 16) & 0xFFFF); }

// Dialog results and common control ids.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Command ids of the menus, the page buttons and the common buttons.
inline constexpr int ID_PAGE_FIRST = 5000;  // 5000..5009: the ten pages
inline constexpr int ID_PAGE_LAST = 5009;
inline constexpr int kPageCount = 10;
inline constexpr int ID_MONITOR = 5010;
inline constexpr int ID_LOAD_PROFILE = 5011;
inline constexpr int ID_SAVE_PROFILE = 5012;
inline constexpr int ID_SETTINGS = 5013;
inline constexpr int ID_UPGRADE = 5014;
inline constexpr int ID_DATA_CALLBACK = 5015;
inline constexpr int ID_ISDN_INFO = 5016;
inline constexpr int ID_QUIT = 2153;
inline constexpr int ID_SEND = 2154;
inline constexpr int ID_HELP = 57670;
inline constexpr int ID_EXTRA_BUTTON = 1052;
inline constexpr int ID_DISCARD = 1053;
inline constexpr int ID_STAY = 1054;
inline constexpr int ID_HELP_HEADER = 32780;  // a heading in the help menu: no action
inline constexpr int ID_HELP_FIRST = 32781;
inline constexpr int ID_HELP_LAST = 32802;
inline constexpr int ID_ABOUT = 32799;

inline constexpr bool is_page_command(int id) { return id >= ID_PAGE_FIRST && id <= ID_PAGE_LAST; }
inline constexpr bool is_help_command(int id) { return id >= ID_HELP_HEADER && id <= ID_HELP_LAST; }

} // namespace quillon::platform
