// TfrmMAIN: the main window's components, its event handlers and its access to the
// hardware. Everything here runs without Windows; the native shell (app/win32) attaches a
// window to every component and turns the user's actions into the same calls.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "actions/FirmwareActions.h"
#include "app/Dialogs.h"
#include "app/SettingControls.h"
#include "hw/Bus.h"
#include "reports/Reports.h"
#include "sys/System.h"
#include "ui/Controls.h"

namespace app {

// Held around the window's load of the settings (`writes` false) and around its write after
// the confirmation (true), never across a dialog. TOVIKA-SIM.exe puts its own here
// (MachineSim.cpp): it waits for the simulated notebook's lock, re-reads sim-cmos.dat under
// it and holds it, so that its bytes never interleave with another writer's; nullptr when the
// wait ran out. Empty (nothing held) everywhere else.
std::function<std::unique_ptr<sys::FileLock>(bool writes)>& SetupHold();

// What the window needs from outside: the port layer, the dialogs and the system, and the
// language of its texts, decided when the program started.
struct Services {
    hw::TPortArray& port;
    Dialogs& dialogs;
    sys::FileSystem& files;
    sys::Environment& env;
    sys::Language language = sys::Language::Japanese;
};

class TfrmMAIN {
public:
    // Creates every component from the layout table; nothing runs yet. The shell calls
    // FormCreate once the native window exists, and FormShow when it is shown.
    explicit TfrmMAIN(const Services& services);
    ~TfrmMAIN();

    ui::TControl* FindComponent(std::string_view name) const;
    // The component of that name and kind; throws sys::Error naming a missing or mistyped one.
    template <class T> T& Component(std::string_view name) const;
    const std::vector<std::unique_ptr<ui::TControl>>& Components() const { return components_; }

