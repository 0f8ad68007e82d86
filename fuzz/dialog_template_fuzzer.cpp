// Fuzzes the reader of .dlg dialog templates.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "resources/dialog_template.h"

using namespace quillon::resources;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<ParseError> errors;
    const std::vector<DialogTemplate> dialogs =
        parse_dialog_templates(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.dlg", errors);
    DialogTemplates all;
    for (const DialogTemplate& dialog : dialogs) {
        for (const ControlTemplate& control : dialog.controls) {
            if (control_kind_keyword(control.kind).empty() || dialog.control(control.id) == nullptr)
                __builtin_trap();  // every control has a keyword and is found by its id
        }
        all.add(dialog);
        if (all.find(dialog.id) == nullptr)
            __builtin_trap();
    }
    return 0;
}
