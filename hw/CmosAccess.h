// What the bus runs over: a CMOS access by index and the firmware's software call, each an
// access of its own. A CMOS access has three implementations: over the port pair 70h/71h
// where there are ports (PortCmos in hw/PortIO.h: the processor in both Windows modes, the
// simulated notebook's chip model, the tests' recording machine), over /dev/nvram on Linux
// (hw/linux), and over a 128-byte image in memory (ImageCmos below), which decoding and
// comparing files use.
#pragma once

#include <cstdint>

#include "hw/Cmos.h"
#include "hw/Machine.h"

namespace hw {

class CmosAccess {
public:
    virtual ~CmosAccess() = default;
    // `index` is 00h-7Fh. A refused access throws HardwareFault.
    virtual std::uint8_t Read(std::uint8_t index) = 0;
    virtual void Write(std::uint8_t index, std::uint8_t value) = 0;
    // False for a byte that this access cannot reach at all (the clock's bytes, which the
    // Linux kernel's clock driver owns).
    virtual bool Reachable(std::uint8_t /*index*/) const { return true; }
};

class FirmwareAccess {
public:
    virtual ~FirmwareAccess() = default;
    // Loads the registers, outputs AL to port 0xB0 and returns EAX right after it.
    virtual std::uint32_t Call(const FirmwareRegisters& regs) = 0;
};

// A CMOS image in memory: a backup file's bytes, read and written as the CMOS.
class ImageCmos : public CmosAccess {
public:
    explicit ImageCmos(const CmosImage& image) : image_(image) {}
    std::uint8_t Read(std::uint8_t index) override { return image_[index & 0x7F]; }
    void Write(std::uint8_t index, std::uint8_t value) override { image_[index & 0x7F] = value; }
    const CmosImage& image() const { return image_; }

private:
    CmosImage image_;
};

}  // namespace hw
