#include "app/Unit1.h"

namespace app {

void TfrmMAIN::btnF2Click(ui::TControl*) {}
void TfrmMAIN::btnMAKEHIBERClick(ui::TControl*) {}

}  // namespace app
