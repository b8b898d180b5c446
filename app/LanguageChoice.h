// The window's language, decided once when the program starts, before its first message: from
// what the system says of itself and from the user's explicit choice on the command line.
// A pure function of those facts, so that every combination is tested without Windows.
#pragma once

#include <cstdint>
#include <string_view>

#include "sys/Language.h"

namespace app {

// `/lang:ja` or `/lang:en` on the command line; nothing else counts.
enum class LanguageSwitch : std::uint8_t { None, Japanese, English };

// The command line's switch: any argument that is `/lang:ja` or `/lang:en` (letters in any
// case); the last one wins. Every other argument is ignored.
LanguageSwitch ParseLanguageSwitch(std::string_view commandLine);

// What the system tells of itself.
struct LanguageFacts {
    unsigned ansiCodePage = 932;          // GetACP
    bool ntFamily = false;                // the platform family, asked on its own
    std::uint16_t uiLanguage = 0x0411;    // the user's UI language (a LANGID)
    bool codePage932Installed = true;     // IsValidCodePage(932)
    LanguageSwitch choice = LanguageSwitch::None;
};

// How the window shows its texts.
struct TextChoice {
    sys::Language language = sys::Language::Japanese;
    // The Japanese texts go through the Unicode API, converted from code page 932: only on
    // the NT family, where the system's own code page is not 932.
    bool unicode = false;
    friend bool operator==(const TextChoice&, const TextChoice&) = default;
};

// On a code-page-932 system: Japanese through the ANSI API, exactly as the program always did,
// unless English is chosen. Elsewhere: Japanese through the Unicode API where the user's UI
// language is Japanese (or Japanese is chosen), the system is of the NT family and code page
// 932 is installed; English in every other case, also where Japanese was chosen but cannot be
// shown.
TextChoice ChooseTexts(const LanguageFacts& facts);

}  // namespace app
