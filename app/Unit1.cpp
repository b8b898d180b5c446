#include "app/Unit1.h"

#include <algorithm>

#include "app/Layout.h"
#include "app/SystemInfo.h"
#include "settings/Catalogue.h"
#include "settings/SetupLayout.h"
#include "sys/Error.h"

namespace app {

namespace {

std::unique_ptr<ui::TControl> CreateControl(const ControlLayout& row) {
    switch (row.kind) {
    case Kind::PageControl: return std::make_unique<ui::TPageControl>(row.name);
    case Kind::TabSheet: return std::make_unique<ui::TTabSheet>(row.name);
    case Kind::Panel: return std::make_unique<ui::TPanel>(row.name);
    case Kind::GroupBox: return std::make_unique<ui::TGroupBox>(row.name);
    case Kind::Button: return std::make_unique<ui::TButton>(row.name);
    case Kind::Label: return std::make_unique<ui::TLabel>(row.name);
    case Kind::Memo: return std::make_unique<ui::TMemo>(row.name);
    case Kind::RadioGroup: return std::make_unique<ui::TRadioGroup>(row.name);
    case Kind::ComboBox: return std::make_unique<ui::TComboBox>(row.name);
    case Kind::CheckBox: return std::make_unique<ui::TCheckBox>(row.name);
    }
    throw sys::Error(std::string("unknown kind of control ") + row.name);
}

}  // namespace

// The one piece of code that turns the layout table into controls.
std::vector<std::unique_ptr<ui::TControl>> TfrmMAIN::CreateComponents(sys::Language language) {
    std::vector<std::unique_ptr<ui::TControl>> components;
    ui::TPageControl* pages = nullptr;
    for (const auto& row : WindowLayout()) {
        auto control = CreateControl(row);
        control->SetCaption(CaptionIn(row, language));
        control->SetEnabled(row.enabled);
        const settings::Setting* setting = settings::FindSetting(row.name);
        if (auto* group = dynamic_cast<ui::TRadioGroup*>(control.get())) {
            group->Columns = row.columns;
            if (setting) group->Items = settings::ItemTexts(*setting, language);
        } else if (auto* list = dynamic_cast<ui::TComboBox*>(control.get())) {
            if (setting) list->Items = settings::ItemTexts(*setting, language);
        } else if (auto* pc = dynamic_cast<ui::TPageControl*>(control.get())) {
            pages = pc;
        } else if (auto* sheet = dynamic_cast<ui::TTabSheet*>(control.get())) {
            pages->AddPage(*sheet);
        }
        components.push_back(std::move(control));
    }
    return components;
}

TfrmMAIN::TfrmMAIN(const Services& services)
    : components_(CreateComponents(services.language)), services_(services) {
    WireHandlers();
}

TfrmMAIN::~TfrmMAIN() = default;

TfrmMAIN::NameIndex TfrmMAIN::IndexByName(const std::vector<std::unique_ptr<ui::TControl>>& components) {
    NameIndex index;
    index.reserve(components.size());
    for (const auto& c : components) index.emplace_back(c->Name(), c.get());
    // Sorted by insertion, which keeps the declared order among equal names (the first
    // declared is the one found) in little code; it runs once, over some 80 names.
    for (std::size_t i = 1; i < index.size(); ++i) {
        const auto entry = index[i];
        std::size_t j = i;
        for (; j > 0 && entry.first < index[j - 1].first; --j) index[j] = index[j - 1];
        index[j] = entry;
    }
    return index;
}

void NoSuchComponent(std::string_view name, bool existsAsAnotherKind) {
    throw sys::Error(existsAsAnotherKind ? "the component " + std::string(name) + " is of another kind"
                                         : "no component named " + std::string(name));
}

ui::TControl* TfrmMAIN::FindComponent(std::string_view name) const {
    const auto it = std::lower_bound(byName_.begin(), byName_.end(), name,
                                     [](const auto& entry, std::string_view n) { return entry.first < n; });
    return it == byName_.end() || it->first != name ? nullptr : it->second;
}

void TfrmMAIN::WireHandlers() {
    auto on = [this](ui::TButton& button, void (TfrmMAIN::*handler)(ui::TControl*)) {
        button.OnClick = [this, handler](ui::TControl* sender) { Dispatch(handler, sender); };
    };
    on(btnGetSTAT, &TfrmMAIN::btnGetSTATClick);
    on(btnCMOSDUMP, &TfrmMAIN::btnCMOSDUMPClick);
    on(btnCMOSBACKUP, &TfrmMAIN::btnCMOSBACKUPClick);
    for (const actions::HotKey& key : actions::kHotKeys) {
        auto& button = Component<ui::TButton>(key.button);
        button.Tag = key.key;
        on(button, &TfrmMAIN::btnF2Click);
    }
    on(btnUPDATE, &TfrmMAIN::btnUPDATEClick);
    on(Button2, &TfrmMAIN::Button2Click);
    on(btnMAKEHIBER, &TfrmMAIN::btnMAKEHIBERClick);
    // The serial-port rule runs inside the assignment that changed the selection, also in
    // the middle of the loader: no dispatch of its own.
    rgCOM1PORT.OnClick = [this](ui::TControl* sender) { rgCOM1PORTClick(sender); };
    rgCOM2PORT.OnClick = [this](ui::TControl* sender) { rgCOM2PORTClick(sender); };
}

void TfrmMAIN::Dispatch(void (TfrmMAIN::*handler)(ui::TControl*), ui::TControl* sender) {
    try {
        (this->*handler)(sender);
    } catch (const std::exception& e) {
        services_.dialogs.Inform(sys::TextOf(e, services_.language));
    }
}

void TfrmMAIN::FormCreate(ui::TControl*) {
    lbProgVer.SetCaption(ProgramVersionLabel(services_.env.GetProgramVersion()));
    const SystemLabel system = DescribeSystem(services_.env.GetOsVersion());
    IsNT = system.isNT;
    lbSystemInfo.SetCaption(system.text);
    bus_.emplace(services_.port, services_.port.Access(hw::PortModeOf(IsNT)));
}

hw::Bus& TfrmMAIN::Bus() {
    if (!bus_) throw sys::Error("the hardware is reached before the window was created");
    return *bus_;
}

void TfrmMAIN::WarnIfPortsNotGranted() {
    if (grantWarned_) return;
    grantWarned_ = true;
    if (Bus().GrantMissing()) services_.dialogs.Inform(sys::Text(services_.language, sys::Message::PortGrantMissing));
}

bool TfrmMAIN::OnTheNotebook() {
    if (hw::FirmwareAnswers(Bus())) return true;
    services_.dialogs.Inform(sys::Text(services_.language, sys::Message::FirmwareSilent));
    return false;
}

void TfrmMAIN::FormShow(ui::TControl*) {
    TabSheet5.SetTabVisible(false);
    WarnIfPortsNotGranted();
    Button2Click(nullptr);
    btnGetSTATClick(nullptr);
}

void TfrmMAIN::FormDblClick(ui::TControl*) { TabSheet5.SetTabVisible(!TabSheet5.TabVisible()); }

// The serial-port rule runs inside the assignment that changed the selection: the other
// group moves off the address that this one took.
void TfrmMAIN::rgCOM1PORTClick(ui::TControl*) { KeepPartnerApart(rgCOM1PORT); }
void TfrmMAIN::rgCOM2PORTClick(ui::TControl*) { KeepPartnerApart(rgCOM2PORT); }

void TfrmMAIN::KeepPartnerApart(const ui::TRadioGroup& changed) {
    const settings::Setting* own = settings::FindSetting(changed.Name());
    const settings::Setting* partner = own ? settings::PortPartner(*own) : nullptr;
    if (!partner) return;
    auto& other = Component<ui::TRadioGroup>(partner->control);
    other.SetItemIndex(settings::KeepPortsApart(*own, changed.ItemIndex(), other.ItemIndex()));
}

}  // namespace app
