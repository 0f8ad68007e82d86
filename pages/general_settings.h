// The five texts of the general settings: their profile keys, where the
// main window keeps them and the device command that sets them, in the
// order a profile load sends them.
#pragma once

#include <array>
#include <string>

#include "profile/profile_keys.h"
#include "q30com32/q30com32.h"
#include "shell/main_window.h"

namespace quillon {

struct TextSetting {
    const char* profileKey;
    std::string GeneralSettings::*value;
    uint32_t command;
};

inline constexpr std::array<TextSetting, 5> kTextSettings = {{
    {profile::kChargeUnitKey, &GeneralSettings::chargeUnit, q30::DRV_CHARGE_UNIT},
    {profile::kCurrencyKey, &GeneralSettings::currency, q30::DRV_CURRENCY},
    {profile::kLocalCodeKey, &GeneralSettings::localCode, q30::DRV_LOCAL_CODE},
    {profile::kPabxKey, &GeneralSettings::pabxPrefix, q30::DRV_PABX_PREFIX},
    {profile::kInternationalKey, &GeneralSettings::internationalPrefix, q30::DRV_S75},
}};

} // namespace quillon
