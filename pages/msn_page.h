// The MSN assignment page (page 0): the subscriber numbers of every port,
// caller-number presentation (CLIP), the port names (aliases) and the port
// pictures. The MSNs and CLIP switches have a device copy in AppState (what
// the other pages show) beside their confirmed and edited copies.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "dialog_ids/msn_ids.h"
#include "pages/port_picture.h"
#include "shell/page.h"

namespace quillon {

// String bases of the page; its control ids are in dialog_ids::msn.
namespace msn_ids {
inline constexpr int kLabelCount = 8;             // kPort11Label onwards: texts 6050 + 5 * label index
inline constexpr int kFirstLabelText = 6050;
inline constexpr int kDigitsOnlyMessage = 9650;
} // namespace msn_ids

// An MSN as the user may type it: at most 15 characters, digits only.
bool valid_msn(const std::string& text);

class MsnPage : public Page {
public:
    MsnPage(ShellContext& shell, platform::Window& mainWindow);
    ~MsnPage() override;

    void on_command(int id, int code) override;

    PortPicture* picture(int pictureIndex) const;
    const Field<std::string>& msn(int port, int index) const;
    const Field<std::string>& data_msn(int index) const;
    const Field<std::string>& alias(int aliasIndex) const;

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
    int first_input() const override { return dialog_ids::msn::kPort11AliasEdit; }

private:
    // A send from the Send button or the leave check (the values that differ
    // from the device copy), or the send that ends a profile load (every
    // value, with progress ticks).
    enum class SendKind { Changes, ProfileLoad };

    void adapt_to_model();
    void send(SendKind kind, ValueReport& report, const std::string& group);
    void send_msn(int port, int index, Field<std::string>& field, const std::string& name, SendKind kind,
                  ValueReport& report, const std::string& group);
    void send_clip(int port, Field<bool>& field, const std::string& name, SendKind kind, ValueReport& report,
                   const std::string& group);
    void apply_aliases_and_pictures();
    void check_typed_msn(int controlId);
    void tick() const;
    Field<std::string>& msn_field_of(int controlId);
    // "Port 21: MSN 2", for telling the user what was not sent.
    std::string value_name(int labelIndex, const std::string& what) const;
    int port_count() const;

    std::array<std::array<Field<std::string>, kPortMsnCount>, kMaxPorts> msns_;
    std::array<Field<bool>, kMaxPorts> clips_;
    std::array<Field<std::string>, kDataPortMsnCount> dataMsns_;
    Field<bool> dataClip_;
    std::array<Field<std::string>, kAliasCount> aliases_;
    std::array<std::unique_ptr<PortPicture>, kAliasCount> pictures_;
};

std::unique_ptr<Page> make_msn_page(ShellContext& shell, platform::Window& mainWindow);

} // namespace quillon
