#include "sys/win32/Win32System.h"

#include <windows.h>

#include <vector>

namespace sys {

namespace {

// The system's text for an error code, without its final line break.
std::string Describe(DWORD error) {
    char text[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                             text, sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ')) text[--n] = '\0';
    std::string message = n ? std::string(text, n) : std::string("error");
    return message + " (" + std::to_string(error) + ")";
}

class Win32File : public File {
public:
    Win32File(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}
    ~Win32File() override { CloseHandle(handle_); }

    // SetFilePointer takes the offset as a low and a high 32-bit half. A result of
    // INVALID_SET_FILE_POINTER is also a valid low half: only the error code tells.
    void SeekFromStart(std::int64_t offset) override {
        if (offset < 0) throw FileError(path_ + ": cannot seek to " + std::to_string(offset));
        LONG high = static_cast<LONG>(static_cast<std::uint64_t>(offset) >> 32);
        SetLastError(NO_ERROR);
        const DWORD low = SetFilePointer(handle_, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
        if (low == INVALID_SET_FILE_POINTER) {
            const DWORD error = GetLastError();
            if (error != NO_ERROR)
                throw FileError(path_ + ": cannot seek to " + std::to_string(offset) + ": " + Describe(error));
        }
    }

    void Write(const void* data, std::uint32_t size) override {
        DWORD written = 0;
        if (!WriteFile(handle_, data, size, &written, nullptr)) throw FileError(path_ + ": " + Describe(GetLastError()));
        if (written != size)
            throw FileError(path_ + ": short write of " + std::to_string(written) + " of " + std::to_string(size) +
                            " bytes");
    }

private:
    HANDLE handle_;
    std::string path_;
};

}  // namespace

std::unique_ptr<File> Win32FileSystem::CreateAlways(const std::string& path) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw FileError(path + ": " + Describe(GetLastError()));
    return std::make_unique<Win32File>(handle, path);
}

std::string Win32FileSystem::ReadWhole(const std::string& path) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw FileError(path + ": " + Describe(GetLastError()));
    std::string content;
    char buffer[4096];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(handle, buffer, sizeof buffer, &n, nullptr)) {
            const DWORD error = GetLastError();
            CloseHandle(handle);
            throw FileError(path + ": " + Describe(error));
        }
        if (n == 0) break;
        content.append(buffer, n);
    }
    CloseHandle(handle);
    return content;
}

void Win32FileSystem::Replace(const std::string& from, const std::string& to) {
    using MoveFileExFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    const auto moveFileEx = reinterpret_cast<MoveFileExFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "MoveFileExA")));
    if (moveFileEx && moveFileEx(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    const DWORD error = moveFileEx ? GetLastError() : ERROR_CALL_NOT_IMPLEMENTED;
    if (error != ERROR_CALL_NOT_IMPLEMENTED) throw FileError(to + ": " + Describe(error));
    // The 95/98/Me family: no replacing rename. The new file is complete before the old one goes.
    if (!DeleteFileA(to.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        throw FileError(to + ": " + Describe(GetLastError()));
    if (!MoveFileA(from.c_str(), to.c_str())) throw FileError(to + ": " + Describe(GetLastError()));
}

void Win32FileSystem::Remove(const std::string& path) noexcept { DeleteFileA(path.c_str()); }

std::string Win32Environment::ExecutablePath() {
    // A full buffer means the path may have been cut: try again with a larger one.
    std::vector<char> path(MAX_PATH + 1);
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return std::string();
        if (n < path.size() - 1 || path.size() >= 32768) return std::string(path.data(), n);
        path.resize(path.size() * 2);
    }
}

NumberFormat Win32Environment::Separators() {
    if (!separators_) {
        NumberFormat format;
        char text[16] = {};
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, text, sizeof text) > 0) format.thousands = text;
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) > 0) format.decimal = text;
        separators_ = format;
    }
    return *separators_;
}

OsVersion Win32Environment::GetOsVersion() {
    static_assert(sizeof(OSVERSIONINFOA) == 148, "the ANSI version record of Windows 95 and NT 4.0");
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = 148;
    OsVersion version;
    version.ok = GetVersionExA(&info) != FALSE;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    version.platformId = info.dwPlatformId;
    return version;
}

ProgramVersion Win32Environment::GetProgramVersion() {
    ProgramVersion version;
    const std::string path = ExecutablePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return version;
    version.hasVersionInfo = true;
    std::vector<char> info(size, 0);  // zero-filled
    GetFileVersionInfoA(path.c_str(), 0, size, info.data());
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(info.data(), "\\StringFileInfo\\041103A4\\FileVersion", &value, &length) && value) {
        // The length counts characters, the final NUL included on some systems; the copy
        // stops at the NUL or at the length, whichever comes first.
        const char* text = static_cast<const char*>(value);
        UINT n = 0;
        while (n < length && text[n] != '\0') ++n;
        version.found = true;
        version.value.assign(text, n);
    }
    return version;
}

}  // namespace sys
