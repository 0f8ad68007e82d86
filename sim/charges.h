// The charge counters: per port (analogue ports and the data port) the last
// outgoing call, the current connection and the running sum; and the total.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "amounts.h"
#include "models.h"

namespace q30sim {

enum class Counter { LastCall = 0, Current = 1, Sum = 2 };

class Charges {
public:
    explicit Charges(Model model);

    bool has_port(int port) const;
    MilliAmount get(int port, Counter counter) const;
    void set(int port, Counter counter, MilliAmount amount);
    MilliAmount total() const { return total_; }
    void set_total(MilliAmount amount) { total_ = amount; }

    // A finished outgoing call: it becomes the last call and adds to the port's sum and the total.
    void add_call(int port, MilliAmount amount);

    // A title line ending in "Charge:", then "P11: amount unit" .. and "ATA: amount unit".
    std::vector<std::string> counter_lines(Counter counter, std::string_view unit) const;

private:
    struct PortCounters {
        MilliAmount lastCall = 0, current = 0, sum = 0;
    };
    static MilliAmount& field(PortCounters& c, Counter counter);

    std::vector<int> ports_; // in printing order, data port last
    std::map<int, PortCounters> counters_;
    MilliAmount total_ = 0;
};

} // namespace q30sim
