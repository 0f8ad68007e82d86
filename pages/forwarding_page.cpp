#include "pages/forwarding_page.h"

#include <cstdio>

#include "pages/destination_entry.h"
#include "platform/ui.h"
#include "profile/ini_document.h"
#include "profile/profile_keys.h"
#include "q30com32/q30com32.h"
#include "shell/device_set.h"
#include "shell/main_window.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;
using namespace forwarding_ids;
using namespace dialog_ids::forwarding;

namespace {

constexpr int kSmallerModelPorts = 3;

// The forwarding status the device answers to a set.
constexpr int32_t kForwardingOn = 1;
constexpr int32_t kNotSubscribed = 2;  // 2 not on the line, 3 unknown: the request did not stick

// By kind: immediately, if busy, after 20 seconds.
constexpr std::array<uint32_t, kForwardingKinds> kCommands = {q30::DRV_FORWARD_20, q30::DRV_FORWARD_22,
                                                              q30::DRV_FORWARD_21};
constexpr std::array<const char*, kForwardingKinds> kKeyFormats = {"FWDIMM%d", "FWDBUSY%d", "FRD20SEC%d"};

// Controls are counted from port 11's: five ports to a kind.
static_assert(kPort11BusyEdit == kPort11ImmediateEdit + kMaxPorts);
static_assert(kPort11After20Edit == kPort11ImmediateEdit + 2 * kMaxPorts);
static_assert(kPort32After20Edit == kPort11ImmediateEdit + kForwardingKinds * kMaxPorts - 1);
static_assert(kPort11ImmediateSend == kPort11ImmediateEdit + kForwardingKinds * kMaxPorts);
static_assert(kPort32After20Send == kPort11ImmediateSend + kForwardingKinds * kMaxPorts - 1);
static_assert(kPort32PicturePlace == kPort11PicturePlace + kMaxPorts - 1);
static_assert(kPort32Label == kPort11Label + kMaxPorts - 1 && kPort32AliasLabel == kPort11AliasLabel + kMaxPorts - 1);
static_assert(kAfter20Heading == kImmediateHeading + kForwardingKinds - 1);

std::size_t at(int i) { return static_cast<std::size_t>(i); }

int edit_of(int kind, int port) { return kPort11ImmediateEdit + kMaxPorts * kind + port; }
int button_of(int kind, int port) { return kPort11ImmediateSend + kMaxPorts * kind + port; }
bool is_edit(int id) { return id >= kPort11ImmediateEdit && id <= kPort32After20Edit; }
bool is_button(int id) { return id >= kPort11ImmediateSend && id <= kPort32After20Send; }

std::string port_code(int portIndex) { return "*" + std::to_string(kPortNumbers[at(portIndex)]); }

// The text is exactly a port's name: that port's index, else -1.
int port_named(const std::string& text, const PortNames& aliases)
{
    for (int j = 0; j < kMaxPorts; ++j)
        if (!aliases[at(j)].empty() && text == aliases[at(j)])
            return j;
    return -1;
}

// Pauses the main window's alive poll for as long as it lives.
class AlivePollPause {
public:
    explicit AlivePollPause(MainWindow* main) : main_(main)
    {
        if (main_)
            main_->pause_alive_poll();
    }
    ~AlivePollPause()
    {
        if (main_)
            main_->resume_alive_poll();
    }
    AlivePollPause(const AlivePollPause&) = delete;
    AlivePollPause& operator=(const AlivePollPause&) = delete;

private:
    MainWindow* main_;
};

} // namespace

uint32_t forwarding_command(int kind) { return kCommands.at(at(kind)); }

std::string forwarding_profile_key(int kind, int portIndex)
{
    char key[16];
    std::snprintf(key, sizeof key, kKeyFormats.at(at(kind)), portIndex);
    return key;
}

// A port's exact name wins over the first-match rules of the classification,
// which would take a name that begins another port's name as incomplete,
// and a name longer than a number as invalid.
std::string forwarding_device_form(const std::string& displayText, const PortNames& aliases)
{
    if (const int port = port_named(displayText, aliases); port >= 0)
        return port_code(port);
    return destination_device_form(displayText, aliases);
}

ForwardingPage::ForwardingPage(ShellContext& shell, Window& mainWindow) : Page(shell, mainWindow, 3)
{
    for (auto& kind : fields_)
        values_.add_all(kind);
}

ForwardingPage::~ForwardingPage() = default;

const Field<std::string>& ForwardingPage::field(int kind, int portIndex) const
{
    return fields_.at(at(kind)).at(at(portIndex));
}

Field<std::string>& ForwardingPage::field_at(int kind, int portIndex) { return fields_.at(at(kind)).at(at(portIndex)); }

// From the model itself: after a change of model this page may be built
// before the MSN page sets the shared port count again.
int ForwardingPage::port_count() const { return shell_.state.smaller_model() ? kSmallerModelPorts : kMaxPorts; }

