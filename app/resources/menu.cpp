#include "resources/menu.h"

#include <charconv>
#include <filesystem>

#include "resources/resource_files.h"
#include "resources/resource_limits.h"
#include "resources/statement.h"
#include "resources/text_lines.h"

namespace quillon::resources {

namespace {

constexpr std::string_view kMenuExtension = ".menu";
// The menu bar's popups and a few levels of submenus; the limit keeps a
// damaged file from nesting deep enough to exhaust the stack.
constexpr std::size_t kMaxMenuDepth = 8;

const MenuItem* find_in(const std::vector<MenuItem>& items, int commandId)
{
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Command && item.id == commandId)
            return &item;
        if (item.kind == MenuItem::Kind::Popup) {
            if (const MenuItem* found = find_in(item.children, commandId))
                return found;
        }
    }
    return nullptr;
}

// Builds the menu tree statement by statement; popups stay open on a stack
// until their END.
class MenuBuilder {
public:
    MenuBuilder(Menu& menu, const std::string& fileName, std::vector<ParseError>& errors)
        : menu_(menu), fileName_(fileName), errors_(errors) {}

    void statement(const std::vector<detail::Token>& tokens, int line)
    {
        detail::StatementReader reader(tokens);
        std::string keyword;
        reader.read_word("keyword", keyword);
        if (keyword == "POPUP")
            open_popup(reader, line);
        else if (keyword == "ITEM")
            add_item(reader, line);
        else if (keyword == "SEPARATOR")
            add_separator(reader, line);
        else if (keyword == "END")
            end_popup(reader, line);
        else if (reader.error().empty())
            report(line, "unknown keyword " + keyword);
        if (!reader.error().empty())
            report(line, reader.error());
    }

    // Closes what the file left open.
    void finish()
    {
        while (!open_.empty()) {
            report(open_.back().line, "POPUP \"" + open_.back().item.caption + "\" has no END");
            close_top();
        }
    }

private:
    struct OpenPopup {
        MenuItem item;
        int line = 0;
    };

    void open_popup(detail::StatementReader& reader, int line)
    {
        OpenPopup popup{MenuItem{MenuItem::Kind::Popup, 0, {}, {}}, line};
        if (!reader.read_text("caption", popup.item.caption) || !reader.expect_end())
            return;
        if (open_.size() >= kMaxMenuDepth) {
            report(line, "popups nest deeper than " + std::to_string(kMaxMenuDepth) + " levels");
            return;
        }
        open_.push_back(std::move(popup));
    }

    void add_item(detail::StatementReader& reader, int line)
    {
        MenuItem item{MenuItem::Kind::Command, 0, {}, {}};
        if (!reader.read_number("command id", 0, detail::kMaxResourceId, item.id) ||
            !reader.read_text("caption", item.caption) || !reader.expect_end())
            return;
        add_to_open_popup(std::move(item), line, "ITEM");
    }

    void add_separator(detail::StatementReader& reader, int line)
    {
        if (reader.expect_end())
            add_to_open_popup(MenuItem{MenuItem::Kind::Separator, 0, {}, {}}, line, "SEPARATOR");
    }

    void end_popup(detail::StatementReader& reader, int line)
    {
        if (!reader.expect_end())
            return;
        if (open_.empty())
            report(line, "END without POPUP");
        else
            close_top();
    }

    void add_to_open_popup(MenuItem item, int line, std::string_view keyword)
    {
        if (open_.empty())
            report(line, std::string(keyword) + " outside a POPUP");
        else
            open_.back().item.children.push_back(std::move(item));
    }

    void close_top()
    {
        MenuItem done = std::move(open_.back().item);
        open_.pop_back();
        (open_.empty() ? menu_.items : open_.back().item.children).push_back(std::move(done));
    }

    void report(int line, std::string message) { detail::add_error(errors_, fileName_, line, std::move(message)); }

    Menu& menu_;
    const std::string& fileName_;
    std::vector<ParseError>& errors_;
    std::vector<OpenPopup> open_;
};

// "700.menu" -> 700.
bool menu_id_from_file_name(const std::string& path, int& id)
{
    const std::string stem = std::filesystem::path(path).stem().string();
    const char* last = stem.data() + stem.size();
    const auto [end, ec] = std::from_chars(stem.data(), last, id);
    return !stem.empty() && stem.front() != '-' && end == last && ec == std::errc() && id <= detail::kMaxResourceId;
}

} // namespace

const MenuItem* Menu::find_command(int commandId) const { return find_in(items, commandId); }

Menu parse_menu(std::string_view text, int id, const std::string& fileName, std::vector<ParseError>& errors)
{
    Menu menu;
    menu.id = id;
    MenuBuilder builder(menu, fileName, errors);
    std::vector<detail::Token> tokens;
    detail::for_each_line(text, fileName, errors, [&](std::string_view line, int lineNumber) {
        std::string error;
        if (!detail::split_statement(line, tokens, error))
            detail::add_error(errors, fileName, lineNumber, std::move(error));
        else if (!tokens.empty())
            builder.statement(tokens, lineNumber);
    });
    builder.finish();
    return menu;
}

std::string strip_mnemonics(std::string_view caption)
{
    std::string plain;
    plain.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&')
            plain += caption[i];
        else if (i + 1 < caption.size() && caption[i + 1] == '&')
            plain += caption[++i];
    }
    return plain;
}

bool Menus::load_directory(const std::string& directory, std::vector<ParseError>& errors)
{
    std::vector<std::string> paths;
    if (!detail::list_resource_files(directory, kMenuExtension, paths, errors))
        return false;
    for (const std::string& path : paths) {
        int id = 0;
        if (!menu_id_from_file_name(path, id)) {
            detail::add_error(errors, path, 0, "the file name is not a menu id such as 700.menu");
            continue;
        }
        std::string text;
        if (!detail::read_resource_file(path, text, errors))
            continue;
        Menu menu = parse_menu(text, id, path, errors);
        if (!byId_.try_emplace(id, std::move(menu)).second)
            detail::add_error(errors, path, 0, "the menu " + std::to_string(id) + " is defined twice");
    }
    return true;
}

const Menu* Menus::find(int id) const
{
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : &it->second;
}

} // namespace quillon::resources
