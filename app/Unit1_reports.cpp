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

// Keeps a button disabled while a file operation runs, and enables it again however the
// handler ends.
class DisabledWhileRunning {
public:
    explicit DisabledWhileRunning(ui::TButton& button) : button_(button) { button_.SetEnabled(false); }
    ~DisabledWhileRunning() { button_.SetEnabled(true); }
    DisabledWhileRunning(const DisabledWhileRunning&) = delete;
    DisabledWhileRunning& operator=(const DisabledWhileRunning&) = delete;

private:
    ui::TButton& button_;
};

}  // namespace

void TfrmMAIN::btnGetSTATClick(ui::TControl*) {
    const reports::Hardware hw{[this](std::uint8_t i) { return ReadCmos(i); },
                               [this](std::uint16_t f, std::uint16_t p1, std::uint16_t p2) {
                                   return CallFirmware(f, p1, p2);
                               }};
    const sys::NumberFormat separators = services_.env.Separators();
    Refill(Memo2, [&](const reports::LineSink& add) {
        reports::WriteInformationReport(hw, separators, add);
    });
}

void TfrmMAIN::btnCMOSDUMPClick(ui::TControl*) {
    const reports::Hardware hw{[this](std::uint8_t i) { return ReadCmos(i); },
                               [this](std::uint16_t f, std::uint16_t p1, std::uint16_t p2) {
                                   return CallFirmware(f, p1, p2);
                               }};
    Refill(Memo2, [&](const reports::LineSink& add) { reports::WriteRegisterDump(hw, add); });
}

void TfrmMAIN::btnCMOSBACKUPClick(ui::TControl*) {
    const std::string path = reports::BackupPath(services_.env.ExecutablePath());
    if (!services_.dialogs.Confirm(reports::BackupConfirmation(path))) return;
    DisabledWhileRunning running(btnCMOSBACKUP);
    reports::WriteCmosBackup(
        path, services_.files, [this](std::uint8_t i) { return ReadCmos(i); },
        [this](const std::string& message) { services_.dialogs.Inform(message); });
}

}  // namespace app
