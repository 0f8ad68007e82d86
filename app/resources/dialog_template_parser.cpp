#include "resources/dialog_template.h"

#include <array>
#include <map>
#include <optional>
#include <set>

#include "resources/dialog_names.h"
#include "resources/resource_files.h"
#include "resources/resource_limits.h"
#include "resources/statement.h"
#include "resources/text_lines.h"

namespace quillon::resources {

namespace {

struct KindKeyword {
    ControlKind kind;
    std::string_view keyword;
};

constexpr std::array<KindKeyword, 15> kKindKeywords = {{
    {ControlKind::Edit, "EDIT"},
    {ControlKind::CheckBox, "CHECKBOX"},
    {ControlKind::RadioButton, "RADIO"},
    {ControlKind::PushButton, "BUTTON"},
    {ControlKind::Static, "STATIC"},
    {ControlKind::ListBox, "LISTBOX"},
    {ControlKind::DropList, "DROPLIST"},
    {ControlKind::Group, "GROUP"},
    {ControlKind::Placeholder, "PLACEHOLDER"},
    {ControlKind::Picture, "PICTURE"},
    {ControlKind::TabButton, "TABBUTTON"},
    {ControlKind::ListSelector, "SELECTOR"},
    {ControlKind::HelpButton, "HELPBUTTON"},
    {ControlKind::PortPicture, "PORTPICTURE"},
    {ControlKind::ProgressBar, "PROGRESS"},
}};

struct StyleKeyword {
    ControlStyle style;
    std::string_view keyword;
};

constexpr std::array<StyleKeyword, 15> kStyleKeywords = {{
    {kStyleDefault, "DEFAULT"},
    {kStyleDisabled, "DISABLED"},
    {kStyleHidden, "HIDDEN"},
    {kStyleMultiline, "MULTILINE"},
    {kStyleReadOnly, "READONLY"},
    {kStyleNumber, "NUMBER"},
    {kStyleCenter, "CENTER"},
    {kStyleRight, "RIGHT"},
    {kStyleBorder, "BORDER"},
    {kStyleWrap, "WRAP"},
    {kStyleGroupStart, "GROUPSTART"},
    {kStyleBold, "BOLD"},
    {kStylePassword, "PASSWORD"},
    {kStyleDropDown, "DROPDOWN"},
    {kStyleBlue, "BLUE"},
}};

// "LIMIT <n>": the most characters an edit takes.
constexpr std::string_view kLimitKeyword = "LIMIT";
// "IDS <dialog id>" after a caption: the template whose names bare names take.
constexpr std::string_view kBaseKeyword = "IDS";

std::optional<ControlKind> kind_from_keyword(std::string_view keyword)
{
    for (const KindKeyword& entry : kKindKeywords) {
        if (entry.keyword == keyword)
            return entry.kind;
    }
    return std::nullopt;
}

std::optional<ControlStyle> style_from_keyword(std::string_view keyword)
{
    for (const StyleKeyword& entry : kStyleKeywords) {
        if (entry.keyword == keyword)
            return entry.style;
    }
    return std::nullopt;
}

// Collects the dialogs of one file statement by statement.
class DialogBuilder {
public:
    DialogBuilder(const std::string& fileName, std::vector<ParseError>& errors) : fileName_(fileName), errors_(errors) {}

    void statement(const std::vector<detail::Token>& tokens, int line)
    {
        detail::StatementReader reader(tokens);
        std::string keyword;
        reader.read_word("keyword", keyword);
        if (keyword == "DIALOG")
            begin_dialog(reader, line);
        else if (keyword == "FONT")
            set_font(reader, line);
        else if (keyword == "END")
            end_dialog(reader, line);
        else if (const std::optional<ControlKind> kind = kind_from_keyword(keyword))
            add_control(*kind, reader, line);
        else if (reader.error().empty())
            report(line, "unknown keyword " + keyword);
        if (!reader.error().empty())
            report(line, reader.error());
    }

    std::vector<DialogTemplate> finish()
    {
        if (open_) {
            report(openLine_, "DIALOG " + std::to_string(open_->id) + " has no END");
            close_dialog();
        }
        return std::move(dialogs_);
    }

private:
    void begin_dialog(detail::StatementReader& reader, int line)
    {
        DialogTemplate t;
        if (!reader.read_number("dialog id", 0, detail::kMaxResourceId, t.id) ||
            !reader.read_number("dialog width", 1, detail::kMaxDialogUnits, t.width) ||
            !reader.read_number("dialog height", 1, detail::kMaxDialogUnits, t.height) ||
            !reader.read_text("caption", t.caption) || !read_base(reader, t) || !reader.expect_end())
            return;
        if (t.baseId == t.id) {
            report(line, "DIALOG " + std::to_string(t.id) + " names itself as its base");
            t.baseId = kNoBaseDialog;
        }
        t.line = line;
        if (open_) {
            report(openLine_, "DIALOG " + std::to_string(open_->id) + " has no END");
            close_dialog();
        }
        open_ = std::move(t);
        openLine_ = line;
        openControlIds_.clear();
    }

    static bool read_base(detail::StatementReader& reader, DialogTemplate& t)
    {
        if (reader.at_end() || reader.peek().quoted || reader.peek().value != kBaseKeyword)
            return true;
        std::string keyword;
        return reader.read_word("IDS", keyword) &&
               reader.read_number("base dialog id", 0, detail::kMaxResourceId, t.baseId);
    }

