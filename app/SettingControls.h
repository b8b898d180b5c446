// The window's setting controls as the loader and the update use them: every control found
// by its catalogue name and its kind decided once, when the window is built, so that a load
// or an update looks nothing up by name.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "ui/Controls.h"

namespace settings {
class Choices;
struct Setting;
}  // namespace settings

namespace app {

// A control that shows a choice: a radio group, a drop-down list or a check box.
class ChoiceControl {
public:
    // Throws sys::Error for a control of another kind.
    explicit ChoiceControl(ui::TControl& control);

    // Shows a choice as the control shows it: a radio group's assignment runs its click
    // handler on a change, as a user's click does; a check box shows 1 as checked.
    void Show(int index) const;
    // The item index shown, or 1 or 0 for a checked or unchecked check box.
    int Choice() const;

private:
    ui::TRadioGroup* group_ = nullptr;
    ui::TComboBox* list_ = nullptr;
    ui::TCheckBox* box_ = nullptr;
};

// The window's control of every setting of the catalogue, found once when the window is
// built, so that a load or an update looks nothing up by name.
class SettingControls {
public:
    // Finds the control of every setting through `find`, which gives nullptr for a name that
    // no component has. Throws sys::Error for a setting without its control.
    static SettingControls Resolve(const std::function<ui::TControl*(std::string_view)>& find);

    const ChoiceControl& operator[](const settings::Setting& setting) const;
    // The choices that the controls show.
    settings::Choices Choices() const;

private:
    std::vector<ChoiceControl> controls_;  // by the setting's place in the catalogue
};

}  // namespace app
