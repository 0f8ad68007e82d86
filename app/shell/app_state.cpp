#include "shell/app_state.h"

namespace quillon {

std::string model_name(int model, bool usb)
{
    if (model < 20)
        return kUnknownModelName;
    return "VornISDN Q" + std::to_string(model) + (usb ? "-USB" : "");
}

void AppState::set_model(int model, bool usb)
{
    modelNumber = model;
    isUsb = usb;
    modelName = model_name(model, usb);
}

std::string default_alias(int portIndex)
{
    if (portIndex < 0 || portIndex >= kMaxPorts)
        return "\"data\"";
    return "\"" + std::to_string(kPortNumbers[static_cast<std::size_t>(portIndex)]) + "\"";
}

int clamp_language(int language) { return language >= 0 && language <= 2 ? language : 0; }

} // namespace quillon
