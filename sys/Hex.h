// Hexadecimal text as the program writes it everywhere: upper-case digits, zero-padded to a
// minimum number of digits, longer when the value needs it, no prefix or suffix.
#pragma once

#include <cstdint>
#include <string>

namespace sys {

inline void AppendHex(std::string& text, std::uint32_t value, int minDigits) {
    char digits[8];
    int count = 0;
    do {
        digits[count++] = "0123456789ABCDEF"[value % 16];
        value /= 16;
    } while (value != 0);
    if (count < minDigits) text.append(static_cast<std::size_t>(minDigits - count), '0');
    while (count > 0) text += digits[--count];
}

inline std::string Hex(std::uint32_t value, int minDigits) {
    std::string text;
    AppendHex(text, value, minDigits);
    return text;
}

}  // namespace sys
