// The firmware actions: the five hot-key buttons and the hibernation file.
#include "app/Unit1.h"

#include "actions/FirmwareActions.h"

namespace app {

// One handler for the five hot-key buttons: the clicked button's Tag is the key number.
void TfrmMAIN::btnF2Click(ui::TControl* Sender) {
    if (!Sender) return;
    actions::PressHotKey(Bus(), Sender->Tag);
}

// After confirmation, and only when the firmware answers (a silent one gives back its
// function code 0602h as the size), creates the file of the size that the firmware asks for.
void TfrmMAIN::btnMAKEHIBERClick(ui::TControl*) {
    if (!services_.dialogs.Confirm(actions::HibernationConfirmation(HibernationPath, Language()))) return;
    ui::TButton::DisabledWhileRunning running(btnMAKEHIBER);
    if (!OnTheNotebook()) return;
    actions::WriteHibernationFile(HibernationPath, actions::HibernationSize(Bus()), services_.files,
                                  [this](const std::string& message) { services_.dialogs.Inform(message); },
                                  Language());
}

}  // namespace app
