// A machine for tests and measurements: passes every operation on to another machine (the
// simulated notebook, usually) and keeps the exact sequence of operations. It can also refuse
// the n-th operation, as the processor refuses a port instruction without the port grant.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hw/Machine.h"

namespace hw {

struct Operation {
    enum Kind { In, Out, Cli, Sti, Call } kind;
    std::uint16_t port = 0;
    std::uint8_t value = 0;       // byte read or written
    FirmwareRegisters regs{};     // for Call
    std::uint32_t result = 0;     // EAX after a Call

    bool operator==(const Operation& o) const {
        return kind == o.kind && port == o.port && value == o.value && regs == o.regs &&
               result == o.result;
    }
};

std::string ToString(const Operation& op);

class RecordingMachine : public Machine {
public:
    explicit RecordingMachine(Machine& inner) : inner_(inner) {}

    std::uint8_t In(std::uint16_t port) override;
    void Out(std::uint16_t port, std::uint8_t value) override;
    void ClearInterruptFlag() override;
    void SetInterruptFlag() override;
    std::uint32_t SoftwareCall(const FirmwareRegisters& regs) override;
    bool NeedsPortGrant() const override { return inner_.NeedsPortGrant(); }

    const std::vector<Operation>& log() const { return log_; }
    // Starts over: an empty log and a count from zero.
    void clear() {
        log_.clear();
        count_ = 0;
        refuseAt_ = 0;
    }

    // The n-th operation from now (1 = the next) throws HardwareFault instead of running;
    // 0 refuses nothing. Counts every kind of operation.
    void RefuseNth(long n) { refuseAt_ = n ? count_ + n : 0; }
    long count() const { return count_; }  // operations attempted so far, refused ones included

    // Operations of the log in a compact form, for tests that compare traces:
    // "out 70 33", "in 71 -> 20", "cli", "sti", "call 9904 ffff0002 0 -> 1".
    std::vector<std::string> Trace() const;
    // Only the CMOS accesses and firmware calls: "R33=20", "W60=06", "F0600(0)".
    std::vector<std::string> CmosAndCalls() const;

private:
    void Step(const char* what);
    Machine& inner_;
    std::vector<Operation> log_;
    long count_ = 0;
    long refuseAt_ = 0;
};

}  // namespace hw
