// The control identifiers of the window's components, as the driver expects them: kept here
// by hand, apart from the window's own layout table, so that a component that the window
// gives a wrong identifier (or another class) is found out instead of being followed. Each
// row of the window's layout table carries its component's number.
#pragma once

namespace e2e {

// What kind of native window a component is.
enum class Is { PageControl, Button, CheckBox, ComboBox, Label, Memo, Frame };

struct Control {
    const char* name;
    int id;
    Is is;
};

constexpr Control kControls[] = {
    {"PageControl1",    1000, Is::PageControl},
    {"TabSheet1",       1001, Is::Frame},
    {"TabSheet2",       1002, Is::Frame},
    {"TabSheet3",       1003, Is::Frame},
    {"TabSheet4",       1004, Is::Frame},
    {"TabSheet5",       1005, Is::Frame},
    {"lbProgVer",       1006, Is::Label},
    {"lbSystemInfo",    1007, Is::Label},
    {"btnMAKEHIBER",    1008, Is::Button},
    {"Button2",         1009, Is::Button},
    {"btnUPDATE",       1010, Is::Button},
    {"Panel1",          1011, Is::Frame},
    {"btnGetSTAT",      1012, Is::Button},
    {"btnCMOSDUMP",     1013, Is::Button},
    {"btnCMOSBACKUP",   1014, Is::Button},
    {"btnF2",           1015, Is::Button},
    {"Button1",         1016, Is::Button},
    {"Button3",         1017, Is::Button},
    {"Button4",         1018, Is::Button},
    {"Button5",         1019, Is::Button},
    {"Memo2",           1020, Is::Memo},
    {"rgDEVICEMODE",    1021, Is::Frame},
    {"rgLPTMODE",       1022, Is::Frame},
    {"rgMOUSEMODE",     1023, Is::Frame},
    {"rgBOOTMODE",      1024, Is::Frame},
    {"rgBOOTMEMCHK",    1025, Is::Frame},
    {"GroupBox1",       1026, Is::Frame},
    {"btnClrPASSWD",    1027, Is::Button},
    {"GroupBox2",       1028, Is::Frame},
    {"rgLPTPORT",       1029, Is::Frame},
    {"rgLPTDMA",        1030, Is::Frame},
    {"rgCOM1PORT",      1031, Is::Frame},
    {"rgCOM2PORT",      1032, Is::Frame},
    {"GroupBox3",       1033, Is::Frame},
    {"rgSOUNDPORT",     1034, Is::Frame},
    {"rgSOUNIRQ",       1035, Is::Frame},
    {"rgSOUNDDMA",      1036, Is::Frame},
    {"rgDISPMODE",      1037, Is::Frame},
    {"rgDISPSIZE",      1038, Is::Frame},
    {"rgPOWSW",         1039, Is::Frame},
    {"rgBATMODE",       1040, Is::Frame},
    {"rgPANELSW",       1041, Is::Frame},
    {"GroupBox4",       1042, Is::Frame},
    {"CheckBox1",       1043, Is::CheckBox},
    {"cbCARDPOW",       1044, Is::CheckBox},
    {"GroupBox5",       1045, Is::Frame},
    {"rbMODEAC",        1046, Is::Frame},
    {"Label1",          1047, Is::Label},
    {"cbCPUSPEEDAC",    1048, Is::ComboBox},
    {"Label2",          1049, Is::Label},
    {"cbCPUTIMEOUTAC",  1050, Is::ComboBox},
    {"Label3",          1051, Is::Label},
    {"cbLCDMODEAC",     1052, Is::ComboBox},
    {"Label4",          1053, Is::Label},
    {"cbSTANDBYAC",     1054, Is::ComboBox},
    {"Label5",          1055, Is::Label},
    {"cbSUSPENDAC",     1056, Is::ComboBox},
    {"Label6",          1057, Is::Label},
    {"cbHDTIMEOUTAC",   1058, Is::ComboBox},
    {"Label13",         1059, Is::Label},
    {"cbCPUCASHAC",     1060, Is::ComboBox},
    {"GroupBox6",       1061, Is::Frame},
    {"rbMODEBT",        1062, Is::Frame},
    {"Label7",          1063, Is::Label},
    {"cbCPUSPEEDBT",    1064, Is::ComboBox},
    {"Label8",          1065, Is::Label},
    {"cbCPUTIMEOUTBT",  1066, Is::ComboBox},
    {"Label9",          1067, Is::Label},
    {"cbLCDMODEBT",     1068, Is::ComboBox},
    {"Label10",         1069, Is::Label},
    {"cbSTANDBYBT",     1070, Is::ComboBox},
    {"Label11",         1071, Is::Label},
    {"cbSUSPENDBT",     1072, Is::ComboBox},
    {"Label12",         1073, Is::Label},
    {"cbHDTIMEOUTBT",   1074, Is::ComboBox},
    {"Label14",         1075, Is::Label},
    {"cbCPUCASHBT",     1076, Is::ComboBox},
    {"Memo3",           1077, Is::Memo},
};

}  // namespace e2e
