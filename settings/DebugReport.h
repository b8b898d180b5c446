// The lines of the debug report: the raw value of the setup bytes that have no control of
// their own or pack several fields, each broken into its bit fields.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "sys/Language.h"

#include "sys/LineSink.h"

namespace settings {

// Gives `add` the report lines that belong to the byte at `index` (none for most bytes), in
// order. Each line is its label in `language` followed at once by the number.
void WriteDebugLines(std::uint8_t index, std::uint8_t value, const sys::LineSink& add,
                     sys::Language language = sys::Language::Japanese);

// Every label of the report, in Japanese and in English (for the tests of the tables).
void ForEachDebugLabel(const std::function<void(std::string_view japanese, std::string_view english)>& each);

}  // namespace settings