    void set_font(detail::StatementReader& reader, int line)
    {
        int pixels = 0;
        std::string face;
        if (!reader.read_number("font size", 1, detail::kMaxFontPixels, pixels) || !reader.read_text("font face", face) ||
            !reader.expect_end())
            return;
        if (!open_) {
            report(line, "FONT outside a DIALOG");
            return;
        }
        open_->fontPixels = pixels;
        open_->fontFace = std::move(face);
    }

    void end_dialog(detail::StatementReader& reader, int line)
    {
        if (!reader.expect_end())
            return;
        if (!open_)
            report(line, "END without DIALOG");
        else
            close_dialog();
    }

    void add_control(ControlKind kind, detail::StatementReader& reader, int line)
    {
        ControlTemplate c;
        c.kind = kind;
        c.line = line;
        std::string idWord, idError;
        if (!reader.read_word("control id", idWord))
            return;
        if (!detail::parse_control_id(idWord, c, idError)) {
            report(line, std::move(idError));
            return;
        }
        if (!reader.read_number("x", 0, detail::kMaxDialogUnits, c.rect.x) ||
            !reader.read_number("y", 0, detail::kMaxDialogUnits, c.rect.y) ||
            !reader.read_number("width", 0, detail::kMaxDialogUnits, c.rect.width) ||
            !reader.read_number("height", 0, detail::kMaxDialogUnits, c.rect.height) ||
            !reader.read_text("text", c.text))
            return;
        std::string styleError;
        if (!read_styles(reader, c, styleError)) {
            if (!styleError.empty())
                report(line, std::move(styleError));
            return;
        }
        if (!open_) {
            report(line, std::string(control_kind_keyword(kind)) + " outside a DIALOG");
            return;
        }
        if (!c.name.empty() && !c.declaresName && !find_name(c, line))
            return;
        const bool resolved = c.id != kUnresolvedControlId;
        if (resolved && openControlIds_.count(c.id)) {
            report(line, "the control id " + (c.name.empty() ? "" : c.name + "=") + std::to_string(c.id) +
                             " is used twice in DIALOG " + std::to_string(open_->id));
            return;
        }
        if (c.declaresName && !declare_name(c, line))
            return;
        if (resolved)
            openControlIds_.insert(c.id);
        open_->controls.push_back(std::move(c));
    }

    // The words after the text. False on a reader error (left in the
    // reader) or a bad style (in `error`).
    static bool read_styles(detail::StatementReader& reader, ControlTemplate& c, std::string& error)
    {
        while (!reader.at_end()) {
            std::string word;
            if (!reader.read_word("style", word))
                return false;
            if (word == kLimitKeyword) {
                if (!reader.read_number("text limit", 0, detail::kMaxTextLimit, c.maxLength))
                    return false;
                if (c.kind != ControlKind::Edit) {
                    error = "LIMIT applies to EDIT controls only";
                    return false;
                }
            } else if (const std::optional<ControlStyle> style = style_from_keyword(word)) {
                c.style |= *style;
            } else {
                error = "unknown style " + word;
                return false;
            }
        }
        return true;
    }

    bool declare_name(const ControlTemplate& c, int line)
    {
        std::string error;
        if (names_.declare(c.name, c.id, line, error))
            return true;
        report(line, std::move(error));
        return false;
    }

    // A bare name takes the number the file declared; one the file lacks
    // waits for the base.
    bool find_name(ControlTemplate& c, int line)
    {
        c.id = names_.find(c.name);
        if (c.id != kUnresolvedControlId || open_->baseId != kNoBaseDialog)
            return true;
        report(line, "the name " + c.name + " is not declared before in this file, and DIALOG " +
                         std::to_string(open_->id) + " names no base (IDS)");
        return false;
    }

    // A base earlier in the same file resolves now; one elsewhere, when the
    // folder is loaded.
    void resolve_from_base_in_file()
    {
        if (open_->baseId == kNoBaseDialog)
            return;
        const auto base = dialogIndex_.find(open_->baseId);
        if (base != dialogIndex_.end())
            resolve_base_names(*open_, &dialogs_[base->second], fileName_, errors_);
    }

    void close_dialog()
    {
        resolve_from_base_in_file();
        const int id = open_->id;
        if (!dialogIndex_.emplace(id, dialogs_.size()).second)
            report(openLine_, "DIALOG " + std::to_string(id) + " is defined twice");
        else
            dialogs_.push_back(std::move(*open_));
        open_.reset();
    }

    void report(int line, std::string message) { detail::add_error(errors_, fileName_, line, std::move(message)); }

    const std::string& fileName_;
    std::vector<ParseError>& errors_;
    std::vector<DialogTemplate> dialogs_;
    std::optional<DialogTemplate> open_;
    int openLine_ = 0;
    // Trees, so that a huge damaged file cannot make the checks quadratic.
    std::set<int> openControlIds_;
    std::map<int, std::size_t> dialogIndex_;  // dialog id -> index in dialogs_
    detail::NameScope names_;
};

} // namespace

std::string_view control_kind_keyword(ControlKind kind)
{
    for (const KindKeyword& entry : kKindKeywords) {
        if (entry.kind == kind)
            return entry.keyword;
    }
    return "?";
}

std::vector<DialogTemplate> parse_dialog_templates(std::string_view text, const std::string& fileName,
                                                   std::vector<ParseError>& errors)
{
    DialogBuilder builder(fileName, errors);
    std::vector<detail::Token> tokens;
    detail::for_each_line(text, fileName, errors, [&](std::string_view line, int lineNumber) {
        std::string error;
        if (!detail::split_statement(line, tokens, error))
            detail::add_error(errors, fileName, lineNumber, std::move(error));
        else if (!tokens.empty())
            builder.statement(tokens, lineNumber);
    });
    return builder.finish();
}

} // namespace quillon::resources