    // Runs an event handler as the application does: an exception that escapes it ends the
    // handler and is shown in an information message with its own text; the program goes on.
    void Dispatch(void (TfrmMAIN::*handler)(ui::TControl*), ui::TControl* sender);

private:
    // Built from the layout table, in the window's language, before the component references
    // below bind to it (by the constructor).
    std::vector<std::unique_ptr<ui::TControl>> components_;
    static std::vector<std::unique_ptr<ui::TControl>> CreateComponents(sys::Language language);
    // The components by name, sorted for a binary search: handlers look controls up by the
    // catalogue's names. (A hash table would bring the runtime's, built for a later processor.)
    using NameIndex = std::vector<std::pair<std::string_view, ui::TControl*>>;
    NameIndex byName_{IndexByName(components_)};
    static NameIndex IndexByName(const std::vector<std::unique_ptr<ui::TControl>>& components);
    // The setting controls of the loader and the update, found once.
    SettingControls settingControls_{
        SettingControls::Resolve([this](std::string_view name) { return FindComponent(name); })};

public:
    // The 78 components, in their declared order.
    ui::TPageControl& PageControl1{Component<ui::TPageControl>("PageControl1")};
    ui::TTabSheet& TabSheet1{Component<ui::TTabSheet>("TabSheet1")};
    ui::TTabSheet& TabSheet2{Component<ui::TTabSheet>("TabSheet2")};
    ui::TTabSheet& TabSheet3{Component<ui::TTabSheet>("TabSheet3")};
    ui::TTabSheet& TabSheet4{Component<ui::TTabSheet>("TabSheet4")};
    ui::TTabSheet& TabSheet5{Component<ui::TTabSheet>("TabSheet5")};
    ui::TPanel& Panel1{Component<ui::TPanel>("Panel1")};
    ui::TButton& btnGetSTAT{Component<ui::TButton>("btnGetSTAT")};
    ui::TMemo& Memo2{Component<ui::TMemo>("Memo2")};
    ui::TMemo& Memo3{Component<ui::TMemo>("Memo3")};
    ui::TRadioGroup& rgDEVICEMODE{Component<ui::TRadioGroup>("rgDEVICEMODE")};
    ui::TRadioGroup& rgLPTMODE{Component<ui::TRadioGroup>("rgLPTMODE")};
    ui::TRadioGroup& rgMOUSEMODE{Component<ui::TRadioGroup>("rgMOUSEMODE")};
    ui::TRadioGroup& rgBOOTMODE{Component<ui::TRadioGroup>("rgBOOTMODE")};
    ui::TGroupBox& GroupBox1{Component<ui::TGroupBox>("GroupBox1")};
    ui::TButton& btnClrPASSWD{Component<ui::TButton>("btnClrPASSWD")};
    ui::TGroupBox& GroupBox2{Component<ui::TGroupBox>("GroupBox2")};
    ui::TRadioGroup& rgLPTPORT{Component<ui::TRadioGroup>("rgLPTPORT")};
    ui::TRadioGroup& rgLPTDMA{Component<ui::TRadioGroup>("rgLPTDMA")};
    ui::TRadioGroup& rgCOM1PORT{Component<ui::TRadioGroup>("rgCOM1PORT")};
    ui::TRadioGroup& rgCOM2PORT{Component<ui::TRadioGroup>("rgCOM2PORT")};
    ui::TGroupBox& GroupBox3{Component<ui::TGroupBox>("GroupBox3")};
    ui::TRadioGroup& rgSOUNDPORT{Component<ui::TRadioGroup>("rgSOUNDPORT")};
    ui::TRadioGroup& rgSOUNDDMA{Component<ui::TRadioGroup>("rgSOUNDDMA")};
    ui::TRadioGroup& rgDISPMODE{Component<ui::TRadioGroup>("rgDISPMODE")};
    ui::TRadioGroup& rgDISPSIZE{Component<ui::TRadioGroup>("rgDISPSIZE")};
    ui::TButton& btnCMOSDUMP{Component<ui::TButton>("btnCMOSDUMP")};
    ui::TRadioGroup& rgPOWSW{Component<ui::TRadioGroup>("rgPOWSW")};
    ui::TRadioGroup& rgBATMODE{Component<ui::TRadioGroup>("rgBATMODE")};
    ui::TGroupBox& GroupBox4{Component<ui::TGroupBox>("GroupBox4")};
    ui::TCheckBox& CheckBox1{Component<ui::TCheckBox>("CheckBox1")};
    ui::TGroupBox& GroupBox5{Component<ui::TGroupBox>("GroupBox5")};
    ui::TGroupBox& GroupBox6{Component<ui::TGroupBox>("GroupBox6")};
    ui::TRadioGroup& rbMODEAC{Component<ui::TRadioGroup>("rbMODEAC")};
    ui::TLabel& Label1{Component<ui::TLabel>("Label1")};
    ui::TLabel& Label2{Component<ui::TLabel>("Label2")};
    ui::TLabel& Label3{Component<ui::TLabel>("Label3")};
    ui::TLabel& Label4{Component<ui::TLabel>("Label4")};
    ui::TLabel& Label5{Component<ui::TLabel>("Label5")};
    ui::TLabel& Label6{Component<ui::TLabel>("Label6")};
    ui::TComboBox& cbCPUSPEEDAC{Component<ui::TComboBox>("cbCPUSPEEDAC")};
    ui::TComboBox& cbLCDMODEAC{Component<ui::TComboBox>("cbLCDMODEAC")};
    ui::TComboBox& cbCPUTIMEOUTAC{Component<ui::TComboBox>("cbCPUTIMEOUTAC")};
    ui::TComboBox& cbSTANDBYAC{Component<ui::TComboBox>("cbSTANDBYAC")};
    ui::TComboBox& cbSUSPENDAC{Component<ui::TComboBox>("cbSUSPENDAC")};
    ui::TComboBox& cbHDTIMEOUTAC{Component<ui::TComboBox>("cbHDTIMEOUTAC")};
    ui::TRadioGroup& rbMODEBT{Component<ui::TRadioGroup>("rbMODEBT")};
    ui::TLabel& Label7{Component<ui::TLabel>("Label7")};
    ui::TLabel& Label8{Component<ui::TLabel>("Label8")};
    ui::TLabel& Label9{Component<ui::TLabel>("Label9")};
    ui::TLabel& Label10{Component<ui::TLabel>("Label10")};
    ui::TLabel& Label11{Component<ui::TLabel>("Label11")};
    ui::TLabel& Label12{Component<ui::TLabel>("Label12")};
    ui::TComboBox& cbCPUSPEEDBT{Component<ui::TComboBox>("cbCPUSPEEDBT")};
    ui::TComboBox& cbLCDMODEBT{Component<ui::TComboBox>("cbLCDMODEBT")};
    ui::TComboBox& cbCPUTIMEOUTBT{Component<ui::TComboBox>("cbCPUTIMEOUTBT")};
    ui::TComboBox& cbSTANDBYBT{Component<ui::TComboBox>("cbSTANDBYBT")};
    ui::TComboBox& cbSUSPENDBT{Component<ui::TComboBox>("cbSUSPENDBT")};
    ui::TComboBox& cbHDTIMEOUTBT{Component<ui::TComboBox>("cbHDTIMEOUTBT")};
    ui::TLabel& Label13{Component<ui::TLabel>("Label13")};
    ui::TComboBox& cbCPUCASHAC{Component<ui::TComboBox>("cbCPUCASHAC")};
    ui::TLabel& Label14{Component<ui::TLabel>("Label14")};
    ui::TComboBox& cbCPUCASHBT{Component<ui::TComboBox>("cbCPUCASHBT")};
    ui::TRadioGroup& rgSOUNIRQ{Component<ui::TRadioGroup>("rgSOUNIRQ")};
    ui::TButton& btnF2{Component<ui::TButton>("btnF2")};
    ui::TButton& Button1{Component<ui::TButton>("Button1")};
    ui::TButton& Button3{Component<ui::TButton>("Button3")};
    ui::TButton& Button4{Component<ui::TButton>("Button4")};
    ui::TButton& Button5{Component<ui::TButton>("Button5")};
    ui::TButton& btnUPDATE{Component<ui::TButton>("btnUPDATE")};
    ui::TButton& Button2{Component<ui::TButton>("Button2")};
    ui::TRadioGroup& rgPANELSW{Component<ui::TRadioGroup>("rgPANELSW")};
    ui::TCheckBox& cbCARDPOW{Component<ui::TCheckBox>("cbCARDPOW")};
    ui::TButton& btnMAKEHIBER{Component<ui::TButton>("btnMAKEHIBER")};
    ui::TLabel& lbSystemInfo{Component<ui::TLabel>("lbSystemInfo")};
    ui::TLabel& lbProgVer{Component<ui::TLabel>("lbProgVer")};
    ui::TRadioGroup& rgBOOTMEMCHK{Component<ui::TRadioGroup>("rgBOOTMEMCHK")};
    ui::TButton& btnCMOSBACKUP{Component<ui::TButton>("btnCMOSBACKUP")};

