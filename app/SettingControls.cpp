#include "app/SettingControls.h"

#include <stdexcept>
#include <string>

#include "settings/Catalogue.h"
#include "settings/SetupLayout.h"

namespace app {

ChoiceControl::ChoiceControl(ui::TControl& control)
    : group_(dynamic_cast<ui::TRadioGroup*>(&control)),
      list_(dynamic_cast<ui::TComboBox*>(&control)),
      box_(dynamic_cast<ui::TCheckBox*>(&control)) {
    if (!group_ && !list_ && !box_) throw std::logic_error(control.Name() + " shows no choice");
}

void ChoiceControl::Show(int index) const {
    if (group_) group_->SetItemIndex(index);
    else if (list_) list_->SetItemIndex(index);
    else box_->SetChecked(index == 1);
}

int ChoiceControl::Shown() const {
    if (group_) return group_->ItemIndex();
    if (list_) return list_->ItemIndex();
    return box_->Checked() ? 1 : 0;
}

SettingControls SettingControls::Resolve(
    const std::function<ui::TControl*(std::string_view)>& find) {
    const auto control = [&find](std::string_view name) {
        ui::TControl* found = find(name);
        if (!found) throw std::logic_error("no setting control " + std::string(name));
        return ChoiceControl(*found);
    };
    SettingControls controls;
    for (const settings::LoadStep& step : settings::LoadOrder()) {
        LoadStep& resolved = controls.load.emplace_back(LoadStep{&step, {}});
        for (const char* name : step.controls)
            resolved.controls.push_back({&settings::LoadedField(name), control(name)});
    }
    for (const settings::Setting& setting : settings::Catalogue())
        controls.update.push_back({&setting, control(setting.control)});
    return controls;
}

}  // namespace app
