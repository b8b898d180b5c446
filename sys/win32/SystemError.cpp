#include "sys/SystemError.h"

#include <windows.h>

namespace sys {

namespace {

// The system's message for `code` in `language` (0: whichever the system's search order finds
// first), without its final line break, blanks and full stop; empty where it has none.
std::string SystemText(DWORD code, DWORD language) {
    char text[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, language,
                             text, sizeof text, nullptr);
    if (n >= sizeof text) return std::string();
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ' || text[n - 1] == '.')) --n;
    // The final ideographic full stop of code page 932 goes as well: the messages put the
    // reason in parentheses or after a colon. Found by walking whole characters, as a trail
    // byte can look like anything.
    DWORD last = 0;
    for (DWORD i = 0; i < n; i += IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < n ? 2 : 1) last = i;
    if (n >= 2 && last == n - 2 && GetACP() == 932 && text[last] == '\x81' && text[last + 1] == '\x42') n -= 2;
    return std::string(text, n);
}

bool PlainAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

MessageArg SystemReason(int code) {
    const DWORD error = static_cast<DWORD>(code);
    std::string local = SystemText(error, MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT));
    // No text in the system's language: the search order of language 0 finds another one.
    if (local.empty()) local = SystemText(error, 0);
    // A Japanese system, or one of the 95 family, often has no English text; its own is
    // taken where it is English anyway.
    std::string english = SystemText(error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (english.empty() && PlainAscii(local)) english = local;
    const std::string number = std::to_string(error);
    if (local.empty()) local = Japanese(Message::SystemErrorCode, {number});
    if (english.empty()) english = English(Message::SystemErrorCode, {number});
    return MessageArg(std::move(local), std::move(english));
}

}  // namespace sys
