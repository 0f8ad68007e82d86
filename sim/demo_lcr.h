// Demo least cost routing tables for a device started with --seed: a
// working day split among four providers, a weekend with two, and a few
// excluded service number ranges. The same every run.
#pragma once

#include "settings_store.h"

namespace q30sim {

void seed_least_cost_routing(SettingsStore& settings);

} // namespace q30sim
