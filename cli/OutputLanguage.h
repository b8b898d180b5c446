// The language of the texts that `show` and `report` print (page captions, item texts, the
// information report's labels): what the system the command line runs on can show. The
// command line's own messages are English in every language.
#pragma once

#include <optional>
#include <string>

#include "sys/Language.h"

namespace cli {

struct OutputLanguage {
    sys::Language usual = sys::Language::English;  // printed when --lang does not choose
    bool showsJapanese = false;  // whether the program's Japanese texts read right there
    std::string reason;          // why they do not, for the note when Japanese is asked for
};

// Linux: the first non-empty of LC_ALL, LC_MESSAGES and LANG decides (none: the C locale).
// Japanese when it begins with "ja" and its codeset is UTF-8; English otherwise. The texts
// are UTF-8, so Japanese reads right wherever the codeset is UTF-8.
OutputLanguage LocaleLanguage(const std::optional<std::string>& lcAll,
                              const std::optional<std::string>& lcMessages,
                              const std::optional<std::string>& lang);

// Windows: the texts are code page 932; they read right where the output's code page (the
// console's, or the ANSI one for redirected output) is 932. English elsewhere.
OutputLanguage CodePageLanguage(unsigned codePage);

}  // namespace cli
