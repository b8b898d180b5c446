// The runtime entry of the i686 programs, which runs before main or WinMain (see CrtStart.cpp).
#pragma once

extern "C" void __main();

namespace sys::win32 {

// The first thing an entry point does: puts the floating-point unit in its reset state.
void StartProcess();

}  // namespace sys::win32
