#include "demo_data_protocol.h"

namespace q30sim {

void seed_data_protocol(SettingsStore& s)
{
    s.set("%A2", "95");  // PPP
    s.set("%A0", "1");   // automatic protocol identification
    s.set("%P0", "1");   // multilink PPP
    s.set("%P1", "1");   // dynamic bandwidth allocation
    s.set("%P6", "1");   // bandwidth on demand
    s.set("%P3", "2");   // EID class: IP address
    s.set("%P4", "192168001010");
    s.set("%E0", "200"); // V.120 frame size
    s.set("%X0", "1024");
    s.set("%P7", "48");  // high water, kbit/s
    s.set("%P8", "3");   // minutes above it
    s.set("%P9", "24");  // low water, kbit/s
    s.set("%P10", "1");  // minutes below it
}

} // namespace q30sim
