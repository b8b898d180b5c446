// The window's setting controls as the loader and the update use them: every control found
// by its catalogue name and its kind decided once, when the window is built, so that a load
// or an update looks nothing up by name.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "ui/Controls.h"

namespace settings {
struct Field;
struct LoadStep;
struct Setting;
}  // namespace settings

namespace app {

// A control that shows a choice: a radio group, a drop-down list or a check box.
class ChoiceControl {
public:
    // Throws std::logic_error for a control of another kind.
    explicit ChoiceControl(ui::TControl& control);

    // Shows a choice as the control shows it: a radio group's assignment runs its click
    // handler on a change, as a user's click does; a check box shows 1 as checked.
    void Show(int index) const;
    // The item index shown, or 1 or 0 for a checked or unchecked check box.
    int Shown() const;

private:
    ui::TRadioGroup* group_ = nullptr;
    ui::TComboBox* list_ = nullptr;
    ui::TCheckBox* box_ = nullptr;
};

struct SettingControls {
    // A control set by a load, with the field that it is loaded from.
    struct Loaded {
        const settings::Field* field;
        ChoiceControl control;
    };
    // One step of settings::LoadOrder() with its controls, in the step's order.
    struct LoadStep {
        const settings::LoadStep* step;
        std::vector<Loaded> controls;
    };
    // A setting of the catalogue with its control: what an update reads.
    struct Shown {
        const settings::Setting* setting;
        ChoiceControl control;
    };

    std::vector<LoadStep> load;  // in the load order
    std::vector<Shown> update;   // in the catalogue's order

    // Finds every control of the load order and the catalogue through `find`, which gives
    // nullptr for a name that no component has. Throws std::logic_error for a setting
    // without its control.
    static SettingControls Resolve(const std::function<ui::TControl*(std::string_view)>& find);
};

}  // namespace app
