#include "pages/port_picture.h"

#include <cstdio>
#include <vector>

#include "platform/ui.h"
#include "profile/ini_document.h"
#include "profile/profile_keys.h"
#include "resources/resources.h"

namespace quillon {

using namespace platform;

using resources::first_picture_id;
using resources::follows_language;
using resources::has_marker;

namespace {

constexpr int kHighestPortIndex = kDataPortPictureIndex;

} // namespace

PortPicture::PortPicture(ShellContext& shell, Window& parent, int controlId, int portIndex, PortPictureKind kind,
                         Look look)
    : Window(shell.ui, &parent), shell_(shell), parent_(parent), id_(controlId), portIndex_(portIndex), kind_(kind)
{
    const resources::DialogTemplate* t = parent_.dialog_template();
    if (const resources::ControlTemplate* place = t ? t->control(controlId) : nullptr) {
        resources::ControlTemplate c;
        c.kind = resources::ControlKind::PortPicture;
        c.id = controlId;
        c.rect = place->rect;
        // The widget draws by its kind: its size, marker and menu area.
        c.text = resources::port_picture_kind_text(kind);
        c.style = (look.enabled ? resources::kStyleNone : resources::kStyleDisabled) |
                  (look.dropDown ? resources::kStyleDropDown : resources::kStyleNone) |
                  (place->style & resources::kStyleHidden);
        parent_.add_control(c);
    }
    rebuild_menu();
    if (kind_ != PortPictureKind::Language)
        read_choice_from(shell_.state.defaultProfilePath);
    else
        select(0);
}

void PortPicture::select(int index)
{
    selected_ = index >= 0 && index < count() ? index : 0;
    parent_.set_selection(id_, selected_);
}

void PortPicture::set_busy(bool busy)
{
    busy_ = busy;
    if (has_marker(kind_))
        parent_.set_check(id_, busy ? 1 : 0);
}

void PortPicture::set_shown(bool shown) { parent_.set_visible(id_, shown); }

intptr_t PortPicture::on_message(const Message& m)
{
    switch (m.id) {
    case UWM_LOAD_PROFILE:
        read_choice_from(shell_.state.profile_path(static_cast<int>(m.wparam)));
        return 1;
    case UWM_SAVE_PROFILE:
        write_choice_to(shell_.state.profile_path(static_cast<int>(m.wparam)));
        return 1;
    case UWM_PORTPIC_REFRESH:
        read_choice_from(shell_.state.defaultProfilePath);
        return 1;
    case UWM_SET_LANGUAGE:
        if (follows_language(kind_))
            rebuild_menu();
        return 1;
    case UWM_CONTROL_CLICK:
        return on_control_click(static_cast<int>(m.wparam)) ? 1 : 0;
    default:
        return Window::on_message(m);
    }
}

bool PortPicture::on_control_click(int controlId)
{
    if (controlId != id_)
        return false;
    const int index = parent_.selection(id_);
    if (index >= 0 && index < count())
        picked(index);
    else
        select(selected_);  // nothing sensible was picked: keep the picture
    return true;
}

void PortPicture::picked(int index)
{
    select(index);
    parent_.repaint();
    if (kind_ == PortPictureKind::Language) {
        // The settings dialog takes the language; nothing is written.
        shell_.ui.send(parent_, UWM_SET_LANGUAGE, static_cast<uintptr_t>(index));
        return;
    }
    write_choice_to(shell_.state.defaultProfilePath);
}

std::string PortPicture::profile_key() const
{
    if (kind_ == PortPictureKind::Language || portIndex_ < 0 || portIndex_ > kHighestPortIndex)
        return {};
    char key[16];
    std::snprintf(key, sizeof key, kPictureKeyFormat, portIndex_);
    return key;
}

void PortPicture::read_choice(const profile::IniDocument& profile)
{
    const std::string key = profile_key();
    if (key.empty())
        return;
    select(profile.read_int(profile::kMsnSection, key, 0));
    parent_.repaint();
}

void PortPicture::write_choice(profile::IniDocument& profile) const
{
    const std::string key = profile_key();
    if (!key.empty())
        profile.write_int(profile::kMsnSection, key, selected_);
}

void PortPicture::read_choice_from(const std::string& profilePath)
{
    if (!profile_key().empty())
        read_choice(profile::IniDocument::open(profilePath));
}

void PortPicture::write_choice_to(const std::string& profilePath) const
{
    if (profile_key().empty() || profilePath.empty())
        return;
    // A profile that cannot be written keeps the old choice; the picture
    // shown is right for this run either way.
    profile::IniDocument profile = profile::IniDocument::open(profilePath);
    write_choice(profile);
    (void)profile.commit();
}

void PortPicture::rebuild_menu()
{
    const int language = follows_language(kind_) ? clamp_language(shell_.state.language) : resources::kNoLanguage;
    std::vector<std::string> items;
    for (int i = 0; i < count(); ++i)
        items.push_back(resources::picture_reference(first_picture_id(kind_) + i, language));
    parent_.set_items(id_, items);
    parent_.set_selection(id_, selected_);
    if (has_marker(kind_))
        parent_.set_check(id_, busy_ ? 1 : 0);
}

} // namespace quillon
