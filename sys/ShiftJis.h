// Walking a byte string of an ANSI code page, such as a program path, by characters. On a
// double-byte code page the second byte of a character can be 5Ch, the backslash, or any
// ASCII letter, and must never be taken for one; on code page 932 (Shift-JIS) that is every
// lead byte 81h-9Fh and E0h-FCh. On a single-byte code page such as 1252 every byte is a
// character of its own: é (E9h) followed by a backslash is two characters. So a path is
// walked with the lead bytes of the code page it is written in: the system's own
// (SystemLeadBytes), not a fixed one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sys {

// The lead bytes of one code page: a set of 256 bits.
class LeadBytes {
public:
    // No lead bytes: a single-byte code page (1252 and the like), or UTF-8, whose bytes of a
    // character are never ASCII.
    constexpr LeadBytes() = default;
    constexpr static LeadBytes Cp932() {
        LeadBytes set;
        set.Add(0x81, 0x9F);
        set.Add(0xE0, 0xFC);
        return set;
    }
    constexpr void Add(unsigned first, unsigned last) {
        for (unsigned c = first; c <= last && c < 256; ++c) bits_[c / 32] |= std::uint32_t{1} << (c % 32);
    }
    constexpr bool Has(unsigned char c) const { return (bits_[c / 32] >> (c % 32)) & 1; }

private:
    std::uint32_t bits_[8] = {};
};

// The lead bytes of the system's ANSI code page: on Windows as the system reports them; none
// on POSIX, whose paths are UTF-8 or single bytes.
const LeadBytes& SystemLeadBytes();

// The length of the character at `i`: 2 for a double-byte character, 1 otherwise (also for a
// lead byte cut off by the end of the string).
constexpr std::size_t CharLength(std::string_view s, std::size_t i, const LeadBytes& lead) {
    return lead.Has(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// The last single-byte character of `path` that is one of `delimiters`, and the character
// before it; npos for none.
struct Delimiter {
    std::size_t at = std::string_view::npos;
    std::size_t before = std::string_view::npos;
};
constexpr Delimiter LastDelimiter(std::string_view path, std::string_view delimiters, const LeadBytes& lead) {
    Delimiter last;
    std::size_t previous = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); previous = i, i += CharLength(path, i, lead))
        if (CharLength(path, i, lead) == 1 && delimiters.find(path[i]) != std::string_view::npos)
            last = {i, previous};
    return last;
}

}  // namespace sys
