// The program on the scripted library of pages_fixture.h, with a hook that
// may answer a command in place of the library or act while it runs (move
// the clock, go silent): for what the emulated device cannot be made to do.
#pragma once

#include <functional>
#include <optional>

#include "pages_fixture.h"

namespace pagestest {

struct ScriptedProgram : Program {
    // Answers a command itself (a result), or leaves it to the library (none).
    std::function<std::optional<int32_t>(uint32_t code, DrvCmd* r)> answer;
    std::vector<uint32_t> codes;  // every code the program sent, in order

    void start_scripted()
    {
        app = std::make_unique<quillon::Application>(*ui, [this](uint32_t c, DrvCmd* r) {
            codes.push_back(c);
            if (answer)
                if (std::optional<int32_t> result = answer(c, r))
                    return *result;
            return call(c, r);
        });
        app->set_config_directory(configDir);
        app->set_main_window_setup([](quillon::MainWindow& main) { quillon::install_pages_and_dialogs(main); });
        std::string error;
        ASSERT_TRUE(app->initialise(error)) << error;
        backend.pump();
        codes.clear();
    }
    int count(uint32_t code) const { return static_cast<int>(std::count(codes.begin(), codes.end(), code)); }
};

// A reply with "OK" and a number, as the library leaves it in the record.
inline int32_t answered(DrvCmd* r, int32_t value)
{
    r->replied = r->ok = 1;
    r->value = value;
    return q30::kResultOk;
}

} // namespace pagestest
