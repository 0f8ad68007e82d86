// Demo contents of call acceptance for a device started with --seed: which
// calls each port takes, caller-ID presentation, ring delay, call waiting
// and ring volume, so that no port shows the factory values alone.
#pragma once

#include "models.h"
#include "settings_store.h"

namespace q30sim {

void seed_call_acceptance(Model model, SettingsStore& settings);

} // namespace q30sim
