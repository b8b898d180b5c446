// The C library's standard streams as the command line's Output and Input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/Host.h"

namespace cli {

class StdioOutput : public Output {
public:
    explicit StdioOutput(std::FILE* file) : file_(file) {}
    void Write(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), file_); }
    void Flush() override { std::fflush(file_); }

private:
    std::FILE* file_;
};

class StdioInput : public Input {
public:
    explicit StdioInput(std::FILE* file) : file_(file) {}
    bool ReadLine(std::string& line) override {
        line.clear();
        char buffer[512];
        // The buffer is filled with line breaks first: fgets ends its bytes with a NUL, and the
        // last NUL in the buffer is that one, so NUL bytes in the input are taken as bytes
        // (and count towards the limit) instead of ending the piece.
        for (;;) {
            if (line.size() >= kMaxInputLine) return true;
            std::memset(buffer, '\n', sizeof buffer);
            if (!std::fgets(buffer, sizeof buffer, file_)) break;
            std::size_t n = sizeof buffer - 1;
            while (n > 0 && buffer[n] != '\0') --n;
            line.append(buffer, n);
            if (!line.empty() && line.back() == '\n') {
                line.pop_back();
                if (!line.empty() && line.back() == '\r') line.pop_back();
                return true;
            }
        }
        return !line.empty();
    }

private:
    std::FILE* file_;
};

// What every system's host takes from the C library: the standard streams and the
// environment.
class StdioHost : public Host {
public:
    Output& Out() override { return out_; }
    Output& Err() override { return err_; }
    Input& In() override { return in_; }
    std::optional<std::string> Environment(const char* name) override {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }

    // The program's main: runs the arguments after its name, flushes, gives the status.
    int Main(int argc, char** argv);

private:
    StdioOutput out_{stdout};
    StdioOutput err_{stderr};
    StdioInput in_{stdin};
};

}  // namespace cli
