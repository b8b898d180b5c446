// The information report and the register dump: lines of text made from CMOS bytes and
// firmware results. Each line goes to the sink as soon as the values it shows have been
// read, so the hardware is accessed in the order of the lines, and a fault in the middle
// leaves the lines already given.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "hw/Firmware.h"
#include "sys/System.h"

namespace reports {

// What the reports read: CMOS bytes and firmware calls, as the window performs them.
struct Hardware {
    std::function<std::uint8_t(std::uint8_t index)> ReadCmos;
    std::function<std::uint32_t(std::uint16_t function, std::uint16_t param1,
                                std::uint16_t param2)> CallFirmware;
};

using LineSink = std::function<void(const std::string& line)>;

// Firmware functions that the reports call (param2 always 0).
using hw::kFnHibernationSize;
using hw::kFnStatus;

// The 22 lines of the system information report; numbers follow the regional separators.
void WriteInformationReport(const Hardware& hw, const sys::NumberFormat& separators,
                            const LineSink& add);

// The 19 lines of the register dump: the 128 CMOS bytes, an empty line, the 64 status words.
void WriteRegisterDump(const Hardware& hw, const LineSink& add);

}  // namespace reports
