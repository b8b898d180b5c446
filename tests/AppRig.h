// The window's code against the simulated notebook, through the recording machine, with
// scripted dialogs and real files: how the tests run every handler.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "hw/SimNotebook.h"
#include "sys/posix/PosixSystem.h"
#include "tests/support/FixedEnvironment.h"
#include "tests/support/RecordingMachine.h"

// Answers confirmations from a script (OK when the script is empty) and keeps every text.
class ScriptedDialogs : public app::Dialogs {
public:
    std::deque<bool> answers;
    std::vector<std::string> confirmations;
    std::vector<std::string> messages;
    std::function<void(const std::string&)> onInform;  // runs while the message is "open"

    bool Confirm(const std::string& text) override {
        confirmations.push_back(text);
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void Inform(const std::string& text) override {
        messages.push_back(text);
        if (onInform) onInform(text);
    }
};

struct AppRig {
    hw::SimNotebook sim;
    hw::RecordingMachine rec{sim};
    hw::TPortArray port{rec, [] { return true; }};
    ScriptedDialogs dialogs;
    sys::PosixFileSystem files;
    sys::FixedEnvironment env;
    app::TfrmMAIN form;

    // FormCreate as the window does it at creation; the recording starts empty.
    explicit AppRig(sys::Language language = sys::Language::Japanese)
        : form{app::Services{port, dialogs, files, env, language}} {
        form.FormCreate(nullptr);
    }
};
