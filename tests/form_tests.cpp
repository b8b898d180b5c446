// The main window's own jobs: components from the layout, FormCreate's labels, FormShow,
// FormDblClick, the serial-port rule, and the default error reporting.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/Layout.h"
#include "app/SystemInfo.h"
#include "e2e/Controls.h"
#include "hw/HardwareFault.h"
#include "tests/AppRig.h"

namespace {

TEST(Form, HasEveryComponentOfTheLayoutWithItsInitialState) {
    AppRig rig;
    auto& f = rig.form;
    EXPECT_EQ(f.Components().size(), app::WindowLayout().size());
    EXPECT_EQ(f.rgCOM1PORT.Items, (std::vector<std::string>{"2F8H(IRQ3)", "3F8H(IRQ4)", "OFF"}));
    EXPECT_EQ(f.rgCOM1PORT.Columns, 3);
    EXPECT_EQ(f.cbHDTIMEOUTBT.Items.size(), 7u);
    EXPECT_EQ(f.Button4.Tag, 6);
    EXPECT_FALSE(f.btnClrPASSWD.Enabled());
    EXPECT_FALSE(f.CheckBox1.Enabled());
    EXPECT_EQ(f.rgBOOTMEMCHK.ItemIndex(), -1);
    EXPECT_EQ(f.PageControl1.ActivePage(), &f.TabSheet1);
    EXPECT_EQ(f.Memo2.Count(), 0);
}

TEST(Form, AMissingOrMistypedComponentIsNamedInTheError) {
    AppRig rig;
    const auto message = [&](auto find) {
        try {
            find();
        } catch (const sys::Error& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { rig.form.Component<ui::TButton>("btnNOSUCH"); }), "no component named btnNOSUCH");
    EXPECT_EQ(message([&] { rig.form.Component<ui::TButton>("Memo2"); }), "the component Memo2 is of another kind");
}

TEST(Form, ShowHidesTheDebugTabAndDoubleClicksToggleIt) {
    AppRig rig;
    auto& f = rig.form;
    f.FormShow(nullptr);
    EXPECT_EQ(f.PageControl1.VisibleTabs().size(), 4u);
    EXPECT_EQ(f.PageControl1.ActivePage(), &f.TabSheet1);
    f.FormDblClick(nullptr);
    ASSERT_EQ(f.PageControl1.VisibleTabs().size(), 5u);
    EXPECT_EQ(f.PageControl1.VisibleTabs().back(), &f.TabSheet5);
    f.PageControl1.SetActivePage(&f.TabSheet5);
    f.FormDblClick(nullptr);
    EXPECT_EQ(f.PageControl1.ActivePage(), &f.TabSheet4) << "the last remaining tab";
}

TEST(SerialPortRule, ChangingOneGroupMovesTheOtherOffItsAddress) {
    AppRig rig;
    auto& com1 = rig.form.rgCOM1PORT;
    auto& com2 = rig.form.rgCOM2PORT;
    com2.SetItemIndex(1);
    com1.SetItemIndex(1);
    EXPECT_EQ(com2.ItemIndex(), 0);
    com2.SetItemIndex(1);  // back onto com1's address
    EXPECT_EQ(com1.ItemIndex(), 0);
    com2.SetItemIndex(2);
    com1.SetItemIndex(1);
    EXPECT_EQ(com2.ItemIndex(), 2) << "OFF never moves";
    com1.SetItemIndex(2);
    com2.SetItemIndex(0);
    EXPECT_EQ(com1.ItemIndex(), 2);
}

TEST(RadioGroup, AssignmentClampsAndRunsTheHandlerOnlyOnAChangeToAnItem) {
    ui::TRadioGroup g("g");
    g.Items = {"a", "b", "c"};
    std::vector<int> seen;
    g.OnClick = [&](ui::TControl*) { seen.push_back(g.ItemIndex()); };
    g.SetItemIndex(7);
    g.SetItemIndex(2);
    g.SetItemIndex(-5);
    g.SetItemIndex(-1);
    g.SetItemIndex(0);
    g.SetLoading(true);
    g.SetItemIndex(1);
    EXPECT_EQ(seen, (std::vector<int>{2, 0}));
    EXPECT_EQ(g.ItemIndex(), 1);
}

TEST(Memo, RefilledWithMoreFewerLongerOrShorterLinesShowsExactlyTheNewOnes) {
    using Lines = std::vector<std::string>;
    ui::TMemo memo("m");
    const Lines fills[] = {
        {"first line, long enough to live outside the string", "2", "third"},
        {"short", "a second line that is longer than any before it", "3", "four", "five"},
        {"one"},
        {},
        {"again the first line, long enough to live outside the string", "b"},
    };
    for (const Lines& lines : fills) {
        memo.Clear();
        for (const std::string& line : lines) memo.Add(line);
        EXPECT_EQ(memo.Lines(), lines);
    }
}

TEST(SystemLabel, NamesEverySystemAsTheVersionRecordSays) {
    const struct { sys::OsVersion v; const char* text; bool nt; } cases[] = {
        {{true, 4, 0, 0x04000000u | 1000, 1}, "Windows95  (Windows Ver.4.0  Build 1000)", false},
        {{true, 4, 0, 1001, 1}, "Windows95(OSR2)  (Windows Ver.4.0  Build 1001)", false},
        {{true, 4, 10, 0x040A08AE, 1}, "Windows98  (Windows Ver.4.10  Build 2222)", false},
        {{true, 4, 90, 0x045A0BB8, 1}, "WindowsMe  (Windows Ver.4.90  Build 3000)", false},
        {{true, 4, 3, 5, 1}, "Windows9x(Me Later)  (Windows Ver.4.3  Build 5)", false},
        {{true, 4, 0, 1381, 2}, "WindowsNT  (Windows Ver.4.0  Build 1381)", true},
        {{true, 5, 1, 2600, 2}, "Windows2000  (Windows Ver.5.1  Build 2600)", true},
        {{true, 6, 1, 7601, 2}, "WindowsNT(2000 Later)  (Windows Ver.6.1  Build 7601)", true},
        {{true, 3, 10, 77, 0}, "Win32s on Windows 3.1  (Windows Ver.3.10  Build -1)", false},
        {{true, 4, 0, 77, 3}, "  (Windows Ver.4.0  Build -1)", false},
    };
    for (const auto& c : cases) {
        const auto label = app::DescribeSystem(c.v);
        EXPECT_EQ(label.text, c.text);
        EXPECT_EQ(label.isNT, c.nt) << c.text;
    }
}

TEST(VersionLabel, ShowsTheFileVersionOrItsFailureTexts) {
    EXPECT_EQ(app::ProgramVersionLabel({true, true, "0.5.0.0"}), "Prog Version 0.5.0.0");
    EXPECT_EQ(app::ProgramVersionLabel({false, false, ""}), "Version: Error");
    EXPECT_EQ(app::ProgramVersionLabel({true, false, ""}), "Prog Version");
}

TEST(ErrorReporting, AFaultEndsTheHandlerAndIsShownOnce) {
    AppRig rig;
    rig.rec.RefuseNth(1);
    rig.form.Button2.Click();
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0], "refused: out");
}

}  // namespace

