// The two languages of the program's texts. Every table that holds a text the user reads holds
// it in Japanese (the window's own texts; Shift-JIS bytes in the Windows build, UTF-8 in
// the native one) and, beside it, in English (plain ASCII). Which one a face shows is decided
// once, where it starts, and handed down.
#pragma once

namespace sys {

enum class Language : unsigned char { Japanese, English };

// The text of a table row in `language`.
constexpr const char* InLanguage(Language language, const char* japanese, const char* english) {
    return language == Language::English ? english : japanese;
}

}  // namespace sys
