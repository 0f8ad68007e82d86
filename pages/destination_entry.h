// Fields that take a call destination, as the forwarding, short dial and
// call filter pages show them: the value (device form) is a number or a
// port code such as "*21"; its edit shows the number, or the port's name
// for a port code. Typed text is checked on every change.
#pragma once

#include <string>

#include "pages/destination.h"
#include "shell/page_values.h"
#include "shell/shell_context.h"
#include "shell/value_report.h"

namespace quillon {

// "Please enter a phone number ... or the name of the port ..."
inline constexpr int kInvalidDestinationMessage = 9645;

// The names the destinations are shown with: the port aliases, the default
// name where an alias is empty.
PortNames port_names(const AppState& state);

// The edit's text into the field's edited device form: a port's name
// becomes its code.
void store_destination(const platform::Window& page, int editId, Field<std::string>& field, const PortNames& names);
// The field's edited device form into the edit: a port code by its name.
void show_destination(platform::Window& page, int editId, const Field<std::string>& field, const PortNames& names);

// How a page words the refusal of typed text.
enum class TooLongMessage {
    Own,     // "max 15 digits" for a text longer than 15 characters
    Shared,  // the one message for every refused text
};

// The check while typing: true when the text may stay (also the beginning
// of a port name or code); otherwise the user is told why and it is false.
bool accept_typed_destination(ShellContext& shell, platform::Window& page, const std::string& text,
                              TooLongMessage tooLong);

// Where a value goes and how the user hears that it did not get there.
struct SetTarget {
    uint32_t code;  // the device command
    int port;       // port number; 0 for the device-wide form
    int index;      // slot or row; 0 for a switch
    const std::string& group;  // ValueReport group and name
    const std::string& name;
};

// Sends a page's switch or destination when `all` is set or it changed;
// it is confirmed only when the device took it, and recorded otherwise.
void send_switch(const ShellContext& shell, const SetTarget& target, Field<bool>& field, bool all, ValueReport& report);
void send_destination(const ShellContext& shell, const SetTarget& target, Field<std::string>& field, bool all,
                      ValueReport& report);

} // namespace quillon
