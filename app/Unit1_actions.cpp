// The firmware actions: the five hot-key buttons and the hibernation file.
#include "app/Unit1.h"

#include "actions/FirmwareActions.h"

namespace app {

// One handler for the five hot-key buttons: the clicked button's Tag is the key number.
void TfrmMAIN::btnF2Click(ui::TControl* Sender) {
    if (!Sender) return;
    actions::PressHotKey(
        [this](std::uint16_t f, std::uint16_t p1, std::uint16_t p2) { return CallFirmware(f, p1, p2); },
        Sender->Tag);
}

void TfrmMAIN::btnMAKEHIBERClick(ui::TControl*) {
    if (!services_.dialogs.Confirm(actions::HibernationConfirmation(HibernationPath))) return;
    ui::TButton::DisabledWhileRunning running(btnMAKEHIBER);
    const std::uint32_t size = CallFirmware(actions::kFnHibernationSize, 0, 0);
    actions::WriteHibernationFile(HibernationPath, size, services_.files,
                                  [this](const std::string& message) { services_.dialogs.Inform(message); });
}

}  // namespace app
