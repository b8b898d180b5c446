// The information page's reports: the information report, the register dump and the CMOS
// backup.
#include "app/Unit1.h"

#include "reports/CmosBackup.h"
#include "reports/Reports.h"

namespace app {

// The memo's lines are replaced in one batch update of the double-buffered memo, repainted
// once at the end. A fault in the middle ends the batch update all the same and leaves the
// lines given so far.
void TfrmMAIN::Refill(ui::TMemo& memo,
                      const std::function<void(const reports::LineSink& add)>& write) {
    memo.DoubleBuffered = true;
    {
        ui::TMemo::BatchUpdate batch(memo);
        memo.Clear();
        write([&memo](const std::string& line) { memo.Add(line); });
    }
    memo.Invalidate();
}

void TfrmMAIN::btnGetSTATClick(ui::TControl*) {
    const sys::NumberFormat separators = services_.env.Separators();
    Refill(Memo2, [&](const reports::LineSink& add) {
        reports::WriteInformationReport(Bus(), separators, add, Language());
    });
}

void TfrmMAIN::btnCMOSDUMPClick(ui::TControl*) {
    Refill(Memo2, [&](const reports::LineSink& add) { reports::WriteRegisterDump(Bus(), add); });
}

void TfrmMAIN::btnCMOSBACKUPClick(ui::TControl*) {
    const std::string path = reports::BackupPath(services_.env.ExecutablePath(), services_.env.PathLeadBytes());
    if (!services_.dialogs.Confirm(reports::BackupConfirmation(path, Language()))) return;
    ui::TButton::DisabledWhileRunning running(btnCMOSBACKUP);
    reports::WriteCmosBackup(path, services_.files, Bus(),
                             [this](const std::string& message) { services_.dialogs.Inform(message); },
                             Language());
}

}  // namespace app
