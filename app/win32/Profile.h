// Start-up profile marks. With the environment variable TOVIKA_PROFILE naming a file, the
// program appends one line per step to it: the milliseconds since the process was created,
// the milliseconds since the previous mark, and the step's name. Without the variable a
// mark costs one test of a flag. scripts/bench.sh uses it to print where the start-up time
// goes.
#pragma once

namespace app::win32::profile {

// Reads the variable; call once, first thing in WinMain. Marks before it are dropped.
void Start();

// Writes a line for the step that has just ended (`detail` follows `step` when given).
void Mark(const char* step, const char* detail = nullptr);

bool Enabled();

}  // namespace app::win32::profile
