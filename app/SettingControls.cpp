#include "app/SettingControls.h"

#include <string>

#include "settings/Catalogue.h"
#include "settings/SetupLayout.h"
#include "sys/Error.h"

namespace app {

ChoiceControl::ChoiceControl(ui::TControl& control)
    : group_(dynamic_cast<ui::TRadioGroup*>(&control)),
      list_(dynamic_cast<ui::TComboBox*>(&control)),
      box_(dynamic_cast<ui::TCheckBox*>(&control)) {
    if (!group_ && !list_ && !box_) throw sys::Error(control.Name() + " shows no choice");
}

void ChoiceControl::Show(int index) const {
    if (group_) group_->SetItemIndex(index);
    else if (list_) list_->SetItemIndex(index);
    else box_->SetChecked(index == 1);
}

int ChoiceControl::Choice() const {
    if (group_) return group_->ItemIndex();
    if (list_) return list_->ItemIndex();
    return box_->Checked() ? 1 : 0;
}

SettingControls SettingControls::Resolve(
    const std::function<ui::TControl*(std::string_view)>& find) {
    SettingControls controls;
    for (const settings::Setting& setting : settings::Catalogue()) {
        ui::TControl* found = find(setting.control);
        if (!found) throw sys::Error(std::string("no control for the setting ") + setting.control);
        controls.controls_.emplace_back(*found);
    }
    return controls;
}

const ChoiceControl& SettingControls::operator[](const settings::Setting& setting) const {
    return controls_[settings::PlaceOf(setting)];
}

settings::Choices SettingControls::Choices() const {
    settings::Choices choices;
    for (const settings::Setting& setting : settings::Catalogue())
        choices.SetAlone(setting, (*this)[setting].Choice());
    return choices;
}

}  // namespace app
