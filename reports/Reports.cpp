#include "reports/Reports.h"

#include <string_view>

#include "hw/Cmos.h"
#include "hw/Firmware.h"
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
    std::string_view label;    // in Japanese
    std::string_view english;  // in English: plain ASCII
    std::string_view suffix;
    const char* key = nullptr;  // the value's name in the report's JSON form
};

using namespace hw::cmos;
using namespace hw::status;

// The report in the order of its lines, which is also the order of the hardware accesses.
// Each line: how it gets its value, from where, its label in Japanese and in English, the
// suffix after the value, the value's JSON name. Only the label words differ between the
// languages; the values, their widths and suffixes are the same.
constexpr Line kInformationLines[] = {
    {Value::None, 0, "■メモリ", "* Memory", ""},
    {Value::Memory, kBaseMemoryLow, "  base memory : ",
     "  base memory : ", " kb", "base-memory-kb"},
    {Value::Memory, kExtendedMemoryLow, "  extended memory : ",
     "  extended memory : ", " kb", "extended-memory-kb"},
    {Value::Hibernation, 0, "  ハイバネーションに必要なサイズ =",
     "  Size needed for hibernation =", "", "hibernation-size"},
    {Value::None, 0, "■HDD", "* HDD", ""},
    {Value::CmosByte, kDriveCType, "  drive C: extension type =",
     "  drive C: extension type =", "", "drive-c-type"},
    {Value::CmosByte, kDriveDType, "  drive D: extension type =",
     "  drive D: extension type =", "", "drive-d-type"},
    {Value::None, 0, "■CPU", "* CPU", ""},
    {Value::StatusByte, kCpuSpeed, "  CPUスピード (0:LOW 1:HIGH) =",
     "  CPU speed (0:LOW 1:HIGH) =", "", "cpu-speed"},
    {Value::Frequency, kFreqHigh, "  HIGHの時の動作周波数 =", "  Clock at HIGH =", " MHz", "cpu-mhz-high"},
    {Value::Frequency, kFreqLow, "  LOW の時の動作周波数 =", "  Clock at LOW  =", " MHz", "cpu-mhz-low"},
    {Value::None, 0, "■デバイス状態", "* Devices", ""},
    {Value::StatusByte, kFan, "  ファン回転状態 (0:停止 1:回転) =",
     "  Fan (0:stopped 1:running) =", "", "fan"},
    {Value::StatusByte, kAcOffline, "  AC online (0:on 1:off) =",
     "  AC online (0:on 1:off) =", "", "ac-offline"},
    {Value::Temperature, kTemperature, "  温度 (0-255)=",
     "  Temperature (0-255)=", "", "temperature"},
    {Value::StatusByte, kBacklight, "  LCDバックライトの輝度 (0:低輝度 1:高輝度) =",
     "  LCD backlight (0:dim 1:bright) =", "", "backlight"},
    {Value::StatusByte, kVolume, "  音量(0:オフ 1:中 2:大) =",
     "  Volume(0:off 1:medium 2:loud) =", "", "volume"},
    {Value::None, 0, "■バッテリ", "* Battery", ""},
    {Value::StatusByte, kBatteryAState, "  A 状態(0:無 1:通常 3:LOW 7:充電中) =",
     "  A state(0:none 1:normal 3:LOW 7:charging) =", "", "battery-a-state"},
    {Value::StatusByte, kBatteryACharge, "    残量(0:無 1:LOW 30:Full 31:不明) =",
     "    charge(0:none 1:LOW 30:Full 31:unknown) =", "", "battery-a-charge"},
    {Value::StatusByte, kBatteryBState, "  B 状態(0:無 1:通常 3:LOW 7:充電中) =",
     "  B state(0:none 1:normal 3:LOW 7:charging) =", "", "battery-b-state"},
    {Value::StatusByte, kBatteryBCharge, "    残量(0:無 1:LOW 30:Full 31:不明) =",
     "    charge(0:none 1:LOW 30:Full 31:unknown) =", "", "battery-b-charge"},
};

// The degree sign "℃" has no ASCII form: English writes "C".
void AppendTemperature(std::string& text, std::uint16_t code, const std::string& decimal,
                       sys::Language language) {
    AppendFixedNumber(text, Temperature(code), 1, 5, decimal);
    text += sys::InLanguage(language, "℃ (", "C (");
    AppendInteger(text, code);
    text += ':';
    AppendHex(text, code, 2);
    text += ')';
}

