// TOVIKAC.exe: the command line on Windows. The real notebook is reached as TOVIKA.exe
// reaches it (the processor's port instructions, the giveio grant on the NT family, a
// refused instruction turned into an error); texts are code page 932 as the window's.
#include <windows.h>

#include <io.h>

#include <cstdio>
#include <cstdlib>

#include "actions/FirmwareActions.h"
#include "cli/Cli.h"
#include "cli/CliMessages.h"
#include "cli/Stdio.h"
#include "hw/Bus.h"
#include "hw/HardwareFault.h"
#include "hw/X86Machine.h"
#include "sys/Messages.h"
#include "sys/win32/Win32System.h"

namespace {

// UTF-16 to UTF-8, written here: the 95/98/Me family does not convert to UTF-8 itself.
std::string Utf8(const std::wstring& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned long c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

class Win32Host : public cli::StdioHost {
public:
    const char* ProgramName() override { return "TOVIKAC"; }
    bool InIsTerminal() override { return _isatty(_fileno(stdin)) != 0; }
    sys::FileSystem& Files() override { return files_; }
    sys::NumberFormat Separators() override { return environment_.Separators(); }

    // The code page that the output is read in: the console's when standard output is one,
    // the ANSI code page when it is redirected (a file or a pipe is read as ANSI text).
    cli::OutputLanguage Language() override {
        DWORD mode = 0;
        const bool console = GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
        return cli::CodePageLanguage(console ? GetConsoleOutputCP() : GetACP());
    }

    // The port instructions as TOVIKA.exe executes them: plainly on the NT family (the giveio
    // grant allows them), with interrupts masked on the 95/98/Me family.
    std::unique_ptr<hw::Notebook> OpenNotebook() override {
        // Another TOVIKA program on the ports: waited for, up to 10 s, and held to the end.
        ports_ = sys::LockNamed(sys::kPortsMutex, sys::kLockWaitMs);
        if (!ports_)
            throw hw::HardwareFault(sys::Message::DeviceBusy,
                                    {cli::Text(cli::CliMessage::CmosPorts), std::to_string(sys::kLockWaitMs / 1000)});
        hw::InstallPortFaultHandler();
        const bool granted = hw::ProbeGiveio();
        const hw::PortMode mode = hw::PortModeOf(environment_.GetOsVersion().IsNtFamily());
        auto notebook = std::make_unique<hw::PortNotebook>(std::make_unique<hw::X86Machine>(), mode, granted);
        // Every port instruction will be refused: said once, before the first.
        if (notebook->bus().GrantMissing())
            Err() << ProgramName() << ": " << sys::English(sys::Message::PortGrantMissing) << "\n";
        return notebook;
    }

    std::string ToUtf8(const std::string& text) override {
        if (text.empty()) return text;
        const int n = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(n), L'\0');
        MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
        return Utf8(wide);
    }

    const char* DefaultHibernationPath() override { return actions::kHibernationPath; }

private:
    sys::Win32FileSystem files_;
    sys::Win32Environment environment_;
    std::unique_ptr<sys::FileLock> ports_;
};

}  // namespace

int main(int argc, char** argv) {
    Win32Host host;
    return host.Main(argc, argv);
}
