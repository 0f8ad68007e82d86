#include "shell/languages.h"

#include "shell/app_state.h"

namespace quillon {

namespace {

constexpr std::array<std::array<int, 10>, 3> kButtonWidths = {{
    {48, 111, 73, 80, 68, 47, 44, 61, 50, 38},  // English
    {48, 91, 75, 87, 63, 50, 49, 56, 58, 43},   // German
    {48, 81, 95, 62, 63, 65, 49, 56, 58, 43},   // French
}};

const char* const kCallerIdShort[3][3] = {
    {"No Caller ID.....", "(FSK)Send.....", "(DTMF)Se....."},
    {"keine Ruf.....", "(FSK)Ruf.....", "(DTMF)Ruf....."},
    {"Pas d'iden.....", "(FSK)Envoyer.....", "(DTMF)Envoyer....."},
};
const char* const kCallerIdLong[3][3] = {
    {"No Caller ID presentation", "(FSK)Send Phone Number", "(DTMF)Send Phone Number"},
    {"keine Rufunummer an Gegenstelle", "(FSK)Rufnummer an Gengenstelle", "(DTMF)Rufnummer an Gegenstelle"},
    {"Pas d'identification d'appel", "(FSK)Envoyer identification", "(DTMF)Envoyer identification"},
};
const char* const kAcceptanceModes[3][3] = {
    {"None", "these MSNs", "all Calls"},
    {"Keine", "nur diese", "alle"},
    {"Aucun", "Ces MSN", "Tous les appels"},
};
const char* const kRingWord[3] = {" ring", " x klingeln", " x Sonner"};

} // namespace

int language_for_locale(std::string_view localeName)
{
    constexpr int kGerman = 1;
    constexpr int kFrench = 2;
    if (localeName.starts_with("de"))
        return kGerman;
    if (localeName.starts_with("fr"))
        return kFrench;
    return 0;
}

int page_button_width(int language, int page)
{
    if (page < 0 || page >= 10)
        return 0;
    return kButtonWidths[static_cast<std::size_t>(clamp_language(language))][static_cast<std::size_t>(page)];
}

int page_button_x(int language, int page)
{
    int x = 0;
    for (int i = 0; i < page; ++i)
        x += page_button_width(language, i);
    return x;
}

SelectorTexts selector_texts(SelectorKind kind, int language)
{
    const int l = clamp_language(language);
    SelectorTexts t;
    switch (kind) {
    case SelectorKind::CallerId:
        for (int i = 0; i < 3; ++i) {
            t.shown.emplace_back(kCallerIdShort[l][i]);
            t.menu.emplace_back(kCallerIdLong[l][i]);
        }
        break;
    case SelectorKind::AcceptanceMode:
        for (int i = 0; i < 3; ++i)
            t.shown.emplace_back(kAcceptanceModes[l][i]);
        t.menu = t.shown;
        break;
    case SelectorKind::RingCount:
        for (int i = 0; i < 10; ++i)
            t.shown.push_back(std::to_string(i) + kRingWord[l]);
        t.menu = t.shown;
        break;
    }
    return t;
}

} // namespace quillon