// Reads what the line shows: the CMOS bytes or the firmware's answer, one number.
std::uint32_t Read(const Line& line, hw::Bus& bus) {
    switch (line.value) {
    case Value::None: return 0;
    case Value::Memory: {
        const unsigned low = bus.ReadCmos(line.source);
        const unsigned high = bus.ReadCmos(line.source + 1);
        return low + 256 * high;
    }
    case Value::Hibernation: return bus.CallFirmware(hw::kFnHibernationSize, 0, 0);
    case Value::CmosByte: return bus.ReadCmos(line.source);
    case Value::StatusByte:
    case Value::Frequency:
    case Value::Temperature: return bus.CallFirmware(hw::kFnStatus, line.source, 0);
    }
    return 0;
}

// Appends the value text of what Read gave.
void AppendValue(std::string& text, const Line& line, std::uint32_t raw,
                 const sys::NumberFormat& separators, sys::Language language) {
    switch (line.value) {
    case Value::None: return;
    case Value::Memory: return AppendGroupedNumber(text, raw, 6, separators.thousands);
    case Value::Hibernation:
        AppendFixedNumber(text, static_cast<std::int32_t>(raw) / 1024.0L, 0, 8, separators.decimal);
        text += "KB /";
        return AppendHex(text, raw, 8);
    case Value::CmosByte: return AppendHex(text, raw, 2);
    case Value::StatusByte: return AppendInteger(text, StatusByte(raw));
    case Value::Frequency:
        return AppendFixedNumber(text, StatusWord(raw) / 10.0L, 1, 5, separators.decimal);
    case Value::Temperature:
        return AppendTemperature(text, StatusWord(raw), separators.decimal, language);
    }
}

// The number of what Read gave, as JSON writes it ("." before the decimals, no grouping).
std::string JsonNumber(const Line& line, std::uint32_t raw) {
    std::string text;
    switch (line.value) {
    case Value::None: break;
    case Value::Memory:
    case Value::Hibernation:
    case Value::CmosByte: AppendInteger(text, raw); break;
    case Value::StatusByte: AppendInteger(text, StatusByte(raw)); break;
    case Value::Frequency: AppendFixedNumber(text, StatusWord(raw) / 10.0L, 1, 0, "."); break;
    case Value::Temperature: AppendFixedNumber(text, Temperature(StatusWord(raw)), 1, 0, "."); break;
    }
    return text;
}

// Rows of `count` values, `perRow` to a row: the row's first index as two hex digits, " : ",
// then the values separated by ",", each as `cell` appends it. Each row is given as soon as
// its last value has been read.
template <class Cell>
void AddHexRows(int count, int perRow, const Cell& cell, const LineSink& add) {
    std::string row;
    for (int i = 0; i < count; ++i) {
        if (i % perRow == 0) {
            row.clear();
            AppendHex(row, i, 2);
            row += " : ";
        } else {
            row += ',';
        }
        cell(row, i);
        if (i % perRow == perRow - 1) add(row);
    }
}

}  // namespace

void WriteInformationReport(hw::Bus& bus, const sys::NumberFormat& separators,
                            const LineSink& add, sys::Language language) {
    std::string text;  // one buffer for every line
    for (const Line& line : kInformationLines) {
        text = language == sys::Language::English ? line.english : line.label;
        AppendValue(text, line, Read(line, bus), separators, language);
        text += line.suffix;
        add(text);
    }
}

void ReadInformationValues(hw::Bus& bus, const ValueSink& add) {
    for (const Line& line : kInformationLines) {
        if (line.value == Value::None) continue;
        const std::uint32_t raw = Read(line, bus);
        add(line.key, JsonNumber(line, raw));
        if (line.value == Value::Temperature) {
            std::string code;
            AppendInteger(code, StatusWord(raw));
            add("temperature-code", code);
        }
    }
}

void WriteCmosTable(hw::Bus& bus, const LineSink& add) {
    add("CMOS +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F");
    AddHexRows(hw::kCmosSize, 16, [&](std::string& row, int i) {
        const auto index = static_cast<std::uint8_t>(i);
        if (bus.CmosReachable(index)) AppendHex(row, bus.ReadCmos(index), 2);
        else row += "--";
    }, add);
}

void WriteRegisterDump(hw::Bus& bus, const LineSink& add) {
    WriteCmosTable(bus, add);
    add("");
    add("STAT +0/8 +1/9 +2/A +3/B +4/C +5/D +6/E +7/F");
    AddHexRows(hw::kStatusCount, 8, [&](std::string& row, int k) {
        AppendHex(row, StatusWord(bus.CallFirmware(hw::kFnStatus, static_cast<std::uint16_t>(k), 0)), 4);
    }, add);
}

}  // namespace reports
