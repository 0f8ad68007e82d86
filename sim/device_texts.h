// Fixed texts the device prints.
#pragma once

#include <array>
#include <string_view>

namespace q30sim::texts {

constexpr std::string_view kBootCodeLabel = "BOOT CODE "; // second line of ATI3, before the version
constexpr std::string_view kClockNotSet = "--/--/---- --:--:--";
constexpr std::string_view kUpgradeSuccessful = "UPGRADE SUCCESSFUL";
constexpr std::string_view kUpgradeFailed = "UPGRADE FAIL";
constexpr std::string_view kBootLoaderWaiting = "BOOT LOADER: NO VALID FIRMWARE - FAIL, WAITING FOR IMAGE";
constexpr std::string_view kCallEnded = "NO CARRIER";

// AT\S0? and AT\S1?: several lines; the backspace at the end closes the text.
constexpr std::array<std::string_view, 8> kImportantCommands = {
    "Important AT commands:",
    "ATE0 / ATE1      echo off / on",
    "ATV0 / ATV1      numeric / verbose results",
    "ATI3 / ATI4      versions / order number",
    "AT&W             store settings & keep them",
    "AT!T?            date & time",
    "AT!C1?           ISDN line state",
    "\b",
};
constexpr std::array<std::string_view, 7> kChangedCommands = {
    "Changed AT commands:",
    "AT&P             least cost routing on & off",
    "AT&L / AT&R      LCR local calls & row active",
    "AT&N             LCR excluded range active",
    "AT\\D / AT\\P      LCR time & predial",
    "AT!P20..22       call forwarding CFU, CNR & CFB",
    "\b",
};

// The words of a forwarding query answer by register 20, 21, 22.
constexpr std::array<std::string_view, 3> kForwardingKinds = {"CFU", "CNR", "CFB"};

} // namespace q30sim::texts
