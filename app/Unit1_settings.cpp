// The setup settings in the window: the loader (with the debug report) and the update.
#include "app/Unit1.h"
#include "hw/Firmware.h"
#include "settings/DebugReport.h"
#include "settings/SetupLayout.h"

namespace app {

namespace {

settings::Choices ShownChoices(const SettingControls& controls) {
    settings::Choices choices;
    for (const SettingControls::Shown& shown : controls.update)
        choices.Set(*shown.setting, shown.control.Shown());
    return choices;
}

}  // namespace

// Reads the setup bytes one by one in the fixed order, shows each control's choice as soon
// as its bytes are in, and writes the debug report into Memo3 on the way.
void TfrmMAIN::Button2Click(ui::TControl*) {
    Memo3.DoubleBuffered = true;
    {
        ui::TMemo::BatchUpdate batch(Memo3);
        Memo3.Clear();
        const settings::DebugLineSink toMemo = [this](const std::string& line) { Memo3.Add(line); };
        settings::CmosBytes cmos{};
        for (const SettingControls::LoadStep& step : settingControls_.load) {
            for (std::uint8_t index : step.step->reads) cmos[index] = ReadCmos(index);
            for (const SettingControls::Loaded& loaded : step.controls)
                loaded.control.Show(settings::Decode(*loaded.field, cmos));
            for (std::uint8_t index : step.step->reads)
                settings::WriteDebugLines(index, cmos[index], toMemo);
        }
    }
    Memo3.Invalidate();
}

// After confirmation, writes every setup byte composed from the controls in the fixed
// order, then tells the firmware that the setup changed. The controls keep their choices.
void TfrmMAIN::btnUPDATEClick(ui::TControl*) {
    if (!dialogs().Confirm("CMOS内容を更新します.")) return;
    const settings::CmosBytes composed = settings::ComposeAll(ShownChoices(settingControls_));
    for (const settings::WriteStep& step : settings::WriteOrder()) {
        std::uint8_t value = composed[step.index] & ~step.keep;
        if (step.keep) value |= ReadCmos(step.index) & step.keep;
        WriteCmos(step.index, value);
    }
    CallFirmware(hw::kFnSettingsChanged, 0, 0);
}

}  // namespace app
