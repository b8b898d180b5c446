// The setup settings in the window: the loader (with the debug report) and the update.
#include "app/Unit1.h"
#include "settings/SetupIo.h"
#include "sys/Messages.h"

namespace app {

std::function<std::unique_ptr<sys::FileLock>(bool writes)>& SetupHold() {
    static std::function<std::unique_ptr<sys::FileLock>(bool writes)> hold;
    return hold;
}

namespace {

// What SetupHold() gives for one load or write; false (told to the user) when another program
// kept the lock for the whole wait.
bool HoldSetup(Dialogs& dialogs, bool writes, std::unique_ptr<sys::FileLock>& held) {
    if (!SetupHold()) return true;
    held = SetupHold()(writes);
    if (held) return true;
    dialogs.Inform(sys::Japanese(sys::Message::DeviceBusy, {"CMOS", std::to_string(sys::kLockWaitMs / 1000)}));
    return false;
}

}  // namespace

// Loads the settings into their controls and writes the debug report into Memo3: the setup
// bytes are read one by one in the fixed order, each control shows its choice as soon as its
// bytes are in.
void TfrmMAIN::Button2Click(ui::TControl*) {
    std::unique_ptr<sys::FileLock> held;
    if (!HoldSetup(dialogs(), false, held)) return;
    Refill(Memo3, [this](const reports::LineSink& addDebugLine) {
        settings::LoadSetup(
            Bus(), [this](const settings::Setting& s, int index) { settingControls_[s].Show(index); },
            addDebugLine, Language());
    });
}

// After confirmation, and only when the firmware answers (another PC's firmware may keep
// its own data in these bytes), writes every setup byte composed from the controls in the
// fixed order, then tells the firmware that the setup changed. The controls keep their
// choices.
void TfrmMAIN::btnUPDATEClick(ui::TControl*) {
    if (!dialogs().Confirm(sys::Text(Language(), sys::Message::UpdateConfirmation))) return;
    if (!OnTheNotebook()) return;
    // Held from here, after the dialog, to the last byte: what the controls show is written
    // whole, never mixed with another writer's bytes.
    std::unique_ptr<sys::FileLock> held;
    if (!HoldSetup(dialogs(), true, held)) return;
    settings::WriteSetup(Bus(), settingControls_.Choices());
}

}  // namespace app
