#include "tests/support/RecordingMachine.h"

#include "hw/HardwareFault.h"
#include "sys/Hex.h"

namespace hw {

namespace {
std::string Hex(unsigned v, int minDigits = 2) { return sys::Hex(v, minDigits); }
}  // namespace

std::string ToString(const Operation& op) {
    switch (op.kind) {
    case Operation::In: return "in " + Hex(op.port) + " -> " + Hex(op.value);
    case Operation::Out: return "out " + Hex(op.port) + " " + Hex(op.value);
    case Operation::Cli: return "cli";
    case Operation::Sti: return "sti";
    case Operation::Call:
        return "call " + Hex(op.regs.eax, 4) + " " + Hex(op.regs.ebx, 8) + " " +
               Hex(op.regs.ecx, 1) + " -> " + Hex(op.result, 1);
    }
    return "?";
}

void RecordingMachine::Step(const char* what) {
    ++count_;
    if (refuseAt_ && count_ == refuseAt_) {
        refuseAt_ = 0;
        throw HardwareFault(std::string("refused: ") + what);
    }
}

std::uint8_t RecordingMachine::In(std::uint16_t port) {
    Step("in");
    const std::uint8_t v = inner_.In(port);
    log_.push_back({Operation::In, port, v});
    return v;
}

void RecordingMachine::Out(std::uint16_t port, std::uint8_t value) {
    Step("out");
    inner_.Out(port, value);
    log_.push_back({Operation::Out, port, value});
}

void RecordingMachine::ClearInterruptFlag() {
    Step("cli");
    inner_.ClearInterruptFlag();
    log_.push_back({Operation::Cli});
}

void RecordingMachine::SetInterruptFlag() {
    Step("sti");
    inner_.SetInterruptFlag();
    log_.push_back({Operation::Sti});
}

std::uint32_t RecordingMachine::SoftwareCall(const FirmwareRegisters& regs) {
    Step("call");
    const std::uint32_t r = inner_.SoftwareCall(regs);
    Operation op{Operation::Call};
    op.port = kFirmwarePort;
    op.value = static_cast<std::uint8_t>(regs.eax);
    op.regs = regs;
    op.result = r;
    log_.push_back(op);
    return r;
}

std::vector<std::string> RecordingMachine::Trace() const {
    std::vector<std::string> out;
    out.reserve(log_.size());
    for (const auto& op : log_) out.push_back(ToString(op));
    return out;
}

std::vector<std::string> RecordingMachine::CmosAndCalls() const {
    std::vector<std::string> out;
    int index = -1;
    for (const auto& op : log_) {
        if (op.kind == Operation::Out && op.port == kCmosIndexPort) {
            index = op.value;
        } else if (op.kind == Operation::In && op.port == kCmosDataPort) {
            out.push_back("R" + Hex(index) + "=" + Hex(op.value));
        } else if (op.kind == Operation::Out && op.port == kCmosDataPort) {
            out.push_back("W" + Hex(index) + "=" + Hex(op.value));
        } else if (op.kind == Operation::Call) {
            out.push_back("F" + Hex(op.regs.eax & 0xFFFF, 4) + "(" +
                          std::to_string(op.regs.ebx & 0xFFFF) + ")");
        }
    }
    return out;
}

}  // namespace hw
