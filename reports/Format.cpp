#include "reports/Format.h"

#include <cmath>

namespace reports {

std::string Hex(std::uint32_t value, int minDigits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(text.size()) < minDigits) text.insert(0, minDigits - text.size(), '0');
    return text;
}

std::string PadLeft(std::string text, int width) {
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
    return text;
}

namespace {

std::uint64_t Magnitude(std::int64_t value) {
    // Negating in unsigned arithmetic keeps the most negative value representable.
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

}  // namespace

std::string GroupedNumber(std::int64_t value, int width, const std::string& thousands) {
    const std::string digits = std::to_string(Magnitude(value));
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += thousands;
        text += digits[i];
    }
    return PadLeft(value < 0 ? "-" + text : text, width);
}

std::string FixedNumber(long double value, int decimals, int width, const std::string& decimal) {
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const long long units = std::llroundl(value * static_cast<long double>(scale));
    const std::uint64_t magnitude = Magnitude(units);
    std::string text = std::to_string(magnitude / scale);
    if (decimals > 0) {
        const std::string fraction = std::to_string(magnitude % scale);
        text += decimal + std::string(decimals - fraction.size(), '0') + fraction;
    }
    return PadLeft(units < 0 ? "-" + text : text, width);
}

int StatusByte(std::uint32_t result) { return static_cast<std::int32_t>(result) % 256; }

long double Temperature(std::uint16_t code) {
    return 51.7L - static_cast<long double>(static_cast<int>(code) - 128) * 0.48L;
}

}  // namespace reports
