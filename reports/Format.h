// The number texts of the reports, as pure functions: no C locale, the regional separators
// are passed in. Widths are minimum widths; a longer text is never cut. Each text can also
// be appended to a text under construction, which saves a temporary string per number.
#pragma once

#include <cstdint>
#include <string>

#include "sys/Hex.h"

namespace reports {

using sys::AppendHex;
using sys::Hex;

// "%d": the whole number in decimal digits, a minus sign before a negative one.
void AppendInteger(std::string& text, std::int64_t value);

// "%<width>.0n": the whole number with its digits grouped in threes by `thousands`.
void AppendGroupedNumber(std::string& text, std::int64_t value, int width,
                         const std::string& thousands);

// "%<width>.<decimals>f": rounded to nearest (halves away from zero), `decimal` before the
// decimals, no grouping. A value that rounds to zero shows no minus sign.
void AppendFixedNumber(std::string& text, long double value, int decimals, int width,
                       const std::string& decimal);

// The firmware result as a signed 32-bit number, remainder by 256 truncated toward zero:
// 0..255 when bit 31 is clear, -255..0 when it is set.
int StatusByte(std::uint32_t result);

// The low 16 bits of a firmware result.
constexpr std::uint16_t StatusWord(std::uint32_t result) { return result & 0xFFFF; }

// Degrees Celsius of the temperature code: 128 is 51.7, each step up 0.48 colder.
long double Temperature(std::uint16_t code);

}  // namespace reports
