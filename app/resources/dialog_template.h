// Dialog templates: one per dialog, controls addressed by id, rectangles in
// dialog units. Read from res/dialogs/*.dlg; the two sizes of a dialog (even
// and odd id) share the template of the even id and differ only by the font
// the window is scaled with.
//
// File format, one statement per line, '#' starts a comment:
//   DIALOG <id> <width> <height> "<caption>" [IDS <base id>]
//   FONT <pixels> "<face>"                      (optional)
//   <KIND> <control id> <x> <y> <width> <height> "<text>" [STYLE...]
//   END
// A file may hold several dialogs. Texts are UTF-8 between double quotes,
// with \" and \\ as escapes; the program replaces most of them at run time
// from the string table.
//
// A control id is a number (2), a name declared with its number
// (kSendButton=2154), or a bare name (kSendButton): the number declared
// earlier in the same file, else the one the base template (IDS) gives that
// name. Names have the form k<Capital><letters or digits>. The build makes a
// header of each file's declared names, so that the code never writes the
// number again; a variant of a dialog takes every id from its base by name.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"

namespace quillon::resources {

enum class ControlKind {
    Edit,         // EDIT
    CheckBox,     // CHECKBOX
    RadioButton,  // RADIO
    PushButton,   // BUTTON
    Static,       // STATIC: text (word-wrapped with style WRAP)
    ListBox,      // LISTBOX
    DropList,     // DROPLIST: a drop-down list the user picks from
    Group,        // GROUP: a frame with a title
    Placeholder,  // PLACEHOLDER: marks a position or rectangle; not shown
    Picture,      // PICTURE: the picture whose id is the text
    TabButton,    // TABBUTTON: a page button
    ListSelector, // SELECTOR: the drop-down list selector of the pages
    HelpButton,   // HELPBUTTON: the 15 x 15 help picture button
    PortPicture,  // PORTPICTURE: the port picture selector
    ProgressBar,  // PROGRESS: a bar showing position / range
};

// The kinds the user types or picks a value in: Enter and Tab move the focus
// from one of them to the next.
constexpr bool is_field_kind(ControlKind kind)
{
    return kind == ControlKind::Edit || kind == ControlKind::CheckBox || kind == ControlKind::RadioButton ||
           kind == ControlKind::DropList;
}

// Style flags of a control.
enum ControlStyle : unsigned {
    kStyleNone = 0,
    kStyleDefault = 1u << 0,    // DEFAULT: the default push button
    kStyleDisabled = 1u << 1,   // DISABLED
    kStyleHidden = 1u << 2,     // HIDDEN
    kStyleMultiline = 1u << 3,  // MULTILINE: edit of several lines
    kStyleReadOnly = 1u << 4,   // READONLY
    kStyleNumber = 1u << 5,     // NUMBER: edit takes digits only
    kStyleCenter = 1u << 6,     // CENTER: text centred
    kStyleRight = 1u << 7,      // RIGHT: text right-aligned
    kStyleBorder = 1u << 8,     // BORDER: a frame around a static
    kStyleWrap = 1u << 9,       // WRAP: static text word-wrapped
    kStyleGroupStart = 1u << 10,// GROUPSTART: first radio button of a group
    kStyleBold = 1u << 11,      // BOLD: text in bold
    kStylePassword = 1u << 12,  // unused by the device pages; kept for completeness
    kStyleDropDown = 1u << 13,  // DROPDOWN: a port picture with the arrow field of a drop-down
    kStyleBlue = 1u << 14,      // BLUE: text painted in blue (port names)
};

// The id of a control that takes its number by name from a base template in
// another file, until DialogTemplates::load_directory resolves it.
inline constexpr int kUnresolvedControlId = -1;
// DialogTemplate::baseId of a dialog without a base.
inline constexpr int kNoBaseDialog = -1;

struct ControlTemplate {
    ControlKind kind = ControlKind::Static;
    int id = 0;
    platform::Rect rect;  // dialog units
    std::string text;
    unsigned style = kStyleNone;
    int maxLength = 0;    // edits: LIMIT <n> style; 0 = no limit
    std::string name = {};      // the id's name; empty for a bare number
    bool declaresName = false;  // "kName=<number>" rather than a bare name
    int line = 0;               // in the file, for problems found after parsing
};

struct DialogTemplate {
    int id = 0;
    int width = 0, height = 0;  // dialog units
    std::string caption;
    int fontPixels = 0;         // 0: the window's default font
    std::string fontFace;
    std::vector<ControlTemplate> controls;
    int baseId = kNoBaseDialog;  // IDS <id>: the template whose names it takes
    int line = 0;                // of the DIALOG statement

    const ControlTemplate* control(int controlId) const;
};

struct ParseError {
    std::string file;
    int line = 0;
    std::string message;
};

// Parses the text of one .dlg file. Problems are appended to `errors` and
// the offending statement is skipped; a dialog is kept when its DIALOG line
// parsed. Names a dialog takes from a base in the same file are resolved;
// those from a base elsewhere leave kUnresolvedControlId for
// resolve_base_names.
std::vector<DialogTemplate> parse_dialog_templates(std::string_view text, const std::string& fileName,
                                                   std::vector<ParseError>& errors);

// Gives the controls of `t` that take their id by name from its base
// template `base` (null when there is none) their numbers, and checks that
// the names `t` declares mean the same numbers there. A control in error is
// reported and dropped.
void resolve_base_names(DialogTemplate& t, const DialogTemplate* base, const std::string& fileName,
                        std::vector<ParseError>& errors);

std::string_view control_kind_keyword(ControlKind kind);

// All templates of a folder by id. `find(id)` also answers for the odd id
// of a pair with the even template. Loading resolves the names that
// templates take from bases in other files.
class DialogTemplates {
public:
    bool load_directory(const std::string& directory, std::vector<ParseError>& errors);
    void add(DialogTemplate t);
    const DialogTemplate* find(int id) const;
    std::size_t size() const { return byId_.size(); }

private:
    struct LoadedTemplate {
        enum class State { Waiting, InChain, Resolved };
        DialogTemplate dialog;
        std::string path;
        State state = State::Waiting;
    };
    void resolve_bases(std::map<int, LoadedTemplate>& loaded, std::vector<ParseError>& errors) const;
    const DialogTemplate* find_exact(int id) const;

    std::map<int, DialogTemplate> byId_;
};

} // namespace quillon::resources
