// The native main window: window class "TfrmMAIN", caption "TOVIKA", a fixed client area of
// 512 × 383, every control made from the layout table and attached to the TfrmMAIN model.
#pragma once

#include <windows.h>

#include "hw/PortIO.h"

namespace app::win32 {

// Registers the window class, creates the model with the Win32 services and the window with
// the controls that are on screen at first (FormCreate runs during creation), shows it
// (FormShow runs when it is first shown) and runs the message loop until the window is
// closed; the other pages' controls are made while the loop is idle, or when their page is
// shown first. Returns the exit code of the loop. Throws sys::Error when the window cannot
// be created.
int RunMainWindow(HINSTANCE instance, hw::TPortArray& port, int showCommand);

}  // namespace app::win32
