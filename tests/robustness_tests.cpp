// A refused port instruction or firmware call at every step of every handler: the fault
// reaches the error reporting once, no memo stays in a batch update, every button comes
// back, no file stays open, what was done before the fault stays, and the window goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "tests/AppRig.h"
#include "tests/TempDir.h"

namespace {

using Handler = void (app::TfrmMAIN::*)(ui::TControl*);

struct HandlerCase {
    const char* name;
    Handler handler;
    bool keyButton;  // sent by a hot-key button
};

std::ostream& operator<<(std::ostream& os, const HandlerCase& c) { return os << c.name; }

// A window shown on the simulated notebook, with its files in a temporary folder.
struct Window {
    TempDir dir;
    AppRig rig;
    Window() {
        rig.env.executablePath = dir.File("TOVIKA-SIM.exe");
        rig.form.HibernationPath = dir.File("hiber.dat");
        rig.sim.firmware().hibernationSize = 4096;
        rig.form.FormShow(nullptr);
        rig.dialogs.messages.clear();
        rig.rec.clear();
    }
    void Run(const HandlerCase& c) {
        rig.form.Dispatch(c.handler, c.keyButton ? &rig.form.Button3 : nullptr);
    }
};

bool HeldOpen(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

class RefusedInstruction : public testing::TestWithParam<HandlerCase> {};

TEST_P(RefusedInstruction, AtEveryStepEndsTheHandlerCleanly) {
    // A clean run tells how many operations the handler makes and what it leaves.
    Window clean;
    clean.Run(GetParam());
    const long steps = clean.rig.rec.count();
    ASSERT_GT(steps, 0);
    const auto memo2 = clean.rig.form.Memo2.Lines();
    const auto memo3 = clean.rig.form.Memo3.Lines();
    const auto cleanOps = clean.rig.rec.Trace();

    for (long n = 1; n <= steps; ++n) {
        SCOPED_TRACE("refused operation " + std::to_string(n) + " of " + std::to_string(steps));
        Window w;
        auto& f = w.rig.form;
        w.rig.rec.RefuseNth(n);
        w.Run(GetParam());

        // Reported once: by the default error reporting, or by the file operation's own
        // error message, never as success.
        ASSERT_EQ(w.rig.dialogs.messages.size(), 1u);
        const std::string& msg = w.rig.dialogs.messages[0];
        EXPECT_TRUE(msg.rfind("refused: ", 0) == 0 || msg.find("が作成できません.") != std::string::npos)
            << msg;

        EXPECT_EQ(f.Memo2.UpdateDepth(), 0);
        EXPECT_EQ(f.Memo3.UpdateDepth(), 0);
        for (const auto& c : f.Components())
            if (auto* b = dynamic_cast<ui::TButton*>(c.get()); b && b != &f.btnClrPASSWD) {
                EXPECT_TRUE(b->Enabled()) << b->Name();
            }
        EXPECT_FALSE(HeldOpen(w.dir.File("cmos.dat")));
        EXPECT_FALSE(HeldOpen(w.dir.File("hiber.dat")));

        // What happened before the refused step is what a clean run does first.
        const auto ops = w.rig.rec.Trace();
        ASSERT_EQ(ops.size(), static_cast<size_t>(n - 1));
        EXPECT_TRUE(std::equal(ops.begin(), ops.end(), cleanOps.begin()));
        // Lines already added stay; they are the first lines of a clean run.
        for (const auto& [memo, full] : {std::pair{&f.Memo2, &memo2}, std::pair{&f.Memo3, &memo3}}) {
            if (memo->Lines() == *full) continue;
            ASSERT_LE(memo->Lines().size(), full->size());
            EXPECT_TRUE(std::equal(memo->Lines().begin(), memo->Lines().end(), full->begin()));
        }

        // The window goes on: the next handler runs normally.
        w.rig.dialogs.messages.clear();
        f.btnGetSTAT.Click();
        EXPECT_TRUE(w.rig.dialogs.messages.empty());
        EXPECT_EQ(f.Memo2.Count(), 22);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, RefusedInstruction,
    testing::Values(HandlerCase{"Button2Click", &app::TfrmMAIN::Button2Click, false},
                    HandlerCase{"btnUPDATEClick", &app::TfrmMAIN::btnUPDATEClick, false},
                    HandlerCase{"btnGetSTATClick", &app::TfrmMAIN::btnGetSTATClick, false},
                    HandlerCase{"btnCMOSDUMPClick", &app::TfrmMAIN::btnCMOSDUMPClick, false},
                    HandlerCase{"btnCMOSBACKUPClick", &app::TfrmMAIN::btnCMOSBACKUPClick, false},
                    HandlerCase{"btnF2Click", &app::TfrmMAIN::btnF2Click, true},
                    HandlerCase{"btnMAKEHIBERClick", &app::TfrmMAIN::btnMAKEHIBERClick, false},
                    HandlerCase{"FormShow", &app::TfrmMAIN::FormShow, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RefusedInstruction, DuringAnUpdateLeavesTheBytesAlreadyWritten) {
    Window clean;
    clean.rig.form.rgMOUSEMODE.SetItemIndex(1);
    clean.Run({"update", &app::TfrmMAIN::btnUPDATEClick, false});
    const auto trace = clean.rig.rec.Trace();
    const auto mouse = std::find(trace.begin(), trace.end(), "out 70 6F");
    ASSERT_NE(mouse, trace.end());

    Window w;
    w.rig.form.rgMOUSEMODE.SetItemIndex(1);
    w.rig.rec.RefuseNth((mouse - trace.begin()) + 3);  // the step after the data write of 6Fh
    w.Run({"update", &app::TfrmMAIN::btnUPDATEClick, false});
    EXPECT_EQ(w.rig.sim.cmos()[0x6F], 0x01) << "written before the fault, and kept";
    EXPECT_EQ(w.rig.rec.CmosAndCalls().back(), "W6F=01");
    EXPECT_EQ(w.rig.sim.firmware().settingsAccepted, 0) << "no 0600h after a fault";
}

}  // namespace