namespace {

// The processor as the real executable sees it: its port instructions need the grant.
class GrantedOnlyByGiveio : public hw::SimNotebook {
public:
    bool NeedsPortGrant() const override { return true; }
};

TEST(MissingGrant, IsToldOnceBeforeTheFirstAccessOnTheNtFamilyOnly) {
    const struct { std::uint32_t platform; bool driverOpened; bool told; } cases[] = {
        {2, false, true},   // NT without giveio
        {2, true, false},   // NT with the grant
        {1, false, false},  // 95/98/Me: the instructions need no grant
    };
    for (const auto& c : cases) {
        GrantedOnlyByGiveio machine;
        hw::RecordingMachine rec(machine);
        hw::TPortArray port(rec, [&] { return c.driverOpened; });
        ScriptedDialogs dialogs;
        sys::PosixFileSystem files;
        sys::FixedEnvironment env;
        env.osVersion = {true, c.platform == 2 ? 5u : 4u, c.platform == 2 ? 0u : 10u, 2195, c.platform};
        app::TfrmMAIN form(app::Services{port, dialogs, files, env});
        form.FormCreate(nullptr);
        size_t accessesWhenTold = 0;
        dialogs.onInform = [&](const std::string&) { accessesWhenTold = rec.log().size(); };
        form.FormShow(nullptr);
        form.FormShow(nullptr);
        const auto told = std::count_if(dialogs.messages.begin(), dialogs.messages.end(),
                                        [](const std::string& m) { return m.find("giveio") != std::string::npos; });
        EXPECT_EQ(told, c.told ? 1 : 0) << "platform " << c.platform;
        if (c.told) {
            EXPECT_EQ(accessesWhenTold, 0u) << "told before the first port access";
        }
    }
}

// Each component keeps the identifier written in its row, whatever rows come before it: the
// ones that the end-to-end driver knows (e2e/Controls.h), unique in the window.
TEST(Form, EveryComponentHasTheIdentifierOfItsRow) {
    std::set<int> ids;
    for (const app::ControlLayout& row : app::WindowLayout()) {
        EXPECT_TRUE(ids.insert(app::ControlId(row)).second) << row.name << " shares its identifier";
        EXPECT_GE(app::ControlId(row), app::kFirstControlId) << row.name;
        const auto known = std::find_if(std::begin(e2e::kControls), std::end(e2e::kControls),
                                        [&](const e2e::Control& c) { return std::string(c.name) == row.name; });
        ASSERT_NE(known, std::end(e2e::kControls)) << row.name << " is missing from e2e/Controls.h";
        EXPECT_EQ(app::ControlId(row), known->id) << row.name;
    }
}

}  // namespace
