#include "reports/Reports.h"

#include <algorithm>
#include <string_view>

#include "reports/Format.h"

namespace reports {

namespace {

// How a line of the information report gets its value.
enum class Value {
    None,         // a heading
    Memory,       // CMOS `source` (low byte), then `source` + 1 (high byte): kilobytes
    Hibernation,  // firmware 0602h: bytes
    CmosByte,     // CMOS `source` in hexadecimal
    StatusByte,   // status `source`, its status byte
    Frequency,    // status `source`, its word in tenths of MHz
    Temperature,  // status `source`, its word as a temperature code
};

struct Line {
    Value value;
    std::uint8_t source;
    std::string_view label;
    std::string_view suffix;
};

// The report in the order of its lines, which is also the order of the hardware accesses.
constexpr Line kInformationLines[] = {
    {Value::None, 0, "■メモリ", ""},
    {Value::Memory, 0x15, "  base memory : ", " kb"},
    {Value::Memory, 0x17, "  extended memory : ", " kb"},
    {Value::Hibernation, 0, "  ハイバネーションに必要なサイズ =", ""},
    {Value::None, 0, "■HDD", ""},
    {Value::CmosByte, 0x19, "  drive C: extension type =", ""},
    {Value::CmosByte, 0x1A, "  drive D: extension type =", ""},
    {Value::None, 0, "■CPU", ""},
    {Value::StatusByte, 2, "  CPUスピード (0:LOW 1:HIGH) =", ""},
    {Value::Frequency, 0, "  HIGHの時の動作周波数 =", " MHz"},
    {Value::Frequency, 15, "  LOW の時の動作周波数 =", " MHz"},
    {Value::None, 0, "■デバイス状態", ""},
    {Value::StatusByte, 3, "  ファン回転状態 (0:停止 1:回転) =", ""},
    {Value::StatusByte, 7, "  AC online (0:on 1:off) =", ""},
    {Value::Temperature, 4, "  温度 (0-255)=", ""},
    {Value::StatusByte, 12, "  LCDバックライトの輝度 (0:低輝度 1:高輝度) =", ""},
    {Value::StatusByte, 13, "  音量(0:オフ 1:中 2:大) =", ""},
    {Value::None, 0, "■バッテリ", ""},
    {Value::StatusByte, 8, "  A 状態(0:無 1:通常 3:LOW 7:充電中) =", ""},
    {Value::StatusByte, 10, "    残量(0:無 1:LOW 30:Full 31:不明) =", ""},
    {Value::StatusByte, 9, "  B 状態(0:無 1:通常 3:LOW 7:充電中) =", ""},
    {Value::StatusByte, 11, "    残量(0:無 1:LOW 30:Full 31:不明) =", ""},
};

// Room for the longest line: the longest label with its suffix, and the longest value,
// "   33792KB /02100000" (longer only with separators of several bytes, which then cost
// one reallocation).
constexpr std::size_t LongestLine() {
    std::size_t longest = 0;
    for (const Line& line : kInformationLines)
        longest = std::max(longest, line.label.size() + line.suffix.size());
    return longest + std::string_view("   33792KB /02100000").size();
}
constexpr std::size_t kLongestLine = LongestLine();

void AppendTemperature(std::string& text, std::uint16_t code, const std::string& decimal) {
    AppendFixedNumber(text, Temperature(code), 1, 5, decimal);
    text += "℃ (";
    AppendInteger(text, code);
    text += ':';
    AppendHex(text, code, 2);
    text += ')';
}

// Reads what the line shows and appends its value text.
void AppendValue(std::string& text, const Line& line, const Hardware& hw,
                 const sys::NumberFormat& separators) {
    const auto status = [&] { return hw.CallFirmware(kFnStatus, line.source, 0); };
    switch (line.value) {
    case Value::None: return;
    case Value::Memory: {
        const unsigned low = hw.ReadCmos(line.source);
        const unsigned high = hw.ReadCmos(line.source + 1);
        return AppendGroupedNumber(text, low + 256 * high, 6, separators.thousands);
    }
    case Value::Hibernation: {
        const std::uint32_t bytes = hw.CallFirmware(kFnHibernationSize, 0, 0);
        const long double kilobytes = static_cast<std::int32_t>(bytes) / 1024.0L;
        AppendFixedNumber(text, kilobytes, 0, 8, separators.decimal);
        text += "KB /";
        return AppendHex(text, bytes, 8);
    }
    case Value::CmosByte: return AppendHex(text, hw.ReadCmos(line.source), 2);
    case Value::StatusByte: return AppendInteger(text, StatusByte(status()));
    case Value::Frequency:
        return AppendFixedNumber(text, StatusWord(status()) / 10.0L, 1, 5, separators.decimal);
    case Value::Temperature:
        return AppendTemperature(text, StatusWord(status()), separators.decimal);
    }
}

// Rows of `count` values, `perRow` to a row: the row's first index as two hex digits, " : ",
// then the values in `digits` hex digits separated by ",". Each row is given as soon as its
// last value has been read.
template <class Read>
void AddHexRows(int count, int perRow, int digits, const Read& read, const LineSink& add) {
    std::string row;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t value = read(i);
        if (i % perRow == 0) {
            row.clear();
            AppendHex(row, i, 2);
            row += " : ";
        } else {
            row += ',';
        }
        AppendHex(row, value, digits);
        if (i % perRow == perRow - 1) add(row);
    }
}

}  // namespace

void WriteInformationReport(const Hardware& hw, const sys::NumberFormat& separators,
                            const LineSink& add) {
    std::string text;  // one buffer for every line
    text.reserve(kLongestLine);
    for (const Line& line : kInformationLines) {
        text = line.label;
        AppendValue(text, line, hw, separators);
        text += line.suffix;
        add(text);
    }
}

void WriteRegisterDump(const Hardware& hw, const LineSink& add) {
    add("CMOS +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F");
    AddHexRows(128, 16, 2, [&](int i) { return hw.ReadCmos(static_cast<std::uint8_t>(i)); }, add);
    add("");
    add("STAT +0/8 +1/9 +2/A +3/B +4/C +5/D +6/E +7/F");
    AddHexRows(64, 8, 4,
               [&](int k) { return StatusWord(hw.CallFirmware(kFnStatus, static_cast<std::uint16_t>(k), 0)); },
               add);
}

}  // namespace reports
