#include "hw/SimNotebook.h"

namespace hw {

CmosImage FactoryCmos() {
    CmosImage c{};
    // Real-time clock: 2001-04-01 09:30:00, update-in-progress clear, 24-hour BCD mode.
    c[0x00] = 0x00; c[0x02] = 0x30; c[0x04] = 0x09; c[0x06] = 0x01;
    c[0x07] = 0x01; c[0x08] = 0x04; c[0x09] = 0x01;
    c[0x0A] = 0x26; c[0x0B] = 0x02; c[0x0C] = 0x00; c[0x0D] = 0x80;
    c[0x10] = 0x40;                  // 1.44 MB floppy
    c[0x12] = 0xF0; c[0x14] = 0x0F;  // hard disk type in 19h; equipment
    c[0x15] = 0x80; c[0x16] = 0x02;  // base memory 640 KB
    c[0x17] = 0x00; c[0x18] = 0x7C;  // extended memory 31744 KB
    c[0x19] = 0x2F; c[0x1A] = 0x00;  // drive C extension type; no drive D
    c[0x2E] = 0x03; c[0x2F] = 0x5A;  // checksum of 10h-2Dh as the firmware keeps it
    c[0x30] = 0x00; c[0x31] = 0x7C;  // extended memory found at power-on
    c[0x32] = 0x20;                  // century
    c[0x33] = 0x20;                  // memory check performed; firmware data in bits 6-0
    c[0x52] = 0x00; c[0x55] = 0x00;  // change-check flag; no system password
    // Setup bytes: a full, valid choice on every settings page.
    c[0x60] = 0x06;                          // manual device mode, ECP
    c[0x62] = 0x78; c[0x63] = 0x03;          // parallel 378h
    c[0x64] = 0x1F;                          // IRQ 7, DMA 3
    c[0x65] = 0xF8; c[0x66] = 0x03;          // serial 3F8h
    c[0x67] = 0xF8; c[0x68] = 0x02;          // infrared 2F8h
    c[0x69] = 0x34;                          // infrared IRQ 3, serial IRQ 4
    c[0x6A] = 0x55;                          // sound IRQ 5, DMA 1, 220h enabled
    c[0x6C] = 0x00;                          // internal LCD, normal size
    c[0x6F] = 0x00;                          // flat pad / PS/2 mouse
    c[0x70] = 0x05;                          // suspend switch; mains standard, battery saving
    c[0x71] = 0x18;                          // panel switch suspends; PC cards powered
    c[0x72] = 0x23; c[0x73] = 0x0A; c[0x74] = 0x00; c[0x75] = 0x1E;  // mains profile
    c[0x76] = 0x1A; c[0x77] = 0x02; c[0x78] = 0x05; c[0x79] = 0x0A;  // battery profile
    c[0x7A] = 0x80;                          // floppy, then hard disk
    return c;
}

FirmwareState FactoryFirmware() {
    FirmwareState f;
    f.hibernationSize = 0x02100000;  // 32 MB of memory and 1 MB of video memory
    f.status[status::kFreqHigh] = 1660;
    f.status[1] = 0x0001;
    f.status[status::kCpuSpeed] = 1;
    f.status[status::kFan] = 0;
    f.status[status::kTemperature] = 122;
    f.status[5] = 0x0003;
    f.status[6] = 0x0100;
    f.status[status::kAcOffline] = 0;
    f.status[status::kBatteryAState] = 7;
    f.status[status::kBatteryBState] = 0;
    f.status[status::kBatteryACharge] = 30;
    f.status[status::kBatteryBCharge] = 0;
    f.status[status::kBacklight] = 1;
    f.status[status::kVolume] = 1;
    f.status[status::kDisplayOutput] = 0;
    f.status[status::kFreqLow] = 830;
    f.status[16] = 0x0400;  // firmware revision 4.00
    f.status[17] = 0x1999;
    return f;
}

std::uint8_t SimNotebook::In(std::uint16_t port) {
    if (port == kCmosDataPort) return firmware_.stuckCmos[selected_].value_or(cmos_[selected_]);
    if (port == kCmosIndexPort) return 0xFF;  // the index port is write-only
    return 0xFF;                              // nothing decodes other ports
}

void SimNotebook::Out(std::uint16_t port, std::uint8_t value) {
    if (port == kCmosIndexPort) {
        selected_ = value & 0x7F;  // bit 7 masks NMI; it is not part of the index
    } else if (port == kCmosDataPort) {
        if (firmware_.stuckCmos[selected_]) return;  // accepted and lost, not saved either
        // Kept first: a byte that sim-cmos.dat refuses does not change here either, so the
        // CMOS read back is the one a restart finds.
        if (onCmosWrite) onCmosWrite(selected_, value);
        cmos_[selected_] = value;
    }
    // A bare byte on port 0xB0 without the registers is not a request: ignored.
}

void SimNotebook::PressHotKey(int key) {
    auto& s = firmware_.status;
    switch (key) {
    case 2: s[status::kBacklight] = s[status::kBacklight] ? 0 : 1; break;
    case 3: s[status::kDisplayOutput] = (s[status::kDisplayOutput] + 1) % 3; break;
    case 5: s[status::kVolume] = (s[status::kVolume] + 1) % 3; break;
    case 6: s[status::kCpuSpeed] = s[status::kCpuSpeed] ? 0 : 1; break;
    case 9:
        s[status::kAcOffline] = s[status::kAcOffline] ? 0 : 1;
        // Off the mains a charging battery stops charging; back on it charges again.
        if (s[status::kAcOffline] && s[status::kBatteryAState] == 7) s[status::kBatteryAState] = 1;
        else if (!s[status::kAcOffline] && s[status::kBatteryAState] == 1) s[status::kBatteryAState] = 7;
        break;
    default: break;  // other keys do nothing on this model
    }
}

std::uint32_t SimNotebook::SoftwareCall(const FirmwareRegisters& regs) {
    if (!firmware_.answers) return regs.eax;           // a firmware that stays silent
    if (regs.edx != kFirmwareMagic) return regs.eax;  // not addressed to the firmware
    const std::uint16_t function = regs.eax & 0xFFFF;
    const std::uint16_t param1 = regs.ebx & 0xFFFF;
    switch (function) {
    case kFnSettingsChanged: ++firmware_.settingsAccepted; return 0;
    case kFnHibernationSize: return firmware_.hibernationSize;
    case kFnHotKey: PressHotKey(param1); return 0;
    case kFnStatus: return param1 < kStatusCount ? firmware_.status[param1] : 0;
    default: return regs.eax;  // unknown function: EAX comes back unchanged
    }
}

}  // namespace hw
