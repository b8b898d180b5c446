#include "cli/OutputLanguage.h"

#include <string_view>

#include "cli/CliMessages.h"

namespace cli {

namespace {

// Whether a locale's codeset (after '.', before '@') is UTF-8, as "UTF-8" or "utf8".
bool CodesetIsUtf8(std::string_view locale) {
    const std::size_t dot = locale.find('.');
    if (dot == std::string_view::npos) return false;
    std::string_view codeset = locale.substr(dot + 1);
    codeset = codeset.substr(0, codeset.find('@'));
    std::string plain;
    for (char c : codeset)
        if (c != '-') plain += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return plain == "utf8";
}

}  // namespace

OutputLanguage LocaleLanguage(const std::optional<std::string>& lcAll,
                              const std::optional<std::string>& lcMessages,
                              const std::optional<std::string>& lang) {
    std::string locale = "C";
    for (const auto* value : {&lcAll, &lcMessages, &lang}) {
        if (*value && !(*value)->empty()) {
            locale = **value;
            break;
        }
    }
    OutputLanguage out;
    out.showsJapanese = CodesetIsUtf8(locale);
    out.usual = out.showsJapanese && locale.rfind("ja", 0) == 0 ? sys::Language::Japanese : sys::Language::English;
    out.reason = Text(CliMessage::LocaleNotUtf8, {locale});
    return out;
}

OutputLanguage CodePageLanguage(unsigned codePage) {
    OutputLanguage out;
    out.showsJapanese = codePage == 932;
    out.usual = out.showsJapanese ? sys::Language::Japanese : sys::Language::English;
    out.reason = Text(CliMessage::CodePageNot932, {std::to_string(codePage)});
    return out;
}

}  // namespace cli
