// Demo morning calls for a device started with --seed: a time on every
// port, some of them switched on, so that no port shows the factory time alone.
#pragma once

#include "models.h"
#include "settings_store.h"

namespace q30sim {

void seed_morning_calls(Model model, SettingsStore& settings);

} // namespace q30sim
