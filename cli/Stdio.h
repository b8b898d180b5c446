// The C library's standard streams as the command line's Output and Input.
#pragma once

#include <cstdio>

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
        while (std::fgets(buffer, sizeof buffer, file_)) {
            line += buffer;
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

}  // namespace cli
