#include "settings/DebugReport.h"

#include <string_view>

#include "hw/Cmos.h"
#include "sys/Hex.h"

namespace settings {

namespace {

// How a line writes its number.
enum class Number { Hex2, Decimal, None };

struct Line {
    std::uint8_t byte;
    std::string_view label;
    Number number;
    int shift = 0;
    unsigned mask = 0xFF;
};

constexpr auto H = Number::Hex2;
constexpr auto D = Number::Decimal;

using namespace hw::cmos;

// The lines of every byte, in the order of the bytes and then of the lines; a byte's lines
// are found by a scan that stops at the first byte after it.
constexpr Line kLines[] = {
    {kChangeFlag, "CHK change flag =", H},
    {kPassword, "システム・パスワード設定 =", H},
    {kPassword, "  bit0:システム・パスワード設定時 ON =", D, 0, 0x1},
    {kPassword, "---", Number::None},
    {kParallelDma, "パラレル・ポート設定 =", H},
    {kParallelDma, "  bit4-2: パラレルIRQ  7 or 5 =", D, 2, 0x7},
    {kParallelDma, "  bit1-0: パラレルDMA  1 or 3 =", D, 0, 0x3},
    {kPortIrqs, "シリアル・ポート IRQ =", H},
    {kPortIrqs, "  bit7-4: COM2 IRQ =", D, 4, 0xF},
    {kPortIrqs, "  bit3-0: COM1 IRQ =", D, 0, 0xF},
    {kSound, "サウンド設定 =", H},
    {kSound, "  bit7-4: サウンドIRQ (1:5 or 9) =", D, 4, 0xF},
    {kSound, "  bit3-2: サウンドDMA (1:1 or 3) =", D, 2, 0x3},
    {kSound, "  bit1:   サウンドI/Oアドレス (0:220 1:230) =", D, 1, 0x1},
    {kSound, "  bit0:   サウンドenable (0:disable 1:enable) =", D, 0, 0x1},
};

// "%02X" or "%u" of the line's field; the fields shown in hexadecimal are whole bytes.
void AppendNumber(std::string& text, const Line& line, std::uint8_t value) {
    const unsigned field = (value >> line.shift) & line.mask;
    switch (line.number) {
    case Number::Hex2: sys::AppendHex(text, field, 2); break;
    case Number::Decimal: text += std::to_string(field); break;
    case Number::None: break;
    }
}

}  // namespace

void WriteDebugLines(std::uint8_t index, std::uint8_t value, const sys::LineSink& add) {
    std::string text;  // one buffer for the byte's lines
    for (const Line& line : kLines) {
        if (line.byte < index) continue;
        if (line.byte > index) break;  // the lines are in the order of their bytes
        text = line.label;
        AppendNumber(text, line, value);
        add(text);
    }
}

}  // namespace settings
