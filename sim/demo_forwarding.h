// Demo call forwardings for a device started with --seed: one of each kind,
// to another port and to external numbers. The same every run.
#pragma once

#include "models.h"
#include "settings_store.h"

namespace q30sim {

// Needs the ports' first MSNs, which the device asks for before it forwards.
void seed_call_forwarding(Model model, SettingsStore& settings);

} // namespace q30sim
