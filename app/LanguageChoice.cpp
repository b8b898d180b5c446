#include "app/LanguageChoice.h"

namespace app {

namespace {

constexpr std::uint16_t kLangJapanese = 0x11;  // the primary language of a LANGID

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
        if (x != y) return false;
    }
    return true;
}

}  // namespace

LanguageSwitch ParseLanguageSwitch(std::string_view line) {
    LanguageSwitch found = LanguageSwitch::None;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        std::size_t end = i;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
        const std::string_view word = line.substr(i, end - i);
        if (SameIgnoringCase(word, "/lang:ja")) found = LanguageSwitch::Japanese;
        else if (SameIgnoringCase(word, "/lang:en")) found = LanguageSwitch::English;
        i = end;
    }
    return found;
}

TextChoice ChooseTexts(const LanguageFacts& f) {
    constexpr TextChoice kEnglish{sys::Language::English, false};
    if (f.choice == LanguageSwitch::English) return kEnglish;
    if (f.ansiCodePage == 932) return {sys::Language::Japanese, false};
    const bool wantsJapanese = f.choice == LanguageSwitch::Japanese ||
                               (f.uiLanguage & 0x3FF) == kLangJapanese;
    if (wantsJapanese && f.ntFamily && f.codePage932Installed) return {sys::Language::Japanese, true};
    return kEnglish;
}

}  // namespace app
