#include "app/Layout.h"

namespace app {

namespace {
constexpr auto PC = Kind::PageControl, TS = Kind::TabSheet, PN = Kind::Panel,
               GB = Kind::GroupBox, BT = Kind::Button, LB = Kind::Label, ME = Kind::Memo,
               RG = Kind::RadioGroup, CO = Kind::ComboBox, CK = Kind::CheckBox;
}  // namespace

const std::vector<ControlLayout>& WindowLayout() {
    static const std::vector<ControlLayout> rows = {
        // name            kind parent          caption (Japanese, English)                             L    T    W    H  tab cols tag enabled font
        {"PageControl1",   PC, nullptr,        "", "",                                                 0,   0, 512, 345, 0},
        {"TabSheet1",      TS, "PageControl1", "情報", "Info",                                         0,   0, 504, 318, -1},
        {"TabSheet2",      TS, "PageControl1", "システム", "System",                                   0,   0, 504, 318, -1},
        {"TabSheet3",      TS, "PageControl1", "ビデオ", "Video",                                      0,   0, 504, 318, -1},
        {"TabSheet4",      TS, "PageControl1", "省電力", "Power",                                      0,   0, 504, 318, -1},
        {"TabSheet5",      TS, "PageControl1", "Debug", "Debug",                                       0,   0, 504, 318, -1},
        {"lbProgVer",      LB, nullptr,        "Prog Version", "Prog Version",                         4, 352,  66,  12, -1},
        {"lbSystemInfo",   LB, nullptr,        "System info", "System info",                           4, 364,  61,  12, -1},
        {"btnMAKEHIBER",   BT, nullptr,        "ハイバネ領域作成", "Hibernation File",               260, 352, 103,  25, 3},
        {"Button2",        BT, nullptr,        "再読込", "Reload",                                   368, 352,  69,  25, 2},
        {"btnUPDATE",      BT, nullptr,        "更新", "Update",                                     440, 352,  69,  25, 1},

        // 情報
        {"Panel1",         PN, "TabSheet1",    "", "",                                                 0,   0, 504,  33, 0},
        {"btnGetSTAT",     BT, "Panel1",       "再表示", "Refresh",                                  424,   2,  75,  25, 0},
        {"btnCMOSDUMP",    BT, "Panel1",       "DUMP", "DUMP",                                       344,   2,  65,  25, 1},
        {"btnCMOSBACKUP",  BT, "Panel1",       "BACKUP", "BACKUP",                                   276,   2,  65,  25, 2},
        {"btnF2",          BT, "Panel1",       "F2:LCD", "F2:LCD",                                     4,   2,  51,  25, 3, 1, 2},
        {"Button1",        BT, "Panel1",       "F3:DISP", "F3:DISP",                                  56,   2,  51,  25, 4, 1, 3},
        {"Button3",        BT, "Panel1",       "F5:Vol", "F5:Vol",                                   108,   2,  51,  25, 5, 1, 5},
        {"Button4",        BT, "Panel1",       "F6:APM", "F6:APM",                                   160,   2,  51,  25, 6, 1, 6},
        {"Button5",        BT, "Panel1",       "F9:Batt", "F9:Batt",                                 212,   2,  51,  25, 7, 1, 9},
        {"Memo2",          ME, "TabSheet1",    "", "",                                                 0,  33, 504, 285, -1, 1, 0, true, Font::Fixed},

        // システム
        {"rgDEVICEMODE",   RG, "TabSheet2",    "デバイス制御モード", "Device Control Mode",            8,   8, 189,  45, 0},
        {"rgLPTMODE",      RG, "TabSheet2",    "パラレルポート制御モード", "Parallel Port Mode",       8,  60, 189,  45, 1, 2},
        {"rgMOUSEMODE",    RG, "TabSheet2",    "マウスポート制御モード", "Mouse Port Mode",            8, 112, 189,  45, 2},
        {"rgBOOTMODE",     RG, "TabSheet2",    "起動ドライブシーケンス", "Boot Drive Order",           8, 164, 189,  45, 3},
        {"rgBOOTMEMCHK",   RG, "TabSheet2",    "起動時のメモリチェック", "Memory Check at Boot",        8, 216, 189,  33, 4, 2},
        {"GroupBox1",      GB, "TabSheet2",    "システムパスワード設定", "System Password",            8, 256, 189,  45, 5},
        {"btnClrPASSWD",   BT, "GroupBox1",    "パスワード消去", "Clear Password",                    32,  16, 127,  25, 0, 1, 0, false},
        {"GroupBox2",      GB, "TabSheet2",    "パラレルポート設定", "Parallel Port",                208,   8, 289,  73, 6},
        {"rgLPTPORT",      RG, "GroupBox2",    "ポートアドレス", "Port Address",                      12,  16, 181,  45, 0, 2},
        {"rgLPTDMA",       RG, "GroupBox2",    "DMA 番号", "DMA No.",                                204,  16,  73,  45, 1},
        {"rgCOM1PORT",     RG, "TabSheet2",    "シリアルポートアドレス設定", "Serial Port Address",  208,  92, 289,  45, 7, 3},
        {"rgCOM2PORT",     RG, "TabSheet2",    "赤外線通信(IrDA)ポートアドレス設定", "Infrared (IrDA) Port Address", 208, 148, 289, 45, 8, 3},
        {"GroupBox3",      GB, "TabSheet2",    "サウンドポートアドレス設定", "Sound Port Address",   208, 208, 289,  93, 9},
        {"rgSOUNDPORT",    RG, "GroupBox3",    "ポートアドレス", "Port Address",                      12,  16,  93,  61, 0},
        {"rgSOUNIRQ",      RG, "GroupBox3",    "IRQ 番号", "IRQ No.",                                116,  16,  77,  45, 1, 1, 0, true, Font::Black},
        {"rgSOUNDDMA",     RG, "GroupBox3",    "DMA 番号", "DMA No.",                                204,  16,  73,  45, 2},

        // ビデオ
        {"rgDISPMODE",     RG, "TabSheet3",    "ディスプレイ設定", "Display",                         72,  16, 173,  69, 0},
        {"rgDISPSIZE",     RG, "TabSheet3",    "表示サイズ", "Display Size",                         256,  16, 173,  69, 1},

        // 省電力
        {"rgPOWSW",        RG, "TabSheet4",    "パワースイッチ設定", "Power Switch",                   4,   4, 493,  33, 0, 3},
        {"rgBATMODE",      RG, "TabSheet4",    "バッテリー放電制御", "Battery Discharge",              4,  44, 121,  45, 1},
        {"rgPANELSW",      RG, "TabSheet4",    "パネルスイッチ設定", "Panel Switch",                 136,  44, 117,  45, 2, 1, 0, true, Font::Black},
        {"GroupBox4",      GB, "TabSheet4",    "", "",                                               264,  44, 233,  45, 3},
        {"CheckBox1",      CK, "GroupBox4",    "ホットキーハイバネーション有効", "Hibernation by Hot Key", 12,  8, 189,  17, 0, 1, 0, false},
        {"cbCARDPOW",      CK, "GroupBox4",    "サスペンド時PCカードに電源供給する", "Power to PC Cards in Suspend", 12, 24, 213, 17, 1, 1, 0, true, Font::Black},
        {"GroupBox5",      GB, "TabSheet4",    "AC駆動時モード設定", "On Mains (AC)",                  4, 100, 233, 209, 4},
        {"rbMODEAC",       RG, "GroupBox5",    "", "",                                                12,  12, 209,  45, 0, 2},
        {"Label1",         LB, "GroupBox5",    "ＣＰＵスピード", "CPU Speed",                         16,  64,  68,  12, -1},
        {"cbCPUSPEEDAC",   CO, "GroupBox5",    "", "",                                               156,  60,  65,  20, 1},
        {"Label2",         LB, "GroupBox5",    "ＣＰＵタイムアウト", "CPU Time-out",                  16,  84,  88,  12, -1},
        {"cbCPUTIMEOUTAC", CO, "GroupBox5",    "", "",                                               156,  80,  65,  20, 2},
        {"Label3",         LB, "GroupBox5",    "ＬＣＤバックライト", "LCD Backlight",                 16, 104,  85,  12, -1},
        {"cbLCDMODEAC",    CO, "GroupBox5",    "", "",                                               156, 100,  65,  20, 3},
        {"Label4",         LB, "GroupBox5",    "スタンバイタイムアウト", "Standby Time-out",          16, 124, 113,  12, -1},
        {"cbSTANDBYAC",    CO, "GroupBox5",    "", "",                                               156, 120,  65,  20, 4},
        {"Label5",         LB, "GroupBox5",    "サスペンドタイムアウト", "Suspend Time-out",          16, 144, 113,  12, -1},
        {"cbSUSPENDAC",    CO, "GroupBox5",    "", "",                                               156, 140,  65,  20, 5},
        {"Label6",         LB, "GroupBox5",    "ハードディスクタイムアウト", "Hard Disk Time-out",    16, 164, 134,  12, -1},
        {"cbHDTIMEOUTAC",  CO, "GroupBox5",    "", "",                                               156, 160,  65,  20, 6},
        {"Label13",        LB, "GroupBox5",    "外部キャッシュ", "External Cache",                    16, 184,  76,  12, -1},
        {"cbCPUCASHAC",    CO, "GroupBox5",    "", "",                                               156, 180,  65,  20, 7},
        {"GroupBox6",      GB, "TabSheet4",    "バッテリ駆動時モード設定", "On Battery",             256, 100, 241, 209, 5},
        {"rbMODEBT",       RG, "GroupBox6",    "", "",                                                12,  12, 217,  45, 0, 2},
        {"Label7",         LB, "GroupBox6",    "ＣＰＵスピード", "CPU Speed",                         16,  64,  68,  12, -1},
        {"cbCPUSPEEDBT",   CO, "GroupBox6",    "", "",                                               164,  60,  65,  20, 1},
        {"Label8",         LB, "GroupBox6",    "ＣＰＵタイムアウト", "CPU Time-out",                  16,  84,  88,  12, -1},
        {"cbCPUTIMEOUTBT", CO, "GroupBox6",    "", "",                                               164,  80,  65,  20, 2},
        {"Label9",         LB, "GroupBox6",    "ＬＣＤバックライト", "LCD Backlight",                 16, 104,  85,  12, -1},
        {"cbLCDMODEBT",    CO, "GroupBox6",    "", "",                                               164, 100,  65,  20, 3},
        {"Label10",        LB, "GroupBox6",    "スタンバイタイムアウト", "Standby Time-out",          16, 124, 113,  12, -1},
        {"cbSTANDBYBT",    CO, "GroupBox6",    "", "",                                               164, 120,  65,  20, 4},
        {"Label11",        LB, "GroupBox6",    "サスペンドタイムアウト", "Suspend Time-out",          16, 144, 113,  12, -1},
        {"cbSUSPENDBT",    CO, "GroupBox6",    "", "",                                               164, 140,  65,  20, 5},
        {"Label12",        LB, "GroupBox6",    "ハードディスクタイムアウト", "Hard Disk Time-out",    16, 164, 134,  12, -1},
        {"cbHDTIMEOUTBT",  CO, "GroupBox6",    "", "",                                               164, 160,  65,  20, 6},
        {"Label14",        LB, "GroupBox6",    "外部キャッシュ", "External Cache",                    16, 184,  76,  12, -1},
        {"cbCPUCASHBT",    CO, "GroupBox6",    "", "",                                               164, 180,  65,  20, 7},

        // Debug
        {"Memo3",          ME, "TabSheet5",    "", "",                                                 0,   0, 504, 318, -1},
    };
    return rows;
}

int ControlId(const ControlLayout& row) {
    return kFirstControlId + static_cast<int>(&row - WindowLayout().data());
}

}  // namespace app
