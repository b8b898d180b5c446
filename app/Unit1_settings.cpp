#include "app/Unit1.h"

namespace app {

void TfrmMAIN::Button2Click(ui::TControl*) {}
void TfrmMAIN::btnUPDATEClick(ui::TControl*) {}

}  // namespace app
