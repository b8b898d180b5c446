// The information page's reports: the information report, the register dump and the CMOS
// backup.
#include "app/Unit1.h"

#include "reports/CmosBackup.h"
#include "reports/Reports.h"

namespace app {

namespace {

// Replaces the memo's lines with those that `write` gives, in one batch update of the
// double-buffered memo, repainted once at the end. A fault in the middle ends the batch
// update all the same and leaves the lines given so far.
template <class Write> void Refill(ui::TMemo& memo, Write write) {
    memo.DoubleBuffered = true;
    {
        ui::TMemo::BatchUpdate batch(memo);
        memo.Clear();
        write([&memo](const std::string& line) { memo.Add(line); });
    }
    memo.Invalidate();
}


}  // namespace

// The reports reach the hardware through the window's own CMOS read and firmware call.
reports::Hardware TfrmMAIN::ReportHardware() {
    return {[this](std::uint8_t i) { return ReadCmos(i); },
            [this](std::uint16_t f, std::uint16_t p1, std::uint16_t p2) { return CallFirmware(f, p1, p2); }};
}

void TfrmMAIN::btnGetSTATClick(ui::TControl*) {
    const reports::Hardware hw = ReportHardware();
    const sys::NumberFormat separators = services_.env.Separators();
    Refill(Memo2, [&](const reports::LineSink& add) {
        reports::WriteInformationReport(hw, separators, add);
    });
}

void TfrmMAIN::btnCMOSDUMPClick(ui::TControl*) {
    const reports::Hardware hw = ReportHardware();
    Refill(Memo2, [&](const reports::LineSink& add) { reports::WriteRegisterDump(hw, add); });
}

void TfrmMAIN::btnCMOSBACKUPClick(ui::TControl*) {
    const std::string path = reports::BackupPath(services_.env.ExecutablePath());
    if (!services_.dialogs.Confirm(reports::BackupConfirmation(path))) return;
    ui::TButton::DisabledWhileRunning running(btnCMOSBACKUP);
    reports::WriteCmosBackup(
        path, services_.files, [this](std::uint8_t i) { return ReadCmos(i); },
        [this](const std::string& message) { services_.dialogs.Inform(message); });
}

}  // namespace app
