// The values of the device's registers, by the address text that names them
// ("!P0#11*2", "S95"), and how they travel to and from a state file.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q30sim {

class SettingsStore {
public:
    // The value held under `key`, or `initial` when it was never set.
    std::string get(const std::string& key, std::string_view initial) const;
    void set(const std::string& key, std::string value);
    void erase(const std::string& key);

    // Every value as the command line that sets it ("AT!P0#11*2=4711001"), in the
    // order of their keys. That order puts the MSNs ("!P0#...") before the call
    // forwardings ("!P20#..."), which need them.
    std::vector<std::string> as_command_lines() const;

    bool operator==(const SettingsStore&) const = default;

private:
    std::map<std::string, std::string, std::less<>> values_;
};

// Writes the lines to `path` through a temporary file in the same directory and
// a rename, so that a crash never leaves half a file. False with `error` set.
bool write_state_file(const std::string& path, const std::vector<std::string>& lines, std::string& error);
// The same for any bytes.
bool write_file_atomically(const std::string& path, const std::string& bytes, std::string& error);

enum class StateFileRead { Missing, Read, Unreadable };

// Reads the command lines of a state file, skipping blank lines and "#" comments.
StateFileRead read_state_file(const std::string& path, std::vector<std::string>& lines, std::string& error);

} // namespace q30sim
