// Arbitrary hardware: a CMOS image and firmware answers taken from the fuzzer's bytes, fed
// to the loader, both reports and the writer. Every input must give the fixed number of
// lines, a choice or no selection in every control, and a write that a second load and
// write reproduce byte for byte; where the firmware does not answer at all (another PC), no
// write at all. The sanitizers catch undefined behaviour on the way.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/SettingControls.h"
#include "settings/SetupIo.h"
#include "tests/AppRig.h"

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

void CheckSelections(const app::TfrmMAIN& form) {
    for (const auto& c : form.Components()) {
        if (auto* g = dynamic_cast<const ui::TRadioGroup*>(c.get()))
            Check(g->ItemIndex() >= -1 && g->ItemIndex() < static_cast<int>(g->Items.size()),
                  "radio group index in range");
        if (auto* l = dynamic_cast<const ui::TComboBox*>(c.get()))
            Check(l->ItemIndex() >= -1 && l->ItemIndex() < static_cast<int>(l->Items.size()),
                  "drop-down index in range");
    }
    Check(form.rgSOUNDPORT.ItemIndex() >= 0, "the sound port always shows a choice");
    Check(form.rgCOM1PORT.ItemIndex() != form.rgCOM2PORT.ItemIndex() ||
              form.rgCOM1PORT.ItemIndex() == 2 || form.rgCOM1PORT.ItemIndex() == -1,
          "serial and infrared never on the same address");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    AppRig rig;
    auto& cmos = rig.sim.cmos();
    const std::size_t n = size < cmos.size() ? size : cmos.size();
    std::memcpy(cmos.data(), data, n);
    data += n;
    size -= n;
    auto& fw = rig.sim.firmware();
    auto take32 = [&](std::uint32_t& out) {
        if (size < 4) return;
        std::memcpy(&out, data, 4);
        data += 4;
        size -= 4;
    };
    take32(fw.hibernationSize);
    for (auto& word : fw.status) take32(word);
    if (size >= 1) fw.answers = (data[0] & 1) == 0;

    auto& form = rig.form;
    form.FormShow(nullptr);
    Check(form.Memo3.Count() == 15, "15 debug lines");
    Check(form.Memo2.Count() == 22, "22 report lines");
    CheckSelections(form);

    // The command line's load gives what the window's controls show.
    hw::Bus bus(rig.port, rig.port.Access(hw::PortMode::Plain));
    const auto controls = app::SettingControls::Resolve([&](std::string_view n) { return form.FindComponent(n); });
    Check(settings::LoadChoices(bus) == controls.Choices(), "the command line loads what the window shows");

    form.btnCMOSDUMPClick(nullptr);
    Check(form.Memo2.Count() == 19, "19 dump lines");

    const auto before = rig.sim.cmos();
    form.btnUPDATEClick(nullptr);
    const auto written = rig.sim.cmos();
    if (!fw.answers) Check(written == before, "nothing written where the firmware does not answer");
    form.Button2Click(nullptr);
    CheckSelections(form);
    form.btnUPDATEClick(nullptr);
    Check(rig.sim.cmos() == written, "a load and a write of what was written changes nothing");
    Check(form.Memo2.UpdateDepth() == 0 && form.Memo3.UpdateDepth() == 0, "no memo left frozen");
    return 0;
}
