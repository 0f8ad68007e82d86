// Build-time tool: writes the header of the control ids one .dlg file
// declares. The whole folder is loaded, so that the names a dialog takes
// from a base in another file are checked too; only the problems of the
// file itself are reported, so that one bad file fails one command.
//
//   dialog_ids_generator <folder>/<name>.dlg <namespace> <header.h>
//
// The header is rewritten only when its text changes, so that editing a
// position in a .dlg file recompiles nothing.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "dialog_ids_header.h"
#include "resources/dialog_template.h"
#include "resources/resource_files.h"

namespace fs = std::filesystem;
using namespace quillon::resources;

namespace {

std::string read_whole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool write_if_changed(const fs::path& path, const std::string& text)
{
    std::error_code ignored;
    if (fs::exists(path, ignored) && read_whole(path) == text)
        return true;
    fs::create_directories(path.parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: dialog_ids_generator <file.dlg> <namespace> <header.h>\n";
        return 2;
    }
    const fs::path dialogFile = argv[1];
    const std::string nameSpace = argv[2];
    const fs::path header = argv[3];
    if (!is_ids_namespace(nameSpace)) {
        std::cerr << "dialog_ids_generator: " << nameSpace << " is no namespace name (a-z, 0-9, _)\n";
        return 2;
    }

    const std::string folder = dialogFile.parent_path().string();
    const std::string path = detail::join_path(folder, dialogFile.filename().string());
    std::vector<ParseError> errors;
    DialogTemplates all;
    all.load_directory(folder, errors);
    std::string source, headerText;
    if (detail::read_resource_file(path, source, errors)) {
        std::vector<ParseError> parsedAgain;  // already among the folder's
        const std::vector<DialogTemplate> dialogs = parse_dialog_templates(source, path, parsedAgain);
        headerText = dialog_ids_header(dialogs, nameSpace, dialogFile.filename().string());
    }

    bool failed = false;
    for (const ParseError& e : errors) {
        if (e.file != path)
            continue;
        std::cerr << e.file << ':' << e.line << ": error: " << e.message << '\n';
        failed = true;
    }
    if (failed)
        return 1;
    if (!write_if_changed(header, headerText)) {
        std::cerr << "dialog_ids_generator: cannot write " << header.string() << '\n';
        return 1;
    }
    return 0;
}
