// tovika: the command line on Linux. The real notebook is reached through the kernel's
// /dev/nvram and port 0xB0 (hw/linux); texts are UTF-8.
#include <unistd.h>

#include <clocale>
#include <cstdlib>

#include "cli/Cli.h"
#include "cli/Stdio.h"
#include "hw/linux/LinuxNotebook.h"
#include "sys/posix/PosixSystem.h"

namespace {

class PosixHost : public cli::StdioHost {
public:
    const char* ProgramName() override { return "tovika"; }
    bool InIsTerminal() override { return ::isatty(STDIN_FILENO) == 1; }
    sys::FileSystem& Files() override { return files_; }

    // The user's locale, with "," and "." where it gives none.
    sys::NumberFormat Separators() override {
        sys::NumberFormat format;
        if (std::setlocale(LC_NUMERIC, "")) {
            const std::lconv* conv = std::localeconv();
            if (conv->thousands_sep && *conv->thousands_sep) format.thousands = conv->thousands_sep;
            if (conv->decimal_point && *conv->decimal_point) format.decimal = conv->decimal_point;
            std::setlocale(LC_NUMERIC, "C");
        }
        return format;
    }

    cli::OutputLanguage Language() override {
        return cli::LocaleLanguage(Environment("LC_ALL"), Environment("LC_MESSAGES"), Environment("LANG"));
    }

    std::unique_ptr<hw::Notebook> OpenNotebook() override { return hw::OpenLinuxNotebook(); }
    std::string ToUtf8(const std::string& text) override { return text; }
    const char* DefaultHibernationPath() override { return nullptr; }

private:
    sys::PosixFileSystem files_;
};

}  // namespace

int main(int argc, char** argv) {
    PosixHost host;
    return host.Main(argc, argv);
}
