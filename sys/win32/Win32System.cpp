#include "sys/win32/Win32System.h"

#include <windows.h>
#include <wincrypt.h>

#include <cstdint>

#include <vector>

#include "sys/ShiftJis.h"
#include "sys/SystemError.h"

namespace sys {

namespace {

// The failure of a call on `path` with the system's error code `error`.
FileError Failed(const std::string& path, DWORD error) {
    return FileError(path, SystemReason(static_cast<int>(error)), static_cast<int>(error));
}

class Win32File : public File {
public:
    Win32File(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}
    ~Win32File() override { CloseHandle(handle_); }

    // SetFilePointer takes the offset as a low and a high 32-bit half. A result of
    // INVALID_SET_FILE_POINTER is also a valid low half: only the error code tells.
    void SeekFromStart(std::int64_t offset) override {
        // A negative offset is a mistake of the caller, not a failure of the file.
        if (offset < 0) throw FileError(path_ + ": cannot seek to " + std::to_string(offset));
        LONG high = static_cast<LONG>(static_cast<std::uint64_t>(offset) >> 32);
        SetLastError(NO_ERROR);
        const DWORD low = SetFilePointer(handle_, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
        if (low == INVALID_SET_FILE_POINTER) {
            const DWORD error = GetLastError();
            if (error != NO_ERROR) {
                const MessageArg reason = SystemReason(static_cast<int>(error));
                throw FileError(Message::SeekFailed, {path_, std::to_string(offset), reason}, reason,
                                static_cast<int>(error));
            }
        }
    }

    void Write(const void* data, std::uint32_t size) override {
        DWORD written = 0;
        if (!WriteFile(handle_, data, size, &written, nullptr)) throw Failed(path_, GetLastError());
        if (written != size)
            throw FileError(Message::ShortWrite, {path_, std::to_string(written), std::to_string(size)});
    }

private:
    HANDLE handle_;
    std::string path_;
};

// The version record, as the environment and the file system ask for it.
OsVersion ReadOsVersion() {
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

// Random bytes from the system: RtlGenRandom (XP and later) or else the CryptoAPI (NT 4.0,
// 2000, and 95/98 where it is installed). Both are looked up at run time, as Windows 95 may
// have neither. False when there is no source.
bool SystemRandom(unsigned char* out, DWORD size) {
    HMODULE advapi = LoadLibraryA("advapi32.dll");
    if (!advapi) return false;
    using GenRandomFn = BOOLEAN(WINAPI*)(PVOID, ULONG);
    using AcquireFn = BOOL(WINAPI*)(HCRYPTPROV*, LPCSTR, LPCSTR, DWORD, DWORD);
    using GenFn = BOOL(WINAPI*)(HCRYPTPROV, DWORD, BYTE*);
    using ReleaseFn = BOOL(WINAPI*)(HCRYPTPROV, DWORD);
    const auto find = [advapi](const char* name) {
        return reinterpret_cast<void*>(GetProcAddress(advapi, name));
    };
    bool ok = false;
    if (const auto genRandom = reinterpret_cast<GenRandomFn>(find("SystemFunction036")))
        ok = genRandom(out, size) != FALSE;
    const auto acquire = reinterpret_cast<AcquireFn>(find("CryptAcquireContextA"));
    const auto gen = reinterpret_cast<GenFn>(find("CryptGenRandom"));
    const auto release = reinterpret_cast<ReleaseFn>(find("CryptReleaseContext"));
    HCRYPTPROV provider = 0;
    if (!ok && acquire && gen && release &&
        acquire(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) {
        ok = gen(provider, size, out) != FALSE;
        release(provider, 0);
    }
    FreeLibrary(advapi);
    return ok;
}

bool IsSlash(char c) { return c == '\\' || c == '/'; }

// A name that Windows gives to a device in every folder (CON, NUL, COM1, ...), with or
// without an extension, or a path in the device namespace (\\.\...): the row that says what
// it is, or nothing for a name of a file.
bool DeviceName(const std::string& path, Message& kind) {
    if (path.size() >= 4 && IsSlash(path[0]) && IsSlash(path[1]) && path[2] == '.' && IsSlash(path[3])) {
        std::string rest = path.substr(4, 5);
        for (char& c : rest) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        kind = rest == "PIPE\\" || rest == "PIPE/" ? Message::KindFifo : Message::KindCharDevice;
        return true;
    }
    const Delimiter last = LastDelimiter(path, "\\/:", SystemLeadBytes());
    std::string name = path.substr(last.at == std::string::npos ? 0 : last.at + 1);
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    for (char& c : name) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* device : kDevices)
        if (name == device) return kind = Message::KindCharDevice, true;
    if (name.size() == 4 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "LPT") == 0) && name[3] >= '1' &&
        name[3] <= '9')
        return kind = Message::KindCharDevice, true;
    return false;
}

// A named mutex held, released and closed when it goes.
class MutexLock : public FileLock {
public:
    explicit MutexLock(HANDLE mutex = nullptr) : mutex_(mutex) {}
    ~MutexLock() override {
        if (!mutex_) return;
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }

private:
    HANDLE mutex_;
};

}  // namespace

std::unique_ptr<File> Win32FileSystem::CreateAlways(const std::string& path) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw Failed(path, GetLastError());
    return std::make_unique<Win32File>(handle, path);
}

