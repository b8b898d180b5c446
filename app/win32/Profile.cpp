#include "app/win32/Profile.h"

#include <windows.h>

#include <cstdint>

namespace app::win32::profile {

namespace {

HANDLE file = INVALID_HANDLE_VALUE;
std::uint64_t created = 0;  // 100-ns units, as FILETIME counts
std::uint64_t previous = 0;

std::uint64_t Ticks(const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

std::uint64_t Now() {
    FILETIME t;
    GetSystemTimeAsFileTime(&t);
    return Ticks(t);
}

// Right-aligned milliseconds with one decimal, from 100-ns units: "  123.4".
char* PutMilliseconds(char* out, std::uint64_t ticks) {
    const std::uint64_t tenths = (ticks + 500) / 1000;
    char digits[24];
    int n = 0;
    std::uint64_t whole = tenths / 10;
    do {
        digits[n++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole);
    for (int pad = n; pad < 6; ++pad) *out++ = ' ';
    while (n) *out++ = digits[--n];
    *out++ = '.';
    *out++ = static_cast<char>('0' + tenths % 10);
    return out;
}

char* Put(char* out, const char* end, const char* text) {
    while (text && *text && out < end) *out++ = *text++;
    return out;
}

}  // namespace

void Start() {
    char path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("TOVIKA_PROFILE", path, sizeof path);
    if (n == 0 || n >= sizeof path) return;
    file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    SetFilePointer(file, 0, nullptr, FILE_END);
    // The process's creation time, where the system keeps it (the NT family; bound at run
    // time, the 95 family has no such call): else the times count from here.
    using ProcessTimes = BOOL(WINAPI*)(HANDLE, FILETIME*, FILETIME*, FILETIME*, FILETIME*);
    const auto times = reinterpret_cast<ProcessTimes>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcessTimes")));
    FILETIME creation, exit, kernel, user;
    created = times && times(GetCurrentProcess(), &creation, &exit, &kernel, &user) ? Ticks(creation) : Now();
    previous = created;
    Mark("process start to WinMain");
}

bool Enabled() { return file != INVALID_HANDLE_VALUE; }

void Mark(const char* step, const char* detail) {
    if (file == INVALID_HANDLE_VALUE) return;
    const std::uint64_t now = Now();
    char line[256];
    char* const end = line + sizeof line - 2;
    char* out = PutMilliseconds(line, now - created);
    out = PutMilliseconds(out, now - previous);
    *out++ = ' ';
    out = Put(out, end, step);
    if (detail) {
        out = Put(out, end, " ");
        out = Put(out, end, detail);
    }
    *out++ = '\r';
    *out++ = '\n';
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(out - line), &written, nullptr);
    previous = Now();  // the mark's own writing is not counted in the next step
}

}  // namespace app::win32::profile
