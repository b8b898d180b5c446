#include "hw/SimNotebook.h"

namespace hw {

CmosImage FactoryCmos() {
    using namespace cmos;
    CmosImage c{};
    // Real-time clock: 2001-04-01 09:30:00, update-in-progress clear, 24-hour BCD mode.
    c[kSeconds] = 0x00; c[kMinutes] = 0x30; c[kHours] = 0x09; c[kWeekday] = 0x01;
    c[kDayOfMonth] = 0x01; c[kMonth] = 0x04; c[kYear] = 0x01;
    c[kStatusA] = 0x26; c[kStatusB] = 0x02; c[kStatusC] = 0x00; c[kStatusD] = 0x80;
    c[kFloppyTypes] = 0x40;                             // 1.44 MB floppy
    c[kHardDiskTypes] = 0xF0; c[kEquipment] = 0x0F;     // hard disk type in 19h; equipment
    c[kBaseMemoryLow] = 0x80; c[kBaseMemoryLow + 1] = 0x02;          // 640 KB
    c[kExtendedMemoryLow] = 0x00; c[kExtendedMemoryLow + 1] = 0x7C;  // 31744 KB
    c[kDriveCType] = 0x2F; c[kDriveDType] = 0x00;
    c[kMemoryFoundLow] = 0x00; c[kMemoryFoundLow + 1] = 0x7C;  // extended memory found at power-on
    c[kCentury] = 0x20;
    c[kBootFlags] = 0x20;            // memory check performed; firmware data in bits 6-0
    c[kChangeFlag] = 0x00; c[kPassword] = 0x00;  // no system password
    // Setup bytes: a full, valid choice on every settings page.
    c[kDevices] = 0x06;                                          // manual device mode, ECP
    c[kParallelAddress] = 0x78; c[kParallelAddress + 1] = 0x03;  // parallel 378h
    c[kParallelDma] = 0x1F;                                      // IRQ 7, DMA 3
    c[kSerialAddress] = 0xF8; c[kSerialAddress + 1] = 0x03;      // serial 3F8h
    c[kInfraredAddress] = 0xF8; c[kInfraredAddress + 1] = 0x02;  // infrared 2F8h
    c[kPortIrqs] = 0x34;                                         // infrared IRQ 3, serial IRQ 4
    c[kSound] = 0x55;                                            // sound IRQ 5, DMA 1, 220h enabled
    c[kDisplay] = 0x00;                                          // internal LCD, normal size
    c[kPointingDevice] = 0x00;                                   // flat pad / PS/2 mouse
    c[kPower] = 0x05;            // suspend switch; mains standard, battery saving
    c[kPanel] = 0x18;            // panel switch suspends; PC cards powered
    const std::uint8_t mains[] = {0x23, 0x0A, 0x00, 0x1E}, battery[] = {0x1A, 0x02, 0x05, 0x0A};
    for (int i = 0; i < 4; ++i) c[kMainsProfile + i] = mains[i], c[kBatteryProfile + i] = battery[i];
    c[kBootOrder] = 0x80;        // floppy, then hard disk
    // The standard checksum, as the firmware keeps it: the sum of 10h-2Dh, high byte first.
    // The kernel's nvram driver refuses every access while it is wrong.
    unsigned sum = 0;
    for (int i = kChecksumFirst; i < kChecksumHigh; ++i) sum += c[i];
    c[kChecksumHigh] = static_cast<std::uint8_t>(sum >> 8);
    c[kChecksumHigh + 1] = static_cast<std::uint8_t>(sum);
    return c;
}

namespace {

// The status words whose meaning the program does not know: the register dump shows them as
// the notebook gives them.
struct DumpOnlyWord {
    int index;
    std::uint32_t value;
};
constexpr DumpOnlyWord kDumpOnlyWords[] = {{1, 0x0001}, {5, 0x0003}, {6, 0x0100}, {17, 0x1999}};

}  // namespace

FirmwareState FactoryFirmware() {
    FirmwareState f;
    f.hibernationSize = 0x02100000;  // 32 MB of memory and 1 MB of video memory
    f.status[status::kFreqHigh] = 1660;
    f.status[status::kCpuSpeed] = 1;
    f.status[status::kFan] = 0;
    f.status[status::kTemperature] = 122;
    f.status[status::kAcOffline] = 0;
    f.status[status::kBatteryAState] = 7;
    f.status[status::kBatteryBState] = 0;
    f.status[status::kBatteryACharge] = 30;
    f.status[status::kBatteryBCharge] = 0;
    f.status[status::kBacklight] = 1;
    f.status[status::kVolume] = 1;
    f.status[status::kDisplayOutput] = 0;
    f.status[status::kFreqLow] = 830;
    f.status[status::kRevision] = 0x0400;  // 4.00
    for (const DumpOnlyWord& word : kDumpOnlyWords) f.status[word.index] = word.value;
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