std::unique_ptr<File> Win32FileSystem::CreateNew(const std::string& path, Sharing /*sharing*/) {
    // FILE_FLAG_OPEN_REPARSE_POINT makes a reparse point at the name (a symbolic link, a
    // junction) count as a name that is taken instead of leading elsewhere. Only Windows
    // 2000 and later have reparse points; the older systems are not given the flag.
    const OsVersion version = ReadOsVersion();
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    if (version.IsNtFamily() && version.major >= 5) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return nullptr;
        throw Failed(path, error);
    }
    return std::make_unique<Win32File>(handle, path);
}

std::string Win32FileSystem::UnpredictableName() {
    unsigned char bytes[kRandomNameBytes];
    if (!SystemRandom(bytes, sizeof bytes)) {
        // No random source (Windows 95 without the CryptoAPI, where every user may write
        // everywhere anyway): the clock, the thread and a count, mixed (splitmix64).
        static std::uint64_t count = 0;
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        std::uint64_t state = (std::uint64_t{now.dwHighDateTime} << 32 | now.dwLowDateTime) ^
                              (std::uint64_t{GetCurrentThreadId()} << 40) ^ ++count * 0x9E3779B97F4A7C15u;
        for (std::size_t i = 0; i < sizeof bytes; i += 8) {
            std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
            z ^= z >> 31;
            for (std::size_t j = 0; j < 8 && i + j < sizeof bytes; ++j)
                bytes[i + j] = static_cast<unsigned char>(z >> (8 * j));
        }
    }
    return NameOfRandomBytes(bytes);
}

FileStart Win32FileSystem::ReadRegular(const std::string& path, std::size_t limit, bool pipes) {
    Message kind = Message::KindOther;
    if (DeviceName(path, kind) && !(pipes && kind == Message::KindFifo)) throw NotAFile(path, kind);
    const DWORD there = GetFileAttributesA(path.c_str());
    if (there != INVALID_FILE_ATTRIBUTES && (there & FILE_ATTRIBUTE_DIRECTORY)) throw NotAFile(path, Message::KindFolder);
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            throw NoSuchFile(path, SystemReason(static_cast<int>(error)), static_cast<int>(error));
        throw Failed(path, error);
    }
    struct Closer {
        HANDLE handle;
        ~Closer() { CloseHandle(handle); }
    } closer{handle};
    // A disk file only (or, where asked for, a pipe): a device or a pipe opened under another
    // name is refused before a byte of it is read.
    const DWORD what = GetFileType(handle);
    if (what == FILE_TYPE_CHAR) throw NotAFile(path, Message::KindCharDevice);
    if (what == FILE_TYPE_PIPE && !pipes) throw NotAFile(path, Message::KindFifo);
    if (what != FILE_TYPE_DISK && what != FILE_TYPE_PIPE) throw NotAFile(path, Message::KindOther);
    FileStart start;
    char buffer[4096];
    while (start.bytes.size() <= limit) {
        const std::size_t want = limit + 1 - start.bytes.size();
        DWORD n = 0;
        if (!ReadFile(handle, buffer, static_cast<DWORD>(want < sizeof buffer ? want : sizeof buffer), &n, nullptr)) {
            const DWORD error = GetLastError();
            if (error == ERROR_BROKEN_PIPE) break;  // a pipe whose writer is gone: its end
            throw Failed(path, error);
        }
        if (n == 0) break;
        start.bytes.append(buffer, n);
    }
    start.size = start.bytes.size();
    DWORD high = 0;
    const DWORD low = GetFileSize(handle, &high);
    const std::uint64_t whole = std::uint64_t{high} << 32 | low;
    if (low != INVALID_FILE_SIZE && whole > start.size) start.size = whole;
    return start;
}

