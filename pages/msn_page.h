// The MSN assignment page (page 0): the subscriber numbers of every port,
// caller-number presentation (CLIP), the port names (aliases) and the port
// pictures. The device values have three copies: the device copy in
// AppState (what the other pages show), the confirmed copy (last read, sent
// or applied) and the edited copy behind the controls.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "pages/port_picture.h"
#include "shell/page.h"

namespace quillon {

// Control ids and string bases of the page.
namespace msn_ids {
inline constexpr int kFirstAliasEdit = 2140;      // analogue ports 0..4
inline constexpr int kDataAliasEdit = 2145;
inline constexpr int kFirstMsnEdit = 3000;        // 3000 + 3 * port index + MSN index
inline constexpr int kFirstDataMsnEdit = 3015;    // data-port MSNs 0..4
inline constexpr int kLastMsnEdit = 3019;
inline constexpr int kFirstClipBox = 3020;        // analogue ports 0..4
inline constexpr int kDataClipBox = 3025;
inline constexpr int kFirstPicturePlace = 1023;   // ports 0..4, then the data port
inline constexpr int kFirstLabel = 1225;          // 1225..1232: texts 6050 + 5 * (id - 1225)
inline constexpr int kLabelCount = 8;
inline constexpr int kFirstLabelText = 6050;
inline constexpr int kDigitsOnlyMessage = 9650;
} // namespace msn_ids

// An MSN as the user may type it: at most 15 characters, digits only.
bool valid_msn(const std::string& text);

class MsnPage : public Page {
public:
    MsnPage(ShellContext& shell, platform::Window& mainWindow);
    ~MsnPage() override;

    intptr_t on_message(const platform::Message& m) override;
    void on_command(int id, int code) override;
    bool on_key(platform::Key key) override;

    // The profile keys of the last profile load whose values the device
    // library refused to put on the line (a control character, or too long
    // for a command record); they were not sent.
    const std::vector<std::string>& refused_profile_keys() const { return refusedKeys_; }
    PortPicture* picture(int pictureIndex) const;

    // One copy of every value the page owns.
    struct Values {
        std::array<PortMsns, kMaxPorts> ports;
        DataPortMsns dataPort;
        std::array<std::string, kAliasCount> aliases;
    };
    const Values& edited() const { return edited_; }
    const Values& confirmed() const { return confirmed_; }

protected:
    void read_device() override;
    void store_controls() override;
    bool changed() const override;
    void send_to_device() override;
    void discard_changes() override;
    void relabel() override;
    void refresh() override;
    void load_profile(int which) override;
    void save_profile(int which) override;
    void on_control_click(int controlId) override;
    int first_input() const override { return msn_ids::kFirstAliasEdit; }

private:
    // A send from the Send button or the leave check, or the send that ends
    // a profile load (every value goes out, with progress ticks).
    enum class SendKind { Changes, ProfileLoad };

    void set_up_controls();
    void adapt_to_model();
    void send(SendKind kind);
    bool send_msn(int port, int index, const std::string& msn, const char* profileKey, SendKind kind);
    bool send_clip(int port, bool on);
    void apply_aliases_and_pictures();
    void check_typed_msn(int controlId);
    void tick() const;
    void send_to_pictures(uint32_t message, uintptr_t wparam);
    std::string& edited_msn_of(int controlId);
    const std::string& device_msn_of(int controlId) const;
    const std::string& profile_path(int which) const;
    int port_count() const;

    Values confirmed_;
    Values edited_;
    std::array<std::unique_ptr<PortPicture>, kAliasCount> pictures_;
    std::vector<std::string> refusedKeys_;
    bool controlsReady_ = false;
};

std::unique_ptr<Page> make_msn_page(ShellContext& shell, platform::Window& main);

} // namespace quillon
