// The port picture selector: a small control over a placeholder of a page or
// dialog that shows the picture of the terminal on a port and offers the
// others in a pop-up menu. The choice lives only in the default profile
// (MSN_DIV, "PORTIDX<port index>"), so every page that shows a port shows
// the same picture.
//
// It is a window of its own for the messages it takes, while its control
// (same id as the placeholder it replaces) belongs to the parent window:
//   UWM_LOAD_PROFILE / UWM_SAVE_PROFILE  wParam 0 default, 1 chosen profile
//   UWM_SET_LANGUAGE                      rebuild the menu for the language
//   UWM_PORTPIC_REFRESH                   re-read the choice (default profile)
//   UWM_CONTROL_CLICK                     wParam = the control id: the user
//                                         picked an entry (the parent passes
//                                         it on, or calls on_control_click)
#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/window.h"
#include "resources/port_picture_kind.h"
#include "shell/shell_context.h"

namespace quillon {

namespace profile {
class IniDocument;
}

using resources::PortPictureKind;

inline constexpr int kDataPortPictureIndex = 5;  // the port index of the data port's picture
inline constexpr const char* kPictureKeyFormat = "PORTIDX%d";

class PortPicture : public platform::Window {
public:
    struct Look {
        bool enabled = true;    // false: display only, no menu
        bool dropDown = false;  // the arrow field at the right edge
    };

    // Creates the control at the top-left corner of placeholder `controlId`
    // of `parent`'s template, under the same id; without the placeholder
    // there is no control, only the choice. Kinds other than Language read
    // their choice from the default profile now. A port index outside
    // 0..5 reads and writes no profile.
    PortPicture(ShellContext& shell, platform::Window& parent, int controlId, int portIndex, PortPictureKind kind,
                Look look);

    int id() const { return id_; }
    int port_index() const { return portIndex_; }
    PortPictureKind kind() const { return kind_; }
    int count() const { return resources::picture_count(kind_); }
    // The picture shown, 0..count()-1.
    int selected() const { return selected_; }
    // Shows picture `index`; one outside the kind's range shows picture 0.
    void select(int index);
    // Kinds with a marker: the busy image when true, the idle one otherwise.
    void set_busy(bool busy);
    bool busy() const { return busy_; }
    void set_shown(bool shown);

    intptr_t on_message(const platform::Message& m) override;
    // The parent got UWM_CONTROL_CLICK for `controlId`: true when it was
    // this picture's, which then takes the picked entry.
    bool on_control_click(int controlId);

    // The profile key of the choice, empty when the port index has none.
    std::string profile_key() const;
    // The choice from an open profile, or into it.
    void read_choice(const profile::IniDocument& profile);
    void write_choice(profile::IniDocument& profile) const;

private:
    void read_choice_from(const std::string& profilePath);
    void write_choice_to(const std::string& profilePath) const;
    void rebuild_menu();
    void picked(int index);

    ShellContext& shell_;
    platform::Window& parent_;
    int id_;
    int portIndex_;
    PortPictureKind kind_;
    int selected_ = 0;
    bool busy_ = false;
};

// The pictures of a page read their choice again (the MSN page may have
// changed it in the default profile).
template <std::size_t N>
void refresh_port_pictures(ShellContext& shell, const std::array<std::unique_ptr<PortPicture>, N>& pictures)
{
    for (const auto& picture : pictures)
        if (picture)
            shell.ui.send(*picture, platform::UWM_PORTPIC_REFRESH);
}

} // namespace quillon
