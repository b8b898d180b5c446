// The setup settings in the window: the loader (with the debug report) and the update.
#include <stdexcept>

#include "app/Unit1.h"
#include "hw/Firmware.h"
#include "settings/Catalogue.h"
#include "settings/DebugReport.h"
#include "settings/SetupLayout.h"

namespace app {

namespace {

ui::TControl& SettingControl(const TfrmMAIN& form, const std::string& name) {
    ui::TControl* control = form.FindComponent(name);
    if (!control) throw std::logic_error("no setting control " + name);
    return *control;
}

// Shows a choice as the control shows it: a radio group's assignment runs its click
// handler on a change, as a user's click does; a check box shows 1 as checked.
void ShowChoice(ui::TControl& control, int index) {
    if (auto* group = dynamic_cast<ui::TRadioGroup*>(&control))
        group->SetItemIndex(index);
    else if (auto* list = dynamic_cast<ui::TComboBox*>(&control))
        list->SetItemIndex(index);
    else if (auto* box = dynamic_cast<ui::TCheckBox*>(&control))
        box->SetChecked(index == 1);
    else
        throw std::logic_error(control.Name() + " shows no choice");
}

int ShownChoice(const ui::TControl& control) {
    if (auto* group = dynamic_cast<const ui::TRadioGroup*>(&control)) return group->ItemIndex();
    if (auto* list = dynamic_cast<const ui::TComboBox*>(&control)) return list->ItemIndex();
    if (auto* box = dynamic_cast<const ui::TCheckBox*>(&control)) return box->Checked() ? 1 : 0;
    throw std::logic_error(control.Name() + " shows no choice");
}

settings::Choices ShownChoices(const TfrmMAIN& form) {
    settings::Choices choices;
    for (const settings::Setting& s : settings::Catalogue())
        choices.Set(s.control, ShownChoice(SettingControl(form, s.control)));
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
        settings::CmosBytes cmos{};
        for (const settings::LoadStep& step : settings::LoadOrder()) {
            for (std::uint8_t index : step.reads) cmos[index] = ReadCmos(index);
            for (const char* control : step.controls)
                ShowChoice(SettingControl(*this, control), settings::Decode(control, cmos));
            for (std::uint8_t index : step.reads)
                for (const std::string& line : settings::DebugLines(index, cmos[index]))
                    Memo3.Add(line);
        }
    }
    Memo3.Invalidate();
}

// After confirmation, writes every setup byte composed from the controls in the fixed
// order, then tells the firmware that the setup changed. The controls keep their choices.
void TfrmMAIN::btnUPDATEClick(ui::TControl*) {
    if (!dialogs().Confirm("CMOS内容を更新します.")) return;
    const settings::CmosBytes composed = settings::ComposeAll(ShownChoices(*this));
    for (const settings::WriteStep& step : settings::WriteOrder()) {
        std::uint8_t value = composed[step.index] & ~step.keep;
        if (step.keep) value |= ReadCmos(step.index) & step.keep;
        WriteCmos(step.index, value);
    }
    CallFirmware(hw::kFnSettingsChanged, 0, 0);
}

}  // namespace app
