// What the command line needs from the system it runs on: its streams, its environment and
// files, the regional separators, the real notebook's machine and the encoding of its texts.
// cli/posix and cli/win32 implement it; the tests use one of their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "cli/OutputLanguage.h"
#include "hw/Bus.h"
#include "sys/System.h"

namespace cli {

// An output stream of text: standard output or error, or a string in the tests. Written
// here rather than taken from <iostream>, which would more than double the Windows program.
class Output {
public:
    virtual ~Output() = default;
    virtual void Write(std::string_view text) = 0;
    virtual void Flush() {}

    Output& operator<<(std::string_view text) {
        Write(text);
        return *this;
    }
    Output& operator<<(const char* text) { return *this << std::string_view(text); }
    Output& operator<<(const std::string& text) { return *this << std::string_view(text); }
    Output& operator<<(char c) { return *this << std::string_view(&c, 1); }
    template <class Number, class = std::enable_if_t<std::is_integral_v<Number>>>
    Output& operator<<(Number n) { return *this << std::to_string(n); }
};

// A line of input; false at the end. A line longer than kMaxInputLine bytes comes in pieces
// of that size, so that input without a line break never fills memory.
constexpr std::size_t kMaxInputLine = std::size_t{1} << 20;
class Input {
public:
    virtual ~Input() = default;
    virtual bool ReadLine(std::string& line) = 0;
};

class Host {
public:
    virtual ~Host() = default;

    virtual const char* ProgramName() = 0;
    virtual Output& Out() = 0;
    virtual Output& Err() = 0;
    virtual Input& In() = 0;
    virtual bool InIsTerminal() = 0;
    virtual std::optional<std::string> Environment(const char* name) = 0;
    virtual sys::FileSystem& Files() = 0;
    virtual sys::NumberFormat Separators() = 0;
    // The language that `show` and `report` print when --lang does not choose, and whether
    // the output can show the Japanese texts.
    virtual OutputLanguage Language() = 0;

    // Opens the real notebook, as this system lets the program reach its hardware, and says
    // on standard error what the user must know before the first access. Throws
    // hw::HardwareFault with a message that names the remedy when it cannot be reached at all.
    virtual std::unique_ptr<hw::Notebook> OpenNotebook() = 0;

    // The program's texts (item texts, page captions, report labels) in UTF-8, for JSON:
    // they are code page 932 on Windows and UTF-8 already elsewhere.
    virtual std::string ToUtf8(const std::string& text) = 0;

    // Where `hiberfile` creates the file when no path is given; nullptr: a path is required.
    virtual const char* DefaultHibernationPath() = 0;
};

}  // namespace cli
