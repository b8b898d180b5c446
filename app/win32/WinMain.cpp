// WinMain, the window program's entry point after the runtime entry (sys/win32/CrtStart*.cpp):
// the entry sequence of app/EntrySequence.h on the Win32 system, one system call per
// operation.
#include <windows.h>

#include <string>
#include <vector>

#include "app/EntrySequence.h"
#include "app/LanguageChoice.h"
#include "app/win32/MainWindow.h"
#include "app/win32/ProcessMachine.h"
#include "app/win32/Profile.h"
#include "app/win32/Win32Dialogs.h"
#include "hw/PortIO.h"
#include "hw/X86Machine.h"
#include "sys/Messages.h"
#include "sys/ShiftJis.h"
#include "sys/win32/Win32System.h"
#include "ui/win32/Texts.h"

namespace {

HWND ToHwnd(app::WindowHandle w) { return reinterpret_cast<HWND>(w); }
app::WindowHandle FromHwnd(HWND w) { return reinterpret_cast<app::WindowHandle>(w); }

class Win32EntryPlatform : public app::EntryPlatform {
public:
    Win32EntryPlatform(HINSTANCE instance, int showCommand) : instance_(instance), showCommand_(showCommand) {}

    std::string ProgramPath() override { return sys::Win32Environment().ExecutablePath(); }

    void SetApplicationTitle(const std::string& title) override { app::win32::ApplicationTitle() = title; }

    void PreparePorts(const std::string& folder) override {
        hw::CreatePort(app::CreateProcessMachine(folder), hw::ProbeGiveio);
        app::win32::profile::Mark("ports and their machine");
    }

    // The most significant half of comctl32.dll's fixed file version; 0 when the file or its
    // version information cannot be read.
    std::int32_t ComctlVersion() override {
        char name[] = "comctl32.dll";
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeA(name, &handle);
        if (size == 0) return 0;
        std::vector<char> info(size);
        if (!GetFileVersionInfoA(name, 0, size, info.data())) return 0;
        void* block = nullptr;
        UINT length = 0;
        char root[] = "\\";
        if (!VerQueryValueA(info.data(), root, &block, &length) || !block || length < sizeof(VS_FIXEDFILEINFO))
            return 0;
        app::win32::profile::Mark("comctl32 version");
        return app::PackComctlVersion(static_cast<const VS_FIXEDFILEINFO*>(block)->dwFileVersionMS);
    }

    void Inform(const std::string& text) override { app::win32::Win32Dialogs().Inform(text); }

    app::Handle OpenNamedMutex(const char* name) override {
        return reinterpret_cast<app::Handle>(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name));
    }

    app::Handle CreateNamedMutex(const char* name, bool& existed) override {
        SetLastError(ERROR_SUCCESS);
        HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
        existed = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
        return reinterpret_cast<app::Handle>(mutex);
    }

    void CloseMutex(app::Handle mutex) override {
        if (mutex) ::CloseHandle(reinterpret_cast<HANDLE>(mutex));
    }

    app::WindowHandle FindMainWindow(const char* className) override {
        return FromHwnd(FindWindowA(className, nullptr));
    }
    void SetForeground(app::WindowHandle w) override { SetForegroundWindow(ToHwnd(w)); }
    app::WindowHandle OwnerOf(app::WindowHandle w) override {
        return FromHwnd(reinterpret_cast<HWND>(GetWindowLongPtrA(ToHwnd(w), GWLP_HWNDPARENT)));
    }
    bool IsMinimised(app::WindowHandle w) override { return ::IsIconic(ToHwnd(w)) != FALSE; }
    void SendRestore(app::WindowHandle w) override {
        SendMessageA(ToHwnd(w), WM_SYSCOMMAND, SC_RESTORE, static_cast<LPARAM>(-1));
    }

    void RunMainWindow() override {
        app::win32::profile::Mark("single-instance test");
        app::win32::RunMainWindow(instance_, hw::Port(), showCommand_);
    }

private:
    HINSTANCE instance_;
    int showCommand_;
};

// What the system tells of its languages, asked before anything is shown. The platform
// family is asked here on its own: the window asks it again when it is created.
app::LanguageFacts AskLanguageFacts(const char* commandLine) {
    app::LanguageFacts facts;
    facts.ansiCodePage = GetACP();
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    facts.ntFamily = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    // The UI language where the system has one (2000 and later), else the user's language.
    using UiLanguageFn = LANGID(WINAPI*)();
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto uiLanguage = reinterpret_cast<UiLanguageFn>(
        reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, "GetUserDefaultUILanguage") : nullptr));
    facts.uiLanguage = uiLanguage ? uiLanguage() : GetUserDefaultLangID();
    facts.codePage932Installed = IsValidCodePage(932) != FALSE;
    facts.choice = app::ParseLanguageSwitch(commandLine ? commandLine : "");
    return facts;
}

// The texts' language and way to the system, set once for the whole process. Where the
// Unicode functions are missing after all, English.
sys::Language ChooseTexts(const char* commandLine) {
    const app::TextChoice choice = app::ChooseTexts(AskLanguageFacts(commandLine));
    if (!ui::win32::SetTextMode({choice.language, choice.unicode}))
        ui::win32::SetTextMode({sys::Language::English, false});
    // Paths and the system's reasons in the messages are in the system's code page.
    sys::MarkSystemTexts(ui::win32::CurrentTextMode().unicode);
    app::win32::profile::Mark("language");
    return ui::win32::CurrentTextMode().language;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    app::win32::profile::Start();
    const sys::Language language = ChooseTexts(commandLine);
    Win32EntryPlatform system(instance, showCommand);
    return app::RunEntrySequence(system, language, sys::SystemLeadBytes());
}
