// The entry sequence of the program: prepare the ports, refuse an old common-controls
// library, let one instance run, run the main window. The decisions live here as plain
// functions over a small platform interface, so they run in the unit tests; app/win32/WinMain.cpp
// implements the interface with one Win32 call per operation.
#pragma once

#include <cstdint>
#include <string>

#include "sys/Language.h"
#include "sys/ShiftJis.h"

namespace app {

inline constexpr const char* kMutexName = "TOVIKAMUTEX";
inline constexpr const char* kMainWindowClass = "TfrmMAIN";
inline constexpr const char* kApplicationTitle = "TOVIKA";

// The oldest common-controls library the window works with: 4.72.
inline constexpr std::int32_t kMinComctlVersion = 0x00040048;

// The library's version as major * 65536 + minor, taken as a signed 32-bit value, from the
// most significant half of its fixed file version (dwFileVersionMS).
std::int32_t PackComctlVersion(std::uint32_t fileVersionMS);
// 0 (unreadable) and every version below 4.72 are refused.
bool IsComctlSupported(std::int32_t packed);

// A program path is a byte string of the system's ANSI code page, whose lead bytes are `lead`:
// on code page 932 the second byte of a double-byte character can be 0x5C, the backslash, so
// both functions walk by characters.
// The folder of the program file with its final delimiter ('\\' or ':'), or "" when none.
std::string ProgramFolder(const std::string& path, const sys::LeadBytes& lead);
// The application's title before the program sets its own: the file name without folder and
// without anything from its first dot on, every character after the first in lower case
// (ASCII letters only; double-byte characters stay as they are).
std::string DefaultTitle(const std::string& path, const sys::LeadBytes& lead);

using Handle = std::uintptr_t;        // a kernel object handle, 0 for none
using WindowHandle = std::uintptr_t;  // a window handle, 0 for none

// The window that a second start restores: the found window's owner when it has one (the
// owner stands for the application on the taskbar), else the found window itself.
WindowHandle WindowToRestore(WindowHandle found, WindowHandle owner);

// What the entry sequence asks of the system, one operation each. (The names differ from
// the Win32 functions, several of which are macros in <windows.h>.)
class EntryPlatform {
public:
    virtual ~EntryPlatform() = default;
    virtual std::string ProgramPath() = 0;  // full path of the running program file
    virtual void SetApplicationTitle(const std::string& title) = 0;
    // Creates the port layer on the machine of this executable; throws hw::SimSetupError
    // when the simulated notebook's files keep it from starting.
    virtual void PreparePorts(const std::string& folder) = 0;
    virtual std::int32_t ComctlVersion() = 0;  // packed, 0 when unreadable
    virtual void Inform(const std::string& text) = 0;  // the information message, modal
    virtual Handle OpenNamedMutex(const char* name) = 0;  // 0 when no such mutex exists
    // Creates the mutex, or opens it when it exists already; `existed` tells which.
    virtual Handle CreateNamedMutex(const char* name, bool& existed) = 0;
    virtual void CloseMutex(Handle handle) = 0;
    virtual WindowHandle FindMainWindow(const char* className) = 0;
    virtual void SetForeground(WindowHandle window) = 0;
    virtual WindowHandle OwnerOf(WindowHandle window) = 0;
    virtual bool IsMinimised(WindowHandle window) = 0;
    virtual void SendRestore(WindowHandle window) = 0;  // WM_SYSCOMMAND SC_RESTORE, lParam -1
    // Creates the main window, shows it and runs the message loop until it is closed.
    virtual void RunMainWindow() = 0;
};

// Runs the whole sequence and returns the process exit status: 0, also when the program
// refuses to start or gives way to a running instance; 1 when an error escaped from the
// main window (its message has been shown, and the mutex is closed all the same). Its
// messages are in `language`; the program path is walked with the lead bytes `lead`.
int RunEntrySequence(EntryPlatform& platform, sys::Language language = sys::Language::Japanese,
                     const sys::LeadBytes& lead = sys::LeadBytes::Cp932());

}  // namespace app
