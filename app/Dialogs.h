// The two modal dialog kinds that every handler uses. The Win32 implementation shows them as
// the window's message boxes; the tests script the answers.
#pragma once

#include <string>

namespace app {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The confirmation dialog ("OK" / "キャンセル"): true only for OK.
    virtual bool Confirm(const std::string& text) = 0;
    // The information message (a single "OK").
    virtual void Inform(const std::string& text) = 0;
};

}  // namespace app
