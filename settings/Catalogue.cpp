#include "settings/Catalogue.h"

namespace settings {

namespace {
const std::vector<std::string> kTimeouts = {"無効", "1", "2", "5", "10", "15", "30"};
const std::vector<std::string> kProfiles = {"標準", "省電力", "ユーザ設定"};
const std::vector<std::string> kSerialPorts = {"2F8H(IRQ3)", "3F8H(IRQ4)", "OFF"};
constexpr auto RG = ControlKind::RadioGroup;
constexpr auto DD = ControlKind::DropDown;
constexpr auto CB = ControlKind::CheckBox;
}  // namespace

const std::vector<Setting>& Catalogue() {
    static const std::vector<Setting> table = {
        {"rgDEVICEMODE", RG, "システム", {"マニュアル(ユーザー設定)", "プラグアンドプレイ"}},
        {"rgLPTMODE", RG, "システム", {"単方向", "双方向", "ECP", "EPP"}},
        {"rgMOUSEMODE", RG, "システム", {"フラットパッド/PS2マウス", "シリアルマウス"}},
        {"rgBOOTMODE", RG, "システム", {"FDD→HDD", "HDDのみ"}},
        {"rgBOOTMEMCHK", RG, "システム", {"実施する", "省略する"}},
        {"rgLPTPORT", RG, "システム", {"278H(IRQ5)", "378H(IRQ7)", "3BCH(IRQ7)", "OFF"}},
        {"rgLPTDMA", RG, "システム", {"1", "3"}},
        {"rgCOM1PORT", RG, "システム", kSerialPorts},
        {"rgCOM2PORT", RG, "システム", kSerialPorts},
        {"rgSOUNDPORT", RG, "システム", {"220H", "230H", "OFF"}},
        {"rgSOUNDDMA", RG, "システム", {"1", "3"}},
        {"rgSOUNIRQ", RG, "システム", {"5", "9"}},
        {"rgDISPMODE", RG, "ビデオ", {"外部モニター", "内臓ＬＣＤ", "同時表示"}},
        {"rgDISPSIZE", RG, "ビデオ", {"通常表示", "拡張サイズ"}},
        {"rgPOWSW", RG, "省電力", {"ON-OFF", "サスペンド", "ハイバネーション"}},
        {"rgBATMODE", RG, "省電力", {"シリアル", "パラレル"}},
        {"rgPANELSW", RG, "省電力", {"LCD-OFF", "サスペンド"}},
        {"cbCARDPOW", CB, "省電力", {}},
        {"rbMODEAC", RG, "省電力", kProfiles},
        {"rbMODEBT", RG, "省電力", kProfiles},
        {"cbCPUSPEEDAC", DD, "省電力", {"省電力", "通常"}},
        {"cbCPUSPEEDBT", DD, "省電力", {"省電力", "通常"}},
        {"cbCPUCASHAC", DD, "省電力", {"オフ", "オン"}},
        {"cbCPUCASHBT", DD, "省電力", {"オフ", "オン"}},
        {"cbCPUTIMEOUTAC", DD, "省電力", {"無効", "有効"}},
        {"cbCPUTIMEOUTBT", DD, "省電力", {"無効", "有効"}},
        {"cbLCDMODEAC", DD, "省電力", {"省電力", "通常"}},
        {"cbLCDMODEBT", DD, "省電力", {"省電力", "通常"}},
        {"cbHDTIMEOUTAC", DD, "省電力", kTimeouts},
        {"cbHDTIMEOUTBT", DD, "省電力", kTimeouts},
        {"cbSTANDBYAC", DD, "省電力", kTimeouts},
        {"cbSTANDBYBT", DD, "省電力", kTimeouts},
        {"cbSUSPENDAC", DD, "省電力", kTimeouts},
        {"cbSUSPENDBT", DD, "省電力", kTimeouts},
    };
    return table;
}

const Setting* FindSetting(std::string_view control) {
    for (const auto& s : Catalogue())
        if (control == s.control) return &s;
    return nullptr;
}

}  // namespace settings
