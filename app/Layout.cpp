#include "app/Layout.h"

namespace app {

namespace {
constexpr auto PC = Kind::PageControl, TS = Kind::TabSheet, PN = Kind::Panel,
               GB = Kind::GroupBox, BT = Kind::Button, LB = Kind::Label, ME = Kind::Memo,
               RG = Kind::RadioGroup, CO = Kind::ComboBox, CK = Kind::CheckBox;
}  // namespace

const std::vector<ControlLayout>& WindowLayout() {
    static const std::vector<ControlLayout> rows = {
        // name            kind id  parent          caption (Japanese, English)                             L    T    W    H  tab cols enabled font
        {"PageControl1",   PC, 1000, nullptr,        "", "",                                                 0,   0, 512, 345, 0},
        {"TabSheet1",      TS, 1001, "PageControl1", "情報", "Info",                                         0,   0, 504, 318, -1},
        {"TabSheet2",      TS, 1002, "PageControl1", "システム", "System",                                   0,   0, 504, 318, -1},
        {"TabSheet3",      TS, 1003, "PageControl1", "ビデオ", "Video",                                      0,   0, 504, 318, -1},
        {"TabSheet4",      TS, 1004, "PageControl1", "省電力", "Power",                                      0,   0, 504, 318, -1},
        {"TabSheet5",      TS, 1005, "PageControl1", "Debug", "Debug",                                       0,   0, 504, 318, -1},
        {"lbProgVer",      LB, 1006, nullptr,        "Prog Version", "Prog Version",                         4, 352,  66,  12, -1},
        {"lbSystemInfo",   LB, 1007, nullptr,        "System info", "System info",                           4, 364,  61,  12, -1},
        {"btnMAKEHIBER",   BT, 1008, nullptr,        "ハイバネ領域作成", "Hibernation File",               260, 352, 103,  25, 3},
        {"Button2",        BT, 1009, nullptr,        "再読込", "Reload",                                   368, 352,  69,  25, 2},
        {"btnUPDATE",      BT, 1010, nullptr,        "更新", "Update",                                     440, 352,  69,  25, 1},

        // 情報
        {"Panel1",         PN, 1011, "TabSheet1",    "", "",                                                 0,   0, 504,  33, 0},
        {"btnGetSTAT",     BT, 1012, "Panel1",       "再表示", "Refresh",                                  424,   2,  75,  25, 0},
        {"btnCMOSDUMP",    BT, 1013, "Panel1",       "DUMP", "DUMP",                                       344,   2,  65,  25, 1},
        {"btnCMOSBACKUP",  BT, 1014, "Panel1",       "BACKUP", "BACKUP",                                   276,   2,  65,  25, 2},
        {"btnF2",          BT, 1015, "Panel1",       "F2:LCD", "F2:LCD",                                     4,   2,  51,  25, 3},
        {"Button1",        BT, 1016, "Panel1",       "F3:DISP", "F3:DISP",                                  56,   2,  51,  25, 4},
        {"Button3",        BT, 1017, "Panel1",       "F5:Vol", "F5:Vol",                                   108,   2,  51,  25, 5},
        {"Button4",        BT, 1018, "Panel1",       "F6:APM", "F6:APM",                                   160,   2,  51,  25, 6},
        {"Button5",        BT, 1019, "Panel1",       "F9:Batt", "F9:Batt",                                 212,   2,  51,  25, 7},
        {"Memo2",          ME, 1020, "TabSheet1",    "", "",                                                 0,  33, 504, 285, -1, 1, true, Font::Fixed},

        // システム
        {"rgDEVICEMODE",   RG, 1021, "TabSheet2",    "デバイス制御モード", "Device Control Mode",            8,   8, 189,  45, 0},
        {"rgLPTMODE",      RG, 1022, "TabSheet2",    "パラレルポート制御モード", "Parallel Port Mode",       8,  60, 189,  45, 1, 2},
        {"rgMOUSEMODE",    RG, 1023, "TabSheet2",    "マウスポート制御モード", "Mouse Port Mode",            8, 112, 189,  45, 2},
        {"rgBOOTMODE",     RG, 1024, "TabSheet2",    "起動ドライブシーケンス", "Boot Drive Order",           8, 164, 189,  45, 3},
        {"rgBOOTMEMCHK",   RG, 1025, "TabSheet2",    "起動時のメモリチェック", "Memory Check at Boot",        8, 216, 189,  33, 4, 2},
        {"GroupBox1",      GB, 1026, "TabSheet2",    "システムパスワード設定", "System Password",            8, 256, 189,  45, 5},
        {"btnClrPASSWD",   BT, 1027, "GroupBox1",    "パスワード消去", "Clear Password",                    32,  16, 127,  25, 0, 1, false},
        {"GroupBox2",      GB, 1028, "TabSheet2",    "パラレルポート設定", "Parallel Port",                208,   8, 289,  73, 6},
        {"rgLPTPORT",      RG, 1029, "GroupBox2",    "ポートアドレス", "Port Address",                      12,  16, 181,  45, 0, 2},
        {"rgLPTDMA",       RG, 1030, "GroupBox2",    "DMA 番号", "DMA No.",                                204,  16,  73,  45, 1},
        {"rgCOM1PORT",     RG, 1031, "TabSheet2",    "シリアルポートアドレス設定", "Serial Port Address",  208,  92, 289,  45, 7, 3},
        {"rgCOM2PORT",     RG, 1032, "TabSheet2",    "赤外線通信(IrDA)ポートアドレス設定", "Infrared (IrDA) Port Address", 208, 148, 289, 45, 8, 3},
        {"GroupBox3",      GB, 1033, "TabSheet2",    "サウンドポートアドレス設定", "Sound Port Address",   208, 208, 289,  93, 9},
        {"rgSOUNDPORT",    RG, 1034, "GroupBox3",    "ポートアドレス", "Port Address",                      12,  16,  93,  61, 0},
        {"rgSOUNIRQ",      RG, 1035, "GroupBox3",    "IRQ 番号", "IRQ No.",                                116,  16,  77,  45, 1, 1, true, Font::Black},
        {"rgSOUNDDMA",     RG, 1036, "GroupBox3",    "DMA 番号", "DMA No.",                                204,  16,  73,  45, 2},

        // ビデオ
        {"rgDISPMODE",     RG, 1037, "TabSheet3",    "ディスプレイ設定", "Display",                         72,  16, 173,  69, 0},
        {"rgDISPSIZE",     RG, 1038, "TabSheet3",    "表示サイズ", "Display Size",                         256,  16, 173,  69, 1},

        // 省電力
        {"rgPOWSW",        RG, 1039, "TabSheet4",    "パワースイッチ設定", "Power Switch",                   4,   4, 493,  33, 0, 3},
        {"rgBATMODE",      RG, 1040, "TabSheet4",    "バッテリー放電制御", "Battery Discharge",              4,  44, 121,  45, 1},
        {"rgPANELSW",      RG, 1041, "TabSheet4",    "パネルスイッチ設定", "Panel Switch",                 136,  44, 117,  45, 2, 1, true, Font::Black},
        {"GroupBox4",      GB, 1042, "TabSheet4",    "", "",                                               264,  44, 233,  45, 3},
        {"CheckBox1",      CK, 1043, "GroupBox4",    "ホットキーハイバネーション有効", "Hibernation by Hot Key", 12,  8, 189,  17, 0, 1, false},
        {"cbCARDPOW",      CK, 1044, "GroupBox4",    "サスペンド時PCカードに電源供給する", "Power to PC Cards in Suspend", 12, 24, 213, 17, 1, 1, true, Font::Black},
        {"GroupBox5",      GB, 1045, "TabSheet4",    "AC駆動時モード設定", "On Mains (AC)",                  4, 100, 233, 209, 4},
        {"rbMODEAC",       RG, 1046, "GroupBox5",    "", "",                                                12,  12, 209,  45, 0, 2},
        {"Label1",         LB, 1047, "GroupBox5",    "ＣＰＵスピード", "CPU Speed",                         16,  64,  68,  12, -1},
        {"cbCPUSPEEDAC",   CO, 1048, "GroupBox5",    "", "",                                               156,  60,  65,  20, 1},
        {"Label2",         LB, 1049, "GroupBox5",    "ＣＰＵタイムアウト", "CPU Time-out",                  16,  84,  88,  12, -1},
        {"cbCPUTIMEOUTAC", CO, 1050, "GroupBox5",    "", "",                                               156,  80,  65,  20, 2},
        {"Label3",         LB, 1051, "GroupBox5",    "ＬＣＤバックライト", "LCD Backlight",                 16, 104,  85,  12, -1},
        {"cbLCDMODEAC",    CO, 1052, "GroupBox5",    "", "",                                               156, 100,  65,  20, 3},
        {"Label4",         LB, 1053, "GroupBox5",    "スタンバイタイムアウト", "Standby Time-out",          16, 124, 113,  12, -1},
        {"cbSTANDBYAC",    CO, 1054, "GroupBox5",    "", "",                                               156, 120,  65,  20, 4},
        {"Label5",         LB, 1055, "GroupBox5",    "サスペンドタイムアウト", "Suspend Time-out",          16, 144, 113,  12, -1},
        {"cbSUSPENDAC",    CO, 1056, "GroupBox5",    "", "",                                               156, 140,  65,  20, 5},
        {"Label6",         LB, 1057, "GroupBox5",    "ハードディスクタイムアウト", "Hard Disk Time-out",    16, 164, 134,  12, -1},
        {"cbHDTIMEOUTAC",  CO, 1058, "GroupBox5",    "", "",                                               156, 160,  65,  20, 6},
        {"Label13",        LB, 1059, "GroupBox5",    "外部キャッシュ", "External Cache",                    16, 184,  76,  12, -1},
        {"cbCPUCASHAC",    CO, 1060, "GroupBox5",    "", "",                                               156, 180,  65,  20, 7},
        {"GroupBox6",      GB, 1061, "TabSheet4",    "バッテリ駆動時モード設定", "On Battery",             256, 100, 241, 209, 5},
        {"rbMODEBT",       RG, 1062, "GroupBox6",    "", "",                                                12,  12, 217,  45, 0, 2},
        {"Label7",         LB, 1063, "GroupBox6",    "ＣＰＵスピード", "CPU Speed",                         16,  64,  68,  12, -1},
        {"cbCPUSPEEDBT",   CO, 1064, "GroupBox6",    "", "",                                               164,  60,  65,  20, 1},
        {"Label8",         LB, 1065, "GroupBox6",    "ＣＰＵタイムアウト", "CPU Time-out",                  16,  84,  88,  12, -1},
        {"cbCPUTIMEOUTBT", CO, 1066, "GroupBox6",    "", "",                                               164,  80,  65,  20, 2},
        {"Label9",         LB, 1067, "GroupBox6",    "ＬＣＤバックライト", "LCD Backlight",                 16, 104,  85,  12, -1},
        {"cbLCDMODEBT",    CO, 1068, "GroupBox6",    "", "",                                               164, 100,  65,  20, 3},
        {"Label10",        LB, 1069, "GroupBox6",    "スタンバイタイムアウト", "Standby Time-out",          16, 124, 113,  12, -1},
        {"cbSTANDBYBT",    CO, 1070, "GroupBox6",    "", "",                                               164, 120,  65,  20, 4},
        {"Label11",        LB, 1071, "GroupBox6",    "サスペンドタイムアウト", "Suspend Time-out",          16, 144, 113,  12, -1},
        {"cbSUSPENDBT",    CO, 1072, "GroupBox6",    "", "",                                               164, 140,  65,  20, 5},
        {"Label12",        LB, 1073, "GroupBox6",    "ハードディスクタイムアウト", "Hard Disk Time-out",    16, 164, 134,  12, -1},
        {"cbHDTIMEOUTBT",  CO, 1074, "GroupBox6",    "", "",                                               164, 160,  65,  20, 6},
        {"Label14",        LB, 1075, "GroupBox6",    "外部キャッシュ", "External Cache",                    16, 184,  76,  12, -1},
        {"cbCPUCASHBT",    CO, 1076, "GroupBox6",    "", "",                                               164, 180,  65,  20, 7},

        // Debug
        {"Memo3",          ME, 1077, "TabSheet5",    "", "",                                                 0,   0, 504, 318, -1},
    };
    return rows;
}

int ControlId(const ControlLayout& row) { return row.id; }

}  // namespace app
