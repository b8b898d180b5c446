// The information report and the register dump: lines of text made from CMOS bytes and
// firmware results. Each line goes to the sink as soon as the values it shows have been
// read, so the hardware is accessed in the order of the lines, and a fault in the middle
// leaves the lines already given.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "hw/Bus.h"
#include "sys/Language.h"
#include "sys/LineSink.h"
#include "sys/System.h"

namespace reports {

using sys::LineSink;

// The 22 lines of the system information report; numbers follow the regional separators.
// English changes the label words only (and writes "C" for "℃"): the same lines, values,
// widths and suffixes.
void WriteInformationReport(hw::Bus& bus, const sys::NumberFormat& separators,
                            const LineSink& add,
                            sys::Language language = sys::Language::Japanese);

// The values of the information report in the same order, each under its name with its
// number as JSON writes it: "base-memory-kb", "hibernation-size" (bytes), "cpu-mhz-high",
// "temperature" (degrees Celsius) and "temperature-code", "battery-a-state", ...
using ValueSink = std::function<void(const char* name, const std::string& number)>;
void ReadInformationValues(hw::Bus& bus, const ValueSink& add);

// The 19 lines of the register dump: the 128 CMOS bytes, an empty line, the 64 status words.
// A byte that the machine cannot reach shows as "--" and is not read.
void WriteRegisterDump(hw::Bus& bus, const LineSink& add);

// The dump's first 9 lines, the CMOS bytes alone: no firmware call.
void WriteCmosTable(hw::Bus& bus, const LineSink& add);

}  // namespace reports
