// quillon-cli show [--json]: the device's identity and every page as the
// program shows it, each page shown by its button and read from the device.
#include <cstdio>

#include "commands.h"
#include "device_session.h"
#include "json_text.h"
#include "page_settings.h"
#include "q30com32/com_ports.h"

namespace quillon::cli {

namespace {

constexpr const char* kUsage =
    "usage: quillon-cli show [--json] [--port COMn] [--config-dir DIR]\n"
    "  prints the device's model and versions and every setting of every page\n";

struct Identity {
    std::string port;
    std::string path;
    std::string model;
    std::string firmware;
    std::string bootCode;
};

Identity identity_of(const AppState& state)
{
    return {"COM" + std::to_string(state.comPortIndex + 1), q30::com_path(state.comPortIndex),
            model_name(state.modelNumber, state.isUsb ? 1 : 0), state.firmwareVersion, state.secondVersion};
}

void print_text(const Identity& id, const std::vector<ShownPage>& pages)
{
    std::printf("device:     %s on %s (%s)\nfirmware:   %s\nboot code:  %s\n", id.model.c_str(), id.port.c_str(),
                id.path.c_str(), id.firmware.c_str(), id.bootCode.c_str());
    for (const ShownPage& page : pages) {
        std::printf("\n[%s]\n", page.caption.c_str());
        for (const ShownSetting& s : page.settings)
            std::printf("  %-26s %s\n", s.name.c_str(),
                        s.isSwitch ? (s.on ? "on" : "off") : json_string(s.text).c_str());
    }
}

void print_json(const Identity& id, const std::vector<ShownPage>& pages)
{
    std::printf("{\"device\": {\"port\": %s, \"path\": %s, \"model\": %s, \"firmware\": %s, \"bootCode\": %s},\n",
                json_string(id.port).c_str(), json_string(id.path).c_str(), json_string(id.model).c_str(),
                json_string(id.firmware).c_str(), json_string(id.bootCode).c_str());
    std::printf(" \"pages\": [");
    const char* pageSeparator = "";
    for (const ShownPage& page : pages) {
        std::printf("%s\n  {\"page\": %s, \"settings\": {", pageSeparator, json_string(page.caption).c_str());
        const char* separator = "";
        for (const ShownSetting& s : page.settings) {
            std::printf("%s\n    %s: %s", separator, json_string(s.name).c_str(),
                        s.isSwitch ? (s.on ? "true" : "false") : json_string(s.text).c_str());
            separator = ",";
        }
        std::printf("\n  }}");
        pageSeparator = ",";
    }
    std::printf("\n]}\n");
}

} // namespace

int show(const std::vector<std::string>& args)
{
    const std::optional<CommandLine> line = parse_command_line("show", args, {"--json"}, 0, kUsage);
    if (const std::optional<int> status = ends_with_command_line(line))
        return *status;
    DeviceSession session("show", *line, ConfigUse::PrivateCopy);
    if (std::optional<int> failed = session.open())
        return *failed;
    HeadlessProgram& program = session.program();
    std::vector<ShownPage> pages;
    for (int index = 0; index < platform::kPageCount; ++index) {
        program.show_page(index);
        const Page* page = program.main().page(index);
        if (!page)
            continue;
        ShownPage shown = shown_page(program.backend(), program.resources(), *page);
        if (!shown.settings.empty())
            pages.push_back(std::move(shown));
    }
    session.tell_messages();
    const Identity id = identity_of(program.app().state());
    if (line->has("--json"))
        print_json(id, pages);
    else
        print_text(id, pages);
    return session.unanswered() > 0 ? kExitDeviceFailed : kExitSuccess;
}

} // namespace quillon::cli
