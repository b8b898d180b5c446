#include "reports/Format.h"

#include <iterator>

namespace reports {

namespace {

std::uint64_t Magnitude(std::int64_t value) {
    // Negating in unsigned arithmetic keeps the most negative value representable.
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

// `value` in decimal digits, zero-padded to `minDigits`.
void AppendDigits(std::string& text, std::uint64_t value, int minDigits) {
    char digits[20];  // enough for any 64-bit value
    char* first = std::end(digits);
    do {
        *--first = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    const auto count = static_cast<std::size_t>(std::end(digits) - first);
    if (count < static_cast<std::size_t>(minDigits)) text.append(minDigits - count, '0');
    text.append(first, count);
}

// Right-aligns what was appended to `text` from `start` on in `width` characters.
void PadFrom(std::string& text, std::size_t start, int width) {
    const std::size_t length = text.size() - start;
    if (length < static_cast<std::size_t>(width)) text.insert(start, width - length, ' ');
}

// `value` rounded to the nearest integer, halves away from zero, as llroundl does. Done here:
// the Windows runtime's llroundl compares with instructions that the Pentium lacks. The
// conversion truncates, and the fraction it leaves is exact in long double.
long long RoundHalfAway(long double value) {
    long long whole = static_cast<long long>(value);
    const long double fraction = value - static_cast<long double>(whole);
    if (fraction >= 0.5L) ++whole;
    else if (fraction <= -0.5L) --whole;
    return whole;
}

}  // namespace

void AppendInteger(std::string& text, std::int64_t value) {
    if (value < 0) text += '-';
    AppendDigits(text, Magnitude(value), 1);
}

void AppendGroupedNumber(std::string& text, std::int64_t value, int width,
                         const std::string& thousands) {
    const std::size_t start = text.size();
    if (value < 0) text += '-';
    std::string digits;  // at most 20: no allocation
    AppendDigits(digits, Magnitude(value), 1);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += thousands;
        text += digits[i];
    }
    PadFrom(text, start, width);
}

void AppendFixedNumber(std::string& text, long double value, int decimals, int width,
                       const std::string& decimal) {
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const long long units = RoundHalfAway(value * static_cast<long double>(scale));
    const std::uint64_t magnitude = Magnitude(units);
    const std::size_t start = text.size();
    if (units < 0) text += '-';
    AppendDigits(text, magnitude / scale, 1);
    if (decimals > 0) {
        text += decimal;
        AppendDigits(text, magnitude % scale, decimals);
    }
    PadFrom(text, start, width);
}

int StatusByte(std::uint32_t result) { return static_cast<std::int32_t>(result) % 256; }

long double Temperature(std::uint16_t code) {
    return 51.7L - static_cast<long double>(static_cast<int>(code) - 128) * 0.48L;
}

}  // namespace reports
