// Texts that are not in the string table, and the per-language layout of
// the page buttons.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

inline constexpr int kPageButtonHeight = 37;

// The program's language for a locale name ("de_DE.UTF-8" German, "fr_CA"
// French, anything else English).
int language_for_locale(std::string_view localeName);

// Width in pixels of page button `page` (0..9) in `language`.
int page_button_width(int language, int page);
// Left edge of page button `page`: each begins where the previous ends.
int page_button_x(int language, int page);

// The drop-down list selector's kinds.
enum class SelectorKind { CallerId = 0, AcceptanceMode = 1, RingCount = 2 };

struct SelectorTexts {
    std::vector<std::string> shown;  // in the closed selector
    std::vector<std::string> menu;   // in its menu
};
SelectorTexts selector_texts(SelectorKind kind, int language);

} // namespace quillon
