// What each handler costs beside its port instructions. On the notebook every port
// instruction is an I/O bus cycle of about a microsecond (and a firmware call an SMI that
// takes longer still), so the program's own work should be a small fraction of that: the
// "own/port" counter is the CPU time of one run divided by 1 us per port instruction.
#include <benchmark/benchmark.h>

#include "tests/AppRig.h"

namespace {

// Counts what the handler asked of the machine without keeping a log.
class CountingMachine : public hw::Machine {
public:
    explicit CountingMachine(hw::Machine& inner) : inner_(inner) {}
    std::uint8_t In(std::uint16_t port) override { ++ports; return inner_.In(port); }
    void Out(std::uint16_t port, std::uint8_t value) override { ++ports; inner_.Out(port, value); }
    void ClearInterruptFlag() override { ++flags; }
    void SetInterruptFlag() override { ++flags; }
    std::uint32_t SoftwareCall(const hw::FirmwareRegisters& regs) override {
        ++calls;
        return inner_.SoftwareCall(regs);
    }
    long ports = 0, flags = 0, calls = 0;

private:
    hw::Machine& inner_;
};

struct Bench {
    hw::SimNotebook sim;
    CountingMachine counter{sim};
    hw::TPortArray port{counter, [] { return true; }};
    ScriptedDialogs dialogs;  // answers OK
    sys::PosixFileSystem files;
    sys::FixedEnvironment env;
    app::TfrmMAIN form{app::Services{port, dialogs, files, env}};
    Bench() {
        form.FormCreate(nullptr);
        form.FormShow(nullptr);
    }
};

void RunHandler(benchmark::State& state, void (app::TfrmMAIN::*handler)(ui::TControl*),
                bool withSender = false) {
    Bench b;
    ui::TControl* sender = withSender ? static_cast<ui::TControl*>(&b.form.Button3) : nullptr;
    b.counter.ports = b.counter.calls = b.counter.flags = 0;
    for (auto _ : state) (b.form.*handler)(sender);
    const double runs = static_cast<double>(state.iterations());
    const double ports = b.counter.ports / runs, calls = b.counter.calls / runs;
    state.counters["port_insns"] = ports;
    state.counters["fw_calls"] = calls;
    // Each firmware call is one more port instruction (the byte out to port 0xB0).
    const double portSeconds = (ports + calls) * 1e-6;
    // (CPU time of one run) / (port time of one run): an iteration-invariant rate of the
    // port time, inverted.
    state.counters["own/port"] = benchmark::Counter(
        portSeconds, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Button2Click(benchmark::State& s) { RunHandler(s, &app::TfrmMAIN::Button2Click); }
void BM_btnUPDATEClick(benchmark::State& s) { RunHandler(s, &app::TfrmMAIN::btnUPDATEClick); }
void BM_btnGetSTATClick(benchmark::State& s) { RunHandler(s, &app::TfrmMAIN::btnGetSTATClick); }
void BM_btnCMOSDUMPClick(benchmark::State& s) { RunHandler(s, &app::TfrmMAIN::btnCMOSDUMPClick); }
void BM_btnF2Click(benchmark::State& s) { RunHandler(s, &app::TfrmMAIN::btnF2Click, true); }

BENCHMARK(BM_Button2Click);
BENCHMARK(BM_btnUPDATEClick);
BENCHMARK(BM_btnGetSTATClick);
BENCHMARK(BM_btnCMOSDUMPClick);
BENCHMARK(BM_btnF2Click);

}  // namespace


