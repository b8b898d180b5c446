#include "settings/DebugReport.h"

#include <string_view>

#include "hw/Cmos.h"
#include "settings/Catalogue.h"
#include "sys/Hex.h"

namespace settings {

namespace {

// How a line writes its number.
enum class Number { Hex2, Decimal, None };

struct Line {
    Field field;  // from the catalogue
    std::string_view label;    // in Japanese
    std::string_view english;  // in English: plain ASCII
    Number number;
};

constexpr auto H = Number::Hex2;
constexpr auto D = Number::Decimal;

using namespace hw::cmos;
using fields::Byte;

// The lines of every byte, in the order of the bytes and then of the lines; a byte's lines
// are found by a scan that stops at the first byte after it.
constexpr Line kLines[] = {
    {Byte(kChangeFlag), "CHK change flag =", "CHK change flag =", H},
    {Byte(kPassword), "システム・パスワード設定 =", "System password =", H},
    {fields::kPasswordSet, "  bit0:システム・パスワード設定時 ON =", "  bit0:ON while a system password is set =", D},
    {Byte(kPassword), "---", "---", Number::None},
    {Byte(kParallelDma), "パラレル・ポート設定 =", "Parallel port =", H},
    {fields::kParallelIrq, "  bit4-2: パラレルIRQ  7 or 5 =", "  bit4-2: Parallel IRQ  7 or 5 =", D},
    {fields::kParallelDma, "  bit1-0: パラレルDMA  1 or 3 =", "  bit1-0: Parallel DMA  1 or 3 =", D},
    {Byte(kPortIrqs), "シリアル・ポート IRQ =", "Serial port IRQ =", H},
    {fields::kInfraredIrq, "  bit7-4: COM2 IRQ =", "  bit7-4: COM2 IRQ =", D},
    {fields::kSerialIrq, "  bit3-0: COM1 IRQ =", "  bit3-0: COM1 IRQ =", D},
    {Byte(kSound), "サウンド設定 =", "Sound =", H},
    {fields::kSoundIrq, "  bit7-4: サウンドIRQ (1:5 or 9) =", "  bit7-4: Sound IRQ (1:5 or 9) =", D},
    {fields::kSoundDma, "  bit3-2: サウンドDMA (1:1 or 3) =", "  bit3-2: Sound DMA (1:1 or 3) =", D},
    {fields::kSoundAddress, "  bit1:   サウンドI/Oアドレス (0:220 1:230) =", "  bit1:   Sound I/O address (0:220 1:230) =", D},
    {fields::kSoundEnabled, "  bit0:   サウンドenable (0:disable 1:enable) =", "  bit0:   Sound enable (0:disable 1:enable) =", D},
};

// "%02X" or "%u" of the line's field; the fields shown in hexadecimal are whole bytes.
void AppendNumber(std::string& text, const Line& line, std::uint8_t value) {
    const unsigned field = (value >> line.field.shift) & line.field.mask;
    switch (line.number) {
    case Number::Hex2: sys::AppendHex(text, field, 2); break;
    case Number::Decimal: text += std::to_string(field); break;
    case Number::None: break;
    }
}

}  // namespace

void ForEachDebugLabel(const std::function<void(std::string_view, std::string_view)>& each) {
    for (const Line& line : kLines) each(line.label, line.english);
}

void WriteDebugLines(std::uint8_t index, std::uint8_t value, const sys::LineSink& add, sys::Language language) {
    std::string text;  // one buffer for the byte's lines
    for (const Line& line : kLines) {
        if (line.field.byte < index) continue;
        if (line.field.byte > index) break;  // the lines are in the order of their bytes
        text = language == sys::Language::English ? line.english : line.label;
        AppendNumber(text, line, value);
        add(text);
    }
}

}  // namespace settings
