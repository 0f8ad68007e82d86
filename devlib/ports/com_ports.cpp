#include "q30com32/com_ports.h"

#include <cstdlib>

namespace q30 {

namespace {
constexpr const char* kDefaultPaths[kComPortCount] = {
    "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0", "/dev/ttyACM1",
    "/dev/ttyS0",   "/dev/ttyS1",   "/dev/ttyS2",   "/dev/ttyS3",
};

bool valid_index(int comIndex) { return comIndex >= 0 && comIndex < kComPortCount; }
} // namespace

std::string com_variable(int comIndex)
{
    return "Q30COM32_COM" + std::to_string(comIndex + 1);
}

std::string default_com_path(int comIndex)
{
    return valid_index(comIndex) ? kDefaultPaths[comIndex] : "";
}

std::string com_path(int comIndex)
{
    if (!valid_index(comIndex))
        return "";
    const char* set = std::getenv(com_variable(comIndex).c_str());
    return set && *set ? set : default_com_path(comIndex);
}

bool com_path_from_environment(int comIndex)
{
    return valid_index(comIndex) && std::getenv(com_variable(comIndex).c_str()) != nullptr;
}

} // namespace q30
