// What every configuration page has in common: its place in the page list,
// the page messages, the leave check with the discard dialog, the Send and
// Help buttons, and the Enter/Tab confirm-field keys.
#pragma once

#include "platform/window.h"
#include "shell/page_values.h"
#include "shell/shell_context.h"
#include "shell/value_report.h"

namespace quillon {

namespace profile {
class IniDocument;
}

// What UWM_LOAD_PROFILE carries in lParam: the open profile and the report
// of the values that did not reach the device.
struct ProfileLoad {
    const profile::IniDocument& document;
    ValueReport& report;
};

// One row of the page list.
struct PageInfo {
    int largerDialog;           // template for the Q30 (and while no model is known)
    int smallerDialog;          // template for the Q20
    const char* profileSection; // the section the page owns in a profile, or null
};
const PageInfo& page_info(int index);

class Page : public platform::Window {
public:
    Page(ShellContext& shell, platform::Window& mainWindow, int index);

    int index() const { return index_; }
    bool hidden() const { return hidden_; }
    bool read_once() const { return read_; }

    // Creates the window from the page's dialog for the model and sets it up.
    void build();

    // The profile section the page owns, or null for a page without one.
    const char* profile_section() const { return page_info(index_).profileSection; }

    intptr_t on_message(const platform::Message& m) override;
    void on_command(int id, int code) override;
    bool pre_translate(const platform::Message& m) override;
    bool on_key(platform::Key key) override;
    void on_close() override;

    // Runs the leave check: false when the user chose to stay.
    bool leave_check();
    // The page's caption, with "not connected" while the device is lost.
    void update_caption();
    // Send: the page's values go to the device; what the device did not
    // take is told to the user once.
    void send_changes();

protected:
    // What a page supplies. The defaults fit a page without device values.
    // Runs once the window and its controls exist.
    virtual void on_built() {}
    virtual void read_device() {}
    virtual void store_controls() {}
    // Changed and Discard come from the page's value set.
    virtual bool changed() const { return values_.changed(); }
    virtual void discard_changes()
    {
        values_.discard();
        refresh();
    }
    // Sends the values; records what the device did not take.
    virtual void send_to_device(ValueReport& /*report*/) {}
    virtual void relabel() {}
    virtual void refresh() {}
    // Reads the page's section and sends it; records what did not reach the device.
    virtual void load_profile(const profile::IniDocument& /*profile*/, ValueReport& /*report*/) {}
    // Writes the page's section with the confirmed values.
    virtual void save_profile(profile::IniDocument& /*profile*/) {}
    virtual void pause_polling(bool /*pause*/) {}
    virtual void on_control_click(int /*controlId*/) {}
    // The control that gets the focus after a read or show (0: none).
    virtual int first_input() const { return 0; }
    // Enter and Tab: store the controls and move on to the next control.
    virtual void confirm_field();

    ShellContext& shell_;
    platform::Window& main_;
    ValueSet values_;

private:
    void set_language();
    void set_common_texts();
    void leave_for(int command);

    int index_;
    bool hidden_ = true;
    bool read_ = false;
};

} // namespace quillon
