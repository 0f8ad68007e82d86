#include "models.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace q30sim {

namespace {

constexpr std::array<int, 5> kAllPorts = {11, 21, 22, 31, 32};
constexpr std::size_t kSmallModelPortCount = 3;

constexpr std::string_view kOrderQ20 = "KLM-220S";
constexpr std::string_view kOrderQ30 = "KLM-230S";
constexpr std::string_view kOrderQ30Usb = "KLM-230S USB";

bool equals_ignoring_case(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::string_view order_number(Model model)
{
    switch (model) {
    case Model::Q20: return kOrderQ20;
    case Model::Q30Usb: return kOrderQ30Usb;
    case Model::Q30: break;
    }
    return kOrderQ30;
}

std::span<const int> analogue_ports(Model model)
{
    std::span<const int> all(kAllPorts);
    return model == Model::Q20 ? all.first(kSmallModelPortCount) : all;
}

bool is_analogue_port(Model model, int port)
{
    auto ports = analogue_ports(model);
    return std::find(ports.begin(), ports.end(), port) != ports.end();
}

std::optional<Model> parse_model(std::string_view text)
{
    for (Model m : {Model::Q20, Model::Q30, Model::Q30Usb})
        if (equals_ignoring_case(text, model_name(m)))
            return m;
    return std::nullopt;
}

std::string_view model_name(Model model)
{
    switch (model) {
    case Model::Q20: return "q20";
    case Model::Q30Usb: return "q30-usb";
    case Model::Q30: break;
    }
    return "q30";
}

std::string port_code(int port)
{
    std::string code = "*";
    code += std::to_string(port);
    return code;
}

std::string port_label(int port)
{
    if (port == kDataPort)
        return "ATA: ";
    std::string label = "P";
    label += std::to_string(port);
    label += ": ";
    return label;
}

} // namespace q30sim
