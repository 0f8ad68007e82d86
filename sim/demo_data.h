// Plausible demo contents for a device started with --seed: MSNs, short dial
// and filter numbers, call lists and charges. The same every run.
#pragma once

#include "call_log.h"
#include "charges.h"
#include "models.h"
#include "settings_store.h"

namespace q30sim {

void seed_demo_data(Model model, SettingsStore& settings, CallLog& log, Charges& charges);

} // namespace q30sim
