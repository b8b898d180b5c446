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
    std::string_view label;
    std::string_view suffix;
};

using namespace hw::cmos;
using namespace hw::status;

// The report in the order of its lines, which is also the order of the hardware accesses.
constexpr Line kInformationLines[] = {
    {Value::None, 0, "■メモリ", ""},
    {Value::Memory, kBaseMemoryLow, "  base memory : ", " kb"},
    {Value::Memory, kExtendedMemoryLow, "  extended memory : ", " kb"},
    {Value::Hibernation, 0, "  ハイバネーションに必要なサイズ =", ""},
    {Value::None, 0, "■HDD", ""},
    {Value::CmosByte, kDriveCType, "  drive C: extension type =", ""},
    {Value::CmosByte, kDriveDType, "  drive D: extension type =", ""},
    {Value::None, 0, "■CPU", ""},
    {Value::StatusByte, kCpuSpeed, "  CPUスピード (0:LOW 1:HIGH) =", ""},
    {Value::Frequency, kFreqHigh, "  HIGHの時の動作周波数 =", " MHz"},
    {Value::Frequency, kFreqLow, "  LOW の時の動作周波数 =", " MHz"},
    {Value::None, 0, "■デバイス状態", ""},
    {Value::StatusByte, kFan, "  ファン回転状態 (0:停止 1:回転) =", ""},
    {Value::StatusByte, kAcOffline, "  AC online (0:on 1:off) =", ""},
    {Value::Temperature, kTemperature, "  温度 (0-255)=", ""},
    {Value::StatusByte, kBacklight, "  LCDバックライトの輝度 (0:低輝度 1:高輝度) =", ""},
    {Value::StatusByte, kVolume, "  音量(0:オフ 1:中 2:大) =", ""},
    {Value::None, 0, "■バッテリ", ""},
    {Value::StatusByte, kBatteryAState, "  A 状態(0:無 1:通常 3:LOW 7:充電中) =", ""},
    {Value::StatusByte, kBatteryACharge, "    残量(0:無 1:LOW 30:Full 31:不明) =", ""},
    {Value::StatusByte, kBatteryBState, "  B 状態(0:無 1:通常 3:LOW 7:充電中) =", ""},
    {Value::StatusByte, kBatteryBCharge, "    残量(0:無 1:LOW 30:Full 31:不明) =", ""},
};

void AppendTemperature(std::string& text, std::uint16_t code, const std::string& decimal) {
    AppendFixedNumber(text, Temperature(code), 1, 5, decimal);
    text += "℃ (";
    AppendInteger(text, code);
    text += ':';
    AppendHex(text, code, 2);
    text += ')';
}

// Reads what the line shows and appends its value text.
void AppendValue(std::string& text, const Line& line, hw::Bus& bus,
                 const sys::NumberFormat& separators) {
    const auto status = [&] { return bus.CallFirmware(hw::kFnStatus, line.source, 0); };
    switch (line.value) {
    case Value::None: return;
    case Value::Memory: {
        const unsigned low = bus.ReadCmos(line.source);
        const unsigned high = bus.ReadCmos(line.source + 1);
        return AppendGroupedNumber(text, low + 256 * high, 6, separators.thousands);
    }
    case Value::Hibernation: {
        const std::uint32_t bytes = bus.CallFirmware(hw::kFnHibernationSize, 0, 0);
        const long double kilobytes = static_cast<std::int32_t>(bytes) / 1024.0L;
        AppendFixedNumber(text, kilobytes, 0, 8, separators.decimal);
        text += "KB /";
        return AppendHex(text, bytes, 8);
    }
    case Value::CmosByte: return AppendHex(text, bus.ReadCmos(line.source), 2);
    case Value::StatusByte: return AppendInteger(text, StatusByte(status()));
    case Value::Frequency:
        return AppendFixedNumber(text, StatusWord(status()) / 10.0L, 1, 5, separators.decimal);
    case Value::Temperature:
        return AppendTemperature(text, StatusWord(status()), separators.decimal);
    }
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
                            const LineSink& add) {
    for (const Line& line : kInformationLines) {
        std::string text(line.label);
        AppendValue(text, line, bus, separators);
        text += line.suffix;
        add(text);
    }
}

void WriteRegisterDump(hw::Bus& bus, const LineSink& add) {
    add("CMOS +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F");
    AddHexRows(hw::kCmosSize, 16, [&](std::string& row, int i) {
        const auto index = static_cast<std::uint8_t>(i);
        if (bus.CmosReachable(index)) AppendHex(row, bus.ReadCmos(index), 2);
        else row += "--";
    }, add);
    add("");
    add("STAT +0/8 +1/9 +2/A +3/B +4/C +5/D +6/E +7/F");
    AddHexRows(hw::kStatusCount, 8, [&](std::string& row, int k) {
        AppendHex(row, StatusWord(bus.CallFirmware(hw::kFnStatus, static_cast<std::uint16_t>(k), 0)), 4);
    }, add);
}

}  // namespace reports