MainWindow* ForwardingPage::main_window() const { return dynamic_cast<MainWindow*>(&main_); }

void ForwardingPage::on_built()
{
    adapt_to_model();
    const PortPicture::Look displayOnly{false, false};
    for (int p = 0; p < port_count(); ++p)
        pictures_[at(p)] = std::make_unique<PortPicture>(shell_, *this, kPort11PicturePlace + p, p,
                                                         PortPictureKind::Analogue, displayOnly);
}

// The Q20 has three ports: the rows of ports 31 and 32 are hidden, and
// their fields take no part in changes, sends and profiles.
void ForwardingPage::adapt_to_model()
{
    for (int p = 0; p < kMaxPorts; ++p) {
        const bool inUse = p < port_count();
        for (int k = 0; k < kForwardingKinds; ++k) {
            field_at(k, p).set_in_use(inUse);
            if (!inUse) {
                set_visible(edit_of(k, p), false);
                set_visible(button_of(k, p), false);
            }
        }
        if (!inUse) {
            set_visible(kPort11PicturePlace + p, false);
            set_visible(kPort11Label + p, false);
            set_visible(kPort11AliasLabel + p, false);
        }
    }
}

intptr_t ForwardingPage::on_message(const Message& m)
{
    if (m.id == UWM_FWD_STATUS_RESET) {
        set_status(kStatusReady);
        repaint();
        return 1;
    }
    return Page::on_message(m);
}

void ForwardingPage::on_timer(int id)
{
    if (id == kStatusTimer)
        shell_.ui.post(*this, UWM_FWD_STATUS_RESET);
}

void ForwardingPage::on_command(int id, int code)
{
    if (is_edit(id) && code == EN_CHANGE) {
        const int n = id - kPort11ImmediateEdit;
        check_typed(n / kMaxPorts, n % kMaxPorts);
        return;
    }
    if (is_button(id) && code == BN_CLICKED) {
        const int n = id - kPort11ImmediateSend;
        send_button(n / kMaxPorts, n % kMaxPorts);
        return;
    }
    Page::on_command(id, code);
}

void ForwardingPage::set_status(int textId)
{
    statusText_ = textId;
    if (textId != kStatusRefused)
        kill_timer(kStatusTimer);
    set_text(kStatusLine, shell_.text(statusText_));
}

void ForwardingPage::show_port_labels()
{
    const PortNames names = port_names(shell_.state);
    for (int p = 0; p < port_count(); ++p)
        set_text(kPort11AliasLabel + p, names[at(p)]);
}

void ForwardingPage::show_fields()
{
    const PortNames names = port_names(shell_.state);
    for (int k = 0; k < kForwardingKinds; ++k)
        for (int p = 0; p < port_count(); ++p)
            set_text(edit_of(k, p), destination_display_text(field_at(k, p).edited(), names));
}

void ForwardingPage::refresh()
{
    show_port_labels();
    show_fields();
}

void ForwardingPage::relabel()
{
    for (int p = 0; p < kMaxPorts; ++p)
        set_text(kPort11Label + p, shell_.text(kFirstPortCaption + 5 * p));
    for (int k = 0; k < kForwardingKinds; ++k) {
        set_text(kImmediateHeading + k, shell_.text(kFirstKindHeading + 5 * k));
        for (int p = 0; p < kMaxPorts; ++p)
            set_text(button_of(k, p), shell_.text(ids::kOk));
    }
    set_text(kHint, shell_.text(kHintText));
    set_text(kStatusLine, shell_.text(statusText_));
}

void ForwardingPage::read_device()
{
    for (int p = 0; p < port_count(); ++p)
        for (int k = 0; k < kForwardingKinds; ++k)
            read_field(k, p);
    show_port_labels();
    set_status(kStatusReady);
    refresh_port_pictures(shell_, pictures_);
    show_fields();
}

// Off, not subscribed, unknown, no answer and no device all read as empty.
void ForwardingPage::read_field(int kind, int portIndex)
{
    DrvCmd r = blank_record(kPortNumbers[at(portIndex)], 0, q30::OP_QUERY);
    const int32_t result = shell_.gate.send(forwarding_command(kind), &r);
    field_at(kind, portIndex).read(accepted(result, r) && r.value == kForwardingOn ? device_str(r) : std::string());
}

// Display text to device form for every field; a port code shows as the
// port's name.
void ForwardingPage::store_controls()
{
    const PortNames aliases = port_names(shell_.state);
    for (int k = 0; k < kForwardingKinds; ++k)
        for (int p = 0; p < port_count(); ++p) {
            const std::string shown = text(edit_of(k, p));
            const std::string form = forwarding_device_form(shown, aliases);
            field_at(k, p).edit(form);
            if (const std::string display = destination_display_text(form, aliases); display != shown)
                set_text(edit_of(k, p), display);
        }
}

