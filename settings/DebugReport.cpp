#include "settings/DebugReport.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string_view>

namespace settings {

namespace {

enum class Shown { Hex2, Decimal, Nothing };

struct Line {
    std::uint8_t byte;
    std::string_view label;
    Shown shown;
    int shift = 0;
    unsigned mask = 0xFF;
};

constexpr auto H = Shown::Hex2;
constexpr auto D = Shown::Decimal;

// By byte, in the order of the lines: a byte's lines are found by a binary search.
constexpr Line kLines[] = {
    {0x52, "CHK change flag =", H},
    {0x55, "システム・パスワード設定 =", H},
    {0x55, "  bit0:システム・パスワード設定時 ON =", D, 0, 0x1},
    {0x55, "---", Shown::Nothing},
    {0x64, "パラレル・ポート設定 =", H},
    {0x64, "  bit4-2: パラレルIRQ  7 or 5 =", D, 2, 0x7},
    {0x64, "  bit1-0: パラレルDMA  1 or 3 =", D, 0, 0x3},
    {0x69, "シリアル・ポート IRQ =", H},
    {0x69, "  bit7-4: COM2 IRQ =", D, 4, 0xF},
    {0x69, "  bit3-0: COM1 IRQ =", D, 0, 0xF},
    {0x6A, "サウンド設定 =", H},
    {0x6A, "  bit7-4: サウンドIRQ (1:5 or 9) =", D, 4, 0xF},
    {0x6A, "  bit3-2: サウンドDMA (1:1 or 3) =", D, 2, 0x3},
    {0x6A, "  bit1:   サウンドI/Oアドレス (0:220 1:230) =", D, 1, 0x1},
    {0x6A, "  bit0:   サウンドenable (0:disable 1:enable) =", D, 0, 0x1},
};

// Room for the longest line: its label and a number of up to three digits.
constexpr std::size_t LongestLine() {
    std::size_t longest = 0;
    for (const Line& line : kLines) longest = std::max(longest, line.label.size() + 3);
    return longest;
}
constexpr std::size_t kLongestLine = LongestLine();

// "%02X" or "%u" of the line's field; the fields shown in hexadecimal are whole bytes.
void AppendNumber(std::string& text, const Line& line, std::uint8_t value) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    const unsigned field = (value >> line.shift) & line.mask;
    switch (line.shown) {
    case Shown::Hex2:
        text += kHexDigits[field >> 4];
        text += kHexDigits[field & 0xF];
        break;
    case Shown::Decimal: {
        char digits[3];
        text.append(digits, std::to_chars(std::begin(digits), std::end(digits), field).ptr);
        break;
    }
    case Shown::Nothing: break;
    }
}

}  // namespace

void WriteDebugLines(std::uint8_t index, std::uint8_t value, const DebugLineSink& add) {
    std::string text;  // one buffer for the byte's lines
    for (const Line& line : kLines) {
        if (line.byte != index) continue;
        if (text.capacity() < kLongestLine) text.reserve(kLongestLine);
        text = line.label;
        AppendNumber(text, line, value);
        add(text);
    }
}

std::vector<std::string> DebugLines(std::uint8_t index, std::uint8_t value) {
    std::vector<std::string> lines;
    WriteDebugLines(index, value, [&lines](const std::string& line) { lines.push_back(line); });
    return lines;
}

}  // namespace settings