    // The 12 event handlers, in their declared order. Sender is absent (nullptr) when one
    // handler runs another.
    void btnGetSTATClick(ui::TControl* Sender);
    void Button2Click(ui::TControl* Sender);
    void btnCMOSDUMPClick(ui::TControl* Sender);
    void btnF2Click(ui::TControl* Sender);
    void btnUPDATEClick(ui::TControl* Sender);
    void btnMAKEHIBERClick(ui::TControl* Sender);
    void FormShow(ui::TControl* Sender);
    void FormCreate(ui::TControl* Sender);
    void rgCOM1PORTClick(ui::TControl* Sender);
    void rgCOM2PORTClick(ui::TControl* Sender);
    void FormDblClick(ui::TControl* Sender);
    void btnCMOSBACKUPClick(ui::TControl* Sender);

    Dialogs& dialogs() const { return services_.dialogs; }
    sys::Language Language() const { return services_.language; }

    // The file that btnMAKEHIBERClick creates; the tests point it into a temporary folder.
    std::string HibernationPath = actions::kHibernationPath;

private:
    // The way to the hardware, made by FormCreate in the access mode of the system; no port
    // is touched before.
    hw::Bus& Bus();

    void WireHandlers();
    // On the NT family without the giveio grant every port instruction is refused: say so
    // once, before the first access.
    void WarnIfPortsNotGranted();
    // The catalogue's partner rule, as the window runs it: the radio group that shares the
    // addresses of `changed` moves off the address that `changed` took.
    void KeepPartnerApart(const ui::TRadioGroup& changed);
    // Before anything is written: asks the firmware's status request; when it comes back
    // unchanged this is not the notebook, the user is told so, and the answer is false.
    bool OnTheNotebook();
    // Replaces a memo's lines with those that `write` gives, in one batch update.
    void Refill(ui::TMemo& memo, const std::function<void(const reports::LineSink& add)>& write);

    Services services_;
    bool IsNT = false;  // the system label's family; the bus has its own copy of the mode
    bool grantWarned_ = false;
    std::optional<hw::Bus> bus_;
};

// Thrown for a component that the layout table does not have, or has as another kind.
[[noreturn]] void NoSuchComponent(std::string_view name, bool existsAsAnotherKind);

template <class T> T& TfrmMAIN::Component(std::string_view name) const {
    ui::TControl* control = FindComponent(name);
    T* found = dynamic_cast<T*>(control);
    if (!found) NoSuchComponent(name, control != nullptr);
    return *found;
}

}  // namespace app