// Partial input is allowed while typing: "*", "*2", the beginning of a name.
void ForwardingPage::check_typed(int kind, int portIndex)
{
    if (shell_.state.portMsns[at(portIndex)].msn[0].empty()) {
        shell_.ui.message_box(this, shell_.text(kSetMsn0First) + " " + std::to_string(kPortNumbers[at(portIndex)]),
                              shell_.ui.text(ids::kProgramTitle));
        revert(kind, portIndex);
        return;
    }
    // Too many digits is told as such, as on the short dial page.
    if (!accept_typed_destination(shell_, *this, text(edit_of(kind, portIndex)), TooLongMessage::Own))
        revert(kind, portIndex);
}

// What was typed into the other fields stays; this one gets its confirmed value.
void ForwardingPage::revert(int kind, int portIndex)
{
    store_controls();
    Field<std::string>& f = field_at(kind, portIndex);
    f.edit(f.confirmed());
    show_fields();
    set_focus(edit_of(kind, portIndex));
}

void ForwardingPage::send_button(int kind, int portIndex)
{
    shell_.beep_if_sound();
    set_status(kStatusProcessing);
    repaint();
    AlivePollPause pause(main_window());
    send_field(kind, portIndex, true);
    // A forwarding to a port may change what the device reports for the others.
    for (int p = 0; p < port_count(); ++p)
        if (p != portIndex)
            read_field(kind, p);
    show_fields();
}

ForwardingPage::Outcome ForwardingPage::send_field(int kind, int portIndex, bool onlyIfChanged)
{
    WaitCursor wait(shell_.ui);
    store_controls();
    Field<std::string>& f = field_at(kind, portIndex);
    Outcome outcome{};
    if (!onlyIfChanged || f.changed()) {
        DrvCmd r = blank_record(kPortNumbers[at(portIndex)], 0, q30::OP_SET);
        r.value = kForwardingOn;
        r.on = f.edited().empty() ? 0 : 1;
        outcome.problem = r.on ? send_text_set(shell_.gate, forwarding_command(kind), r, f.edited())
                               : send_set(shell_.gate, forwarding_command(kind), r);
        if (outcome.problem == SetProblem::None && r.value >= kNotSubscribed) {
            // Taken as a request but not carried out: undone on screen.
            outcome.problem = SetProblem::NotAccepted;
            f.discard();
            show_fields();
        } else if (outcome.problem == SetProblem::None) {
            f.accept();
        }
        // A device that does not answer has said nothing against the request.
        const bool noAnswer = outcome.problem == SetProblem::NotAccepted && r.replied == 0;
        outcome.refused = outcome.problem != SetProblem::None && !noAnswer;
    }
    if (outcome.refused) {
        set_status(kStatusRefused);
        set_timer(kStatusTimer, kStatusShownMs);
    } else {
        set_status(kStatusReady);
    }
    repaint();
    set_focus(edit_of(kind, portIndex));
    shell_.ui.sleep_ms(kPauseAfterSendMs);
    return outcome;
}

void ForwardingPage::send_to_device(ValueReport& report) { send_sequence(true, report, false); }

void ForwardingPage::send_sequence(bool onlyIfChanged, ValueReport& report, bool loading)
{
    const std::string group = loading ? profile_section() : shell_.text(ids::kPageCaptionBase + 5 * index());
    AlivePollPause pause(main_window());
    for (int p = 0; p < port_count(); ++p)
        for (int k = 0; k < kForwardingKinds; ++k)
            report.add(group, loading ? forwarding_profile_key(k, p) : value_name(k, p),
                       send_field(k, p, onlyIfChanged).problem);
    shell_.ui.send(*this, UWM_READ_DEVICE);
}

std::string ForwardingPage::value_name(int kind, int portIndex) const
{
    return shell_.text(kFirstPortCaption + 5 * portIndex) + ": " + shell_.text(kFirstKindHeading + 5 * kind);
}

// A port without its first MSN takes no forwarding: its fields load empty.
void ForwardingPage::load_profile(const profile::IniDocument& profile, ValueReport& report)
{
    for (int p = 0; p < port_count(); ++p)
        for (int k = 0; k < kForwardingKinds; ++k) {
            const std::string value = profile.read_string(profile::kForwardingSection, forwarding_profile_key(k, p), "");
            if (shell_.state.portMsns[at(p)].msn[0].empty())
                field_at(k, p).read("");
            else
                field_at(k, p).edit(value);
        }
    refresh();
    repaint();
    send_sequence(false, report, true);
}

void ForwardingPage::save_profile(profile::IniDocument& profile)
{
    for (int k = 0; k < kForwardingKinds; ++k)
        for (int p = 0; p < port_count(); ++p)
            profile.write_string(profile::kForwardingSection, forwarding_profile_key(k, p), field(k, p).confirmed());
}

std::unique_ptr<Page> make_forwarding_page(ShellContext& shell, Window& mainWindow)
{
    return std::make_unique<ForwardingPage>(shell, mainWindow);
}

} // namespace quillon
