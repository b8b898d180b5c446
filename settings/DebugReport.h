// The lines of the debug report: the raw value of the setup bytes that have no control of
// their own or pack several fields, each broken into its bit fields.
#pragma once

#include <cstdint>
#include <string>

#include "sys/LineSink.h"

namespace settings {


// Gives `add` the report lines that belong to the byte at `index` (none for most bytes), in
// order. Each line is its label followed at once by the number.
void WriteDebugLines(std::uint8_t index, std::uint8_t value, const sys::LineSink& add);

}  // namespace settings
