// The settings catalogue: every setting control with its kind, its items in order and its
// page. The window, the loader, the writer and the tests all read this one table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace settings {

enum class ControlKind { RadioGroup, DropDown, CheckBox };

struct Setting {
    const char* control;
    ControlKind kind;
    const char* page;  // tab caption
    std::vector<std::string> items;
};

const std::vector<Setting>& Catalogue();
// The entry of a control, or nullptr for a control that is no setting.
const Setting* FindSetting(std::string_view control);

}  // namespace settings
