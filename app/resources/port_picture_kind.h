// The kinds of the port picture selector (control kind PORTPICTURE), shared
// by its logic and the toolkit that draws it. A PORTPICTURE control carries
// its kind as its text: "0" .. "4"; any other text counts as Analogue.
#pragma once

#include <string>
#include <string_view>

namespace quillon::resources {

enum class PortPictureKind {
    Analogue = 0,            // 15 pictures, 300..314
    DataPort = 1,            // 6 pictures, 315..320
    Language = 2,            // 2 pictures, 344..345: the settings dialog's language choice
    AnalogueWithMarker = 3,  // as Analogue, with a state marker drawn over the picture
    DataPortWithMarker = 4,  // as DataPort, with the state marker
};

inline constexpr int kFirstAnaloguePicture = 300;
inline constexpr int kFirstDataPortPicture = 315;
inline constexpr int kFirstLanguagePicture = 344;

inline constexpr bool is_data_port_kind(PortPictureKind kind)
{
    return kind == PortPictureKind::DataPort || kind == PortPictureKind::DataPortWithMarker;
}

// How many pictures the kind offers, and the picture id of the first.
inline constexpr int picture_count(PortPictureKind kind)
{
    return kind == PortPictureKind::Language ? 2 : is_data_port_kind(kind) ? 6 : 15;
}
inline constexpr int first_picture_id(PortPictureKind kind)
{
    return kind == PortPictureKind::Language ? kFirstLanguagePicture
           : is_data_port_kind(kind)         ? kFirstDataPortPicture
                                             : kFirstAnaloguePicture;
}

// Every kind but Language has one set of pictures per language.
inline constexpr bool follows_language(PortPictureKind kind) { return kind != PortPictureKind::Language; }

inline constexpr bool has_marker(PortPictureKind kind)
{
    return kind == PortPictureKind::AnalogueWithMarker || kind == PortPictureKind::DataPortWithMarker;
}

inline std::string port_picture_kind_text(PortPictureKind kind) { return std::to_string(static_cast<int>(kind)); }

inline PortPictureKind port_picture_kind_from_text(std::string_view text)
{
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '4')
        return static_cast<PortPictureKind>(text[0] - '0');
    return PortPictureKind::Analogue;
}

} // namespace quillon::resources
