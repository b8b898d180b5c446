#include "app/Unit1.h"

namespace app {

void TfrmMAIN::btnGetSTATClick(ui::TControl*) {}
void TfrmMAIN::btnCMOSDUMPClick(ui::TControl*) {}
void TfrmMAIN::btnCMOSBACKUPClick(ui::TControl*) {}

}  // namespace app
