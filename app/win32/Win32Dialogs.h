// The two modal dialogs on Win32: the confirmation dialog ("OK" / "キャンセル", in English
// "OK" / "Cancel") and the information message ("OK"). Built here rather than with
// MessageBox, whose button texts follow the system's language, not the window's; no icon, the text word-wrapped at half the screen width,
// the dialog sized to it, centred on the screen, titled with the application title.
#pragma once

#include <windows.h>

#include <string>

#include "app/Dialogs.h"

namespace app::win32 {

// The title that the dialogs carry at the moment they open. The entry sequence sets the
// default title first and "TOVIKA" before the main window is created.
std::string& ApplicationTitle();

class Win32Dialogs : public app::Dialogs {
public:
    // OK (Enter) gives true; キャンセル, Escape and the close box give false.
    bool Confirm(const std::string& text) override;
    // Enter, Escape and the close box all close it. Works before any window exists.
    void Inform(const std::string& text) override;

    // The window that owns the dialogs of every instance from now on (disabled while one is
    // open); nullptr while there is none.
    static void SetOwner(HWND owner);
};

}  // namespace app::win32
