// Walking a Shift-JIS (code page 932) byte string, such as a program path, by characters:
// the second byte of a double-byte character can be 5Ch, the backslash, or any ASCII letter,
// and must never be taken for one.
#pragma once

#include <cstddef>
#include <string_view>

namespace sys {

// A byte that starts a double-byte character.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The length of the character at `i`: 2 for a double-byte character, 1 otherwise (also for a
// lead byte cut off by the end of the string).
constexpr std::size_t CharLength(std::string_view s, std::size_t i) {
    return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// The last single-byte character of `path` that is one of `delimiters`, and the character
// before it; npos for none.
struct Delimiter {
    std::size_t at = std::string_view::npos;
    std::size_t before = std::string_view::npos;
};
constexpr Delimiter LastDelimiter(std::string_view path, std::string_view delimiters) {
    Delimiter last;
    std::size_t previous = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); previous = i, i += CharLength(path, i))
        if (CharLength(path, i) == 1 && delimiters.find(path[i]) != std::string_view::npos)
            last = {i, previous};
    return last;
}

}  // namespace sys
