// The device models and what tells them apart: order number and ports.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace q30sim {

enum class Model { Q20, Q30, Q30Usb };

// Port number of the data port in commands that take a port.
constexpr int kDataPort = 0;

// The order number the device reports with ATI4 and looks for in a firmware image.
std::string_view order_number(Model model);

// The analogue ports in their fixed order (11, 21, 22 and, on the larger model, 31, 32).
std::span<const int> analogue_ports(Model model);

bool is_analogue_port(Model model, int port);

// Accepts "q20", "q30" and "q30-usb" (any letter case).
std::optional<Model> parse_model(std::string_view text);

// The name parse_model accepts for a model.
std::string_view model_name(Model model);

// The internal code of a port, as dialled or used as a destination: "*21".
std::string port_code(int port);

// The label of a port in charge texts: "P11: " .. "P32: ", and "ATA: " for the data port.
std::string port_label(int port);

} // namespace q30sim
