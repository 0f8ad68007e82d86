// The data port of a device started with --seed: PPP with multilink and
// bandwidth on demand, an IP address as endpoint identifier, and thresholds
// that differ from the defaults. The same every run.
#pragma once

#include "settings_store.h"

namespace q30sim {

void seed_data_protocol(SettingsStore& settings);

} // namespace q30sim
