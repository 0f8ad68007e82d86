// The call acceptance page (page 1): which incoming calls each analogue port
// and the data port ring through, and per analogue port the caller-ID
// presentation, the ring delay, call waiting and the lower ring volume. It
// shows each port's name and MSNs as the MSN page keeps them, and opens the
// data callback dialog.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "dialog_ids/call_acceptance_ids.h"
#include "pages/port_picture.h"
#include "shell/list_selector.h"
#include "shell/page.h"

namespace quillon {

// String bases of the page; its control ids are in dialog_ids::call_acceptance.
namespace call_acceptance_ids {
inline constexpr int kCallWaitingText = 6095;
inline constexpr int kLowerVolumeText = 6100;
inline constexpr int kCallBackText = 6105;
inline constexpr int kFirstPortText = 6050;   // "Port 11", then + 5 per port, "Data Port" at index 5
inline constexpr int kSoftFaxText = 6085;     // "SoftFax/ Dig. Answer machine"
inline constexpr int kAcceptanceName = 9200;  // the values' names in the report of what was not sent
inline constexpr int kCallerIdName = 9205;
inline constexpr int kRingsName = 9210;
} // namespace call_acceptance_ids

// What one analogue port does with incoming calls. Every value is a number,
// the two switches 0 or 1.
struct PortCallSettings {
    Field<int> acceptance;   // 0 none, 1 calls to the port's MSNs, 2 all calls
    Field<int> callerId;     // 0 none, 1 FSK, 2 DTMF
    Field<int> ringDelay;    // rings before the port answers, 0..9
    Field<int> callWaiting;
    Field<int> lowerVolume;  // 1: rings more quietly
};

// One value of the page with its device command, profile key and name.
struct AcceptanceValue;

class CallAcceptancePage : public Page {
public:
    CallAcceptancePage(ShellContext& shell, platform::Window& mainWindow);
    ~CallAcceptancePage() override;

    void on_command(int id, int code) override;
    // Whether a value differs from what the device last confirmed.
    using Page::changed;

    int port_count() const { return portCount_; }
    const PortCallSettings& port(int portIndex) const { return ports_.at(static_cast<std::size_t>(portIndex)); }

protected:
    void on_built() override;
    void read_device() override;
    void store_controls() override;
    void send_to_device(ValueReport& report) override;
    void relabel() override;
    void refresh() override;
    void load_profile(const profile::IniDocument& profile, ValueReport& report) override;
    void save_profile(profile::IniDocument& profile) override;
    void on_control_click(int controlId) override;
    int first_input() const override { return dialog_ids::call_acceptance::kPort11CallWaitingBox; }

private:
    // A drop-down selector and the value it shows.
    struct BoundSelector {
        std::unique_ptr<ListSelector> control;
        Field<int>* field;
    };
    // The page's values in the order the device reads and takes them.
    std::vector<AcceptanceValue> values_in_device_order();
    void send(ValueReport& report, const std::string& group, bool namesAreKeys);
    void adapt_to_model();
    void add_selector(int controlId, SelectorKind kind, Field<int>& field, bool inUse);
    void show_names_and_msns();
    void run_callback_dialog();

    int portCount_;
    std::array<PortCallSettings, kMaxPorts> ports_;
    Field<int> dataCalls_;     // data calls to the data port's MSNs 0..2
    Field<int> softFaxCalls_;  // SoftFax and answering machine calls to its MSNs 3 and 4
    std::vector<BoundSelector> selectors_;
    std::array<std::unique_ptr<PortPicture>, kAliasCount> pictures_;
};

std::unique_ptr<Page> make_call_acceptance_page(ShellContext& shell, platform::Window& mainWindow);

} // namespace quillon
