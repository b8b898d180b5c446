#include "settings/DebugReport.h"

#include <cstdio>

namespace settings {

namespace {

enum class Shown { Hex2, Decimal, Nothing };

struct Line {
    std::uint8_t byte;
    const char* label;
    Shown shown;
    int shift = 0;
    unsigned mask = 0xFF;
};

constexpr auto H = Shown::Hex2;
constexpr auto D = Shown::Decimal;

const Line kLines[] = {
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

std::string Number(const Line& line, std::uint8_t value) {
    const unsigned field = (value >> line.shift) & line.mask;
    char text[8];
    switch (line.shown) {
    case Shown::Hex2: std::snprintf(text, sizeof text, "%02X", field); return text;
    case Shown::Decimal: std::snprintf(text, sizeof text, "%u", field); return text;
    case Shown::Nothing: return {};
    }
    return {};
}

}  // namespace

std::vector<std::string> DebugLines(std::uint8_t index, std::uint8_t value) {
    std::vector<std::string> lines;
    for (const Line& line : kLines)
        if (line.byte == index) lines.push_back(line.label + Number(line, value));
    return lines;
}

}  // namespace settings
