// What every configuration page has in common: its place in the page list,
// the page messages, the leave check with the discard dialog, the Send and
// Help buttons, and the Enter/Tab confirm-field keys.
#pragma once

#include "platform/window.h"
#include "shell/shell_context.h"

namespace quillon {

// One row of the page list.
struct PageInfo {
    int largerDialog;   // template for the Q30 (and while no model is known)
    int smallerDialog;  // template for the Q20
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

    intptr_t on_message(const platform::Message& m) override;
    void on_command(int id, int code) override;
    bool pre_translate(const platform::Message& m) override;
    bool on_key(platform::Key key) override;
    void on_close() override;

    // Runs the leave check: false when the user chose to stay.
    bool leave_check();

protected:
    // What a page supplies. The defaults fit a page without device values.
    virtual void read_device() {}
    virtual void store_controls() {}
    virtual bool changed() const { return false; }
    virtual void send_to_device() {}
    virtual void discard_changes() {}
    virtual void relabel() {}
    virtual void refresh() {}
    virtual void load_profile(int /*which*/) {}
    virtual void save_profile(int /*which*/) {}
    virtual void pause_polling(bool /*pause*/) {}
    virtual void on_control_click(int /*controlId*/) {}
    // The control that gets the focus after a read or show (0: none).
    virtual int first_input() const { return 0; }
    // Enter and Tab: store the controls and move on to the next control.
    virtual void confirm_field();

    ShellContext& shell_;
    platform::Window& main_;

private:
    void set_language();
    void set_common_texts();
    void leave_for(int command);

    int index_;
    bool hidden_ = true;
    bool read_ = false;
};

} // namespace quillon
