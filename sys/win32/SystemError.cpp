#include "sys/SystemError.h"

#include <windows.h>

#include "sys/Messages.h"

namespace sys {

// The C library's fopen and fread leave the error of CreateFileA or ReadFile in place.
int LastErrorCode() { return static_cast<int>(GetLastError()); }

std::string SystemErrorText(int code) {
    const DWORD error = static_cast<DWORD>(code);
    char text[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                             MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT), text, sizeof text, nullptr);
    // No text in the system's language: the search order of language 0 finds another one.
    if (n == 0)
        n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                           sizeof text, nullptr);
    if (n == 0 || n >= sizeof text) return Japanese(Message::SystemErrorCode, {std::to_string(error)});
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ' || text[n - 1] == '.')) --n;
    // The final ideographic full stop of code page 932 goes as well: the message puts the
    // reason in parentheses. Found by walking whole characters, as a trail byte can look
    // like anything.
    DWORD last = 0;
    for (DWORD i = 0; i < n; i += IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < n ? 2 : 1) last = i;
    if (n >= 2 && last == n - 2 && GetACP() == 932 && text[last] == '\x81' && text[last + 1] == '\x42') n -= 2;
    return std::string(text, n);
}

}  // namespace sys