std::unique_ptr<FileLock> Win32FileSystem::Lock(const std::string& path, bool /*exclusive*/, std::uint32_t waitMs) {
    // One name for one file however it is written: the full path, its slashes turned one
    // way, without a final one, in capitals (ASCII only: a trail byte that changes merely
    // joins two names), hashed (FNV-1a) so that any length makes a valid name.
    std::string full(MAX_PATH + 1, '\0');
    DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    if (n >= full.size()) {
        full.assign(n + 1, '\0');
        n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    }
    full = n > 0 && n < full.size() ? full.substr(0, n) : path;
    for (char& c : full) c = c == '/' ? '\\' : static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    while (full.size() > 3 && full.back() == '\\') full.pop_back();
    std::uint64_t hash = 0xCBF29CE484222325u;
    for (unsigned char c : full) hash = (hash ^ c) * 0x100000001B3u;
    std::string text = "TOVIKA-LOCK-";
    for (int shift = 60; shift >= 0; shift -= 4) text += "0123456789ABCDEF"[(hash >> shift) & 0xF];
    return LockNamed(text, waitMs);
}

std::unique_ptr<FileLock> LockNamed(const std::string& name, std::uint32_t waitMs) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    if (!mutex) return std::make_unique<MutexLock>();  // no mutex: nobody else has one either
    const DWORD waited = WaitForSingleObject(mutex, waitMs);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return nullptr;
    }
    return std::make_unique<MutexLock>(mutex);
}

FileSystem::Entry Win32FileSystem::EntryAt(const std::string& path) {
    const DWORD there = GetFileAttributesA(path.c_str());
    if (there == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Entry::Nothing : Entry::Other;
    }
    // FILE_ATTRIBUTE_REPARSE_POINT (400h): Windows 2000 and later; never set before.
    return there & 0x400 ? Entry::Link : Entry::Other;
}

void Win32FileSystem::Replace(const std::string& from, const std::string& to) {
    using MoveFileExFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    const auto moveFileEx = reinterpret_cast<MoveFileExFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "MoveFileExA")));
    if (moveFileEx && moveFileEx(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    const DWORD error = moveFileEx ? GetLastError() : ERROR_CALL_NOT_IMPLEMENTED;
    if (error != ERROR_CALL_NOT_IMPLEMENTED) throw Failed(to, error);
    // The 95/98/Me family: no replacing rename. The new file is complete before the old one goes.
    if (!DeleteFileA(to.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) throw Failed(to, GetLastError());
    if (!MoveFileA(from.c_str(), to.c_str())) throw Failed(to, GetLastError());
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

OsVersion Win32Environment::GetOsVersion() { return ReadOsVersion(); }

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

// Asked once of the system, byte by byte: IsDBCSLeadByte answers for the ANSI code page on
// every Windows, where the code page's own table (GetCPInfo) would be one more import.
const LeadBytes& SystemLeadBytes() {
    static const LeadBytes lead = [] {
        LeadBytes set;
        for (unsigned c = 0x80; c < 0x100; ++c)
            if (IsDBCSLeadByte(static_cast<BYTE>(c))) set.Add(c, c);
        return set;
    }();
    return lead;
}

}  // namespace sys
