// A host for the command line in the tests: its streams are strings, its environment a map,
// its files the real ones (or any sys::FileSystem put in its place) and its real notebook
// whatever the test opens.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/Host.h"
#include "hw/Bus.h"
#include "sys/posix/PosixSystem.h"

// Output kept in a string.
struct TextOutput : cli::Output {
    std::string text;
    void Write(std::string_view t) override { text += t; }
    std::string str() const { return text; }
    void str(const std::string& t) { text = t; }
};

// Input from a string.
struct TextInput : cli::Input {
    std::istringstream lines;
    bool ReadLine(std::string& line) override { return static_cast<bool>(std::getline(lines, line)); }
    void str(const std::string& t) {
        lines.clear();
        lines.str(t);
    }
};

class TestHost : public cli::Host {
public:
    TextOutput out, err;
    TextInput in;
    bool terminal = false;
    std::map<std::string, std::string> env;
    sys::PosixFileSystem realFiles;
    sys::FileSystem* files = &realFiles;
    std::function<std::unique_ptr<hw::Notebook>()> openNotebook;
    const char* hibernationPath = nullptr;  // hiberfile's default path
    cli::OutputLanguage language{sys::Language::Japanese, true, ""};

    const char* ProgramName() override { return "tovika"; }
    cli::Output& Out() override { return out; }
    cli::Output& Err() override { return err; }
    cli::Input& In() override { return in; }
    bool InIsTerminal() override { return terminal; }
    std::optional<std::string> Environment(const char* name) override {
        const auto it = env.find(name);
        return it == env.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    sys::FileSystem& Files() override { return *files; }
    sys::NumberFormat Separators() override { return {}; }
    cli::OutputLanguage Language() override { return language; }
    std::unique_ptr<hw::Notebook> OpenNotebook() override { return openNotebook(); }
    std::string ToUtf8(const std::string& text) override { return text; }
    const char* DefaultHibernationPath() override { return hibernationPath; }
};
