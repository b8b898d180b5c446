// A small JSON writer for the command line's --json output: objects and arrays written as
// they come, strings escaped, numbers given as their text.
#pragma once

#include <string>
#include <string_view>

#include "cli/Host.h"
#include "sys/Hex.h"

namespace cli {

class JsonWriter {
public:
    explicit JsonWriter(Output& out) : out_(out) {}

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    // The name of the next member of an object.
    void Key(std::string_view name) {
        Separate();
        String(name);
        out_ << ':';
        afterKey_ = true;
    }
    void Value(std::string_view text) { Separate(); String(text); }
    void Number(std::string_view text) { Separate(); out_ << text; }
    void Number(long long n) { Separate(); out_ << std::to_string(n); }
    void Null() { Separate(); out_ << "null"; }

private:
    void Open(char c) {
        Separate();
        out_ << c;
        first_ = true;
    }
    void Close(char c) {
        out_ << c;
        first_ = false;
    }
    void Separate() {
        if (afterKey_) afterKey_ = false;
        else if (!first_) out_ << ',';
        first_ = false;
    }
    // `text` is UTF-8: every byte from 20h on passes as it is.
    void String(std::string_view text) {
        out_ << '"';
        for (const char c : text) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') out_ << '\\' << c;
            else if (u < 0x20) out_ << "\\u" << sys::Hex(u, 4);
            else out_ << c;
        }
        out_ << '"';
    }

    Output& out_;
    bool first_ = true;
    bool afterKey_ = false;
};

}  // namespace cli
