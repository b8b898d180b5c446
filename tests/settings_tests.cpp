// The setup bytes as pure functions: decoding a byte into a choice, composing a byte from
// the choices, the time-out codes, and the debug-report lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>

#include "app/Layout.h"
#include "settings/Catalogue.h"
#include "settings/DebugReport.h"
#include "settings/SetupLayout.h"
#include "sys/Error.h"

namespace {

using settings::Choices;
using settings::CmosBytes;
using Lines = std::vector<std::string>;

// The catalogue row of a control; the test stops when there is none.
const settings::Setting& Named(std::string_view control) {
    const settings::Setting* s = settings::FindSetting(control);
    if (!s) throw std::logic_error("no setting " + std::string(control));
    return *s;
}

TEST(Timeouts, TheSevenMinuteCodesMapToTheItemsAndBack) {
    const std::uint8_t minutes[] = {0, 1, 2, 5, 10, 15, 30};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(settings::TimeoutToIndex(minutes[i]), i);
        EXPECT_EQ(settings::IndexToTimeout(i), minutes[i]);
    }
}

TEST(Timeouts, AnyOtherByteShowsNothingAndAnyOtherIndexWritesZero) {
    for (int b : {3, 4, 20, 31, 60, 0x80, 0xFF}) EXPECT_EQ(settings::TimeoutToIndex(b), -1) << b;
    for (int i : {-1, -7, 7, 100}) EXPECT_EQ(settings::IndexToTimeout(i), 0) << i;
}

struct DecodeCase {
    const char* control;
    std::vector<std::pair<std::uint8_t, std::uint8_t>> bytes;  // CMOS index, value
    int item;
};

std::ostream& operator<<(std::ostream& os, const DecodeCase& c) {
    os << c.control;
    for (auto [i, v] : c.bytes) os << " " << std::hex << int(i) << "=" << int(v);
    return os << " -> " << std::dec << c.item;
}

class Decoding : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decoding, SelectsTheItemOfTheValueOrNone) {
    CmosBytes cmos{};
    for (auto [index, value] : GetParam().bytes) cmos[index] = value;
    EXPECT_EQ(settings::Decode(Named(GetParam().control), cmos), GetParam().item);
}

INSTANTIATE_TEST_SUITE_P(
    SetupBytes, Decoding,
    testing::Values(
        DecodeCase{"rgBOOTMEMCHK", {{0x33, 0b1'0000000}}, 1},
        DecodeCase{"rgBOOTMEMCHK", {{0x33, 0b0'1111111}}, 0},
        DecodeCase{"rgDEVICEMODE", {{0x60, 0b1111'000'1}}, 1},
        DecodeCase{"rgLPTMODE", {{0x60, 0b1111'000'1}}, -1},
        DecodeCase{"rgLPTMODE", {{0x60, 0b0000'001'0}}, 0},
        DecodeCase{"rgLPTMODE", {{0x60, 0b1111'100'1}}, 3},
        DecodeCase{"rgLPTMODE", {{0x60, 0b0000'101'0}}, -1},
        DecodeCase{"rgLPTMODE", {{0x60, 0b0000'111'0}}, -1},
        DecodeCase{"rgLPTPORT", {{0x62, 0x00}, {0x63, 0x00}}, 3},
        DecodeCase{"rgLPTPORT", {{0x62, 0x78}, {0x63, 0x02}}, 0},
        DecodeCase{"rgLPTPORT", {{0x62, 0x78}, {0x63, 0x03}}, 1},
        DecodeCase{"rgLPTPORT", {{0x62, 0xBC}, {0x63, 0x03}}, 2},
        DecodeCase{"rgLPTPORT", {{0x62, 0xBC}, {0x63, 0x02}}, -1},
        DecodeCase{"rgLPTPORT", {{0x62, 0x00}, {0x63, 0x03}}, -1},
        DecodeCase{"rgLPTDMA", {{0x64, 0b111'111'01}}, 0},
        DecodeCase{"rgLPTDMA", {{0x64, 0b000'000'11}}, 1},
        DecodeCase{"rgLPTDMA", {{0x64, 0b000'111'10}}, -1},
        DecodeCase{"rgLPTDMA", {{0x64, 0b000'111'00}}, -1},
        DecodeCase{"rgCOM1PORT", {{0x65, 0xF8}, {0x66, 0x02}}, 0},
        DecodeCase{"rgCOM1PORT", {{0x65, 0xF8}, {0x66, 0x03}}, 1},
        DecodeCase{"rgCOM1PORT", {{0x65, 0x00}, {0x66, 0x00}}, 2},
        DecodeCase{"rgCOM1PORT", {{0x65, 0xE8}, {0x66, 0x03}}, -1},
        DecodeCase{"rgCOM2PORT", {{0x67, 0xF8}, {0x68, 0x03}, {0x65, 0xF8}, {0x66, 0x02}}, 1},
        DecodeCase{"rgCOM2PORT", {{0x67, 0x00}, {0x68, 0x00}}, 2},
        DecodeCase{"rgCOM2PORT", {{0x67, 0xE8}, {0x68, 0x02}}, -1},
        DecodeCase{"rgSOUNDPORT", {{0x6A, 0b1111'11'01}}, 0},
        DecodeCase{"rgSOUNDPORT", {{0x6A, 0b0000'00'11}}, 1},
        DecodeCase{"rgSOUNDPORT", {{0x6A, 0b1111'11'10}}, 2},
        DecodeCase{"rgSOUNDPORT", {{0x6A, 0b0000'00'00}}, 2},
        DecodeCase{"rgSOUNDDMA", {{0x6A, 0b0000'01'11}}, 0},
        DecodeCase{"rgSOUNDDMA", {{0x6A, 0b1111'11'00}}, 1},
        DecodeCase{"rgSOUNDDMA", {{0x6A, 0b1111'10'11}}, -1},
        DecodeCase{"rgSOUNDDMA", {{0x6A, 0b1111'00'11}}, -1},
        DecodeCase{"rgSOUNIRQ", {{0x6A, 0b0101'11'11}}, 0},
        DecodeCase{"rgSOUNIRQ", {{0x6A, 0b1001'00'00}}, 1},
        DecodeCase{"rgSOUNIRQ", {{0x6A, 0b0000'11'11}}, -1},
        DecodeCase{"rgSOUNIRQ", {{0x6A, 0b0111'00'00}}, -1},
        DecodeCase{"rgDISPMODE", {{0x6C, 0b11111'00'1}}, 1},
        DecodeCase{"rgDISPMODE", {{0x6C, 0b00000'01'0}}, -1},
        DecodeCase{"rgDISPMODE", {{0x6C, 0b00000'10'1}}, 2},
        DecodeCase{"rgDISPMODE", {{0x6C, 0b00000'11'0}}, 0},
        DecodeCase{"rgDISPSIZE", {{0x6C, 0b00000'11'1}}, 1},
        DecodeCase{"rgMOUSEMODE", {{0x6F, 0x01}}, 1},
        DecodeCase{"rgMOUSEMODE", {{0x6F, 0x02}}, -1},
        DecodeCase{"rgMOUSEMODE", {{0x6F, 0x81}}, -1},
        DecodeCase{"rgPOWSW", {{0x70, 0b1'1'00'00'10}}, 2},
        DecodeCase{"rgPOWSW", {{0x70, 0b0'0'00'00'11}}, -1},
        DecodeCase{"rbMODEAC", {{0x70, 0b0'0'00'00'00}}, 1},
        DecodeCase{"rbMODEAC", {{0x70, 0b1'1'11'01'11}}, 0},
        DecodeCase{"rbMODEAC", {{0x70, 0b0'0'00'10'00}}, 2},
        DecodeCase{"rbMODEAC", {{0x70, 0b0'0'00'11'00}}, -1},
        DecodeCase{"rbMODEBT", {{0x70, 0b0'0'01'00'00}}, 0},
        DecodeCase{"rbMODEBT", {{0x70, 0b0'0'11'01'00}}, -1},
        DecodeCase{"rgBATMODE", {{0x70, 0b0'1'00'00'00}}, 1},
        DecodeCase{"rgBATMODE", {{0x70, 0b1'0'11'11'11}}, 0},
        DecodeCase{"rgPANELSW", {{0x71, 0b000'1'0'000}}, 1},
        DecodeCase{"rgPANELSW", {{0x71, 0b111'0'1'111}}, 0},
        DecodeCase{"cbCARDPOW", {{0x71, 0b000'0'1'000}}, 1},
        DecodeCase{"cbCARDPOW", {{0x71, 0b111'1'0'111}}, 0},
        DecodeCase{"cbCPUSPEEDAC", {{0x72, 0b00'0'00'0'0'1}}, 1},
        DecodeCase{"cbCPUCASHAC", {{0x72, 0b11'1'11'1'0'1}}, 0},
        DecodeCase{"cbCPUTIMEOUTAC", {{0x72, 0b00'0'11'0'0'0}}, 1},
        DecodeCase{"cbCPUTIMEOUTAC", {{0x72, 0b11'1'01'1'1'1}}, -1},
        DecodeCase{"cbCPUTIMEOUTAC", {{0x72, 0b00'0'10'0'0'0}}, -1},
        DecodeCase{"cbLCDMODEAC", {{0x72, 0b00'1'00'0'0'0}}, 1},
        DecodeCase{"cbCPUSPEEDBT", {{0x76, 0b11'1'11'1'1'0}, {0x72, 0x01}}, 0},
        DecodeCase{"cbCPUCASHBT", {{0x76, 0b00'0'00'0'1'0}}, 1},
        DecodeCase{"cbCPUTIMEOUTBT", {{0x76, 0b00'0'11'0'0'0}}, 1},
        DecodeCase{"cbLCDMODEBT", {{0x76, 0b11'0'11'1'1'1}}, 0},
        DecodeCase{"cbHDTIMEOUTAC", {{0x73, 30}}, 6},
        DecodeCase{"cbSTANDBYAC", {{0x74, 20}}, -1},
        DecodeCase{"cbSUSPENDAC", {{0x75, 5}}, 3},
        DecodeCase{"cbHDTIMEOUTBT", {{0x77, 3}}, -1},
        DecodeCase{"cbSTANDBYBT", {{0x78, 15}}, 5},
        DecodeCase{"cbSUSPENDBT", {{0x79, 31}}, -1},
        DecodeCase{"rgBOOTMODE", {{0x7A, 0x80}}, 0},
        DecodeCase{"rgBOOTMODE", {{0x7A, 0x78}}, 1},
        DecodeCase{"rgBOOTMODE", {{0x7A, 0x00}}, -1}));

TEST(Decoding, EverySettingOfTheCatalogueHasAFieldAndNoOtherControlHasOne) {
    const CmosBytes cmos{};
    for (const auto& s : settings::Catalogue()) EXPECT_NO_THROW(settings::Decode(s, cmos));
    EXPECT_EQ(settings::FindSetting("CheckBox1"), nullptr);
}

// Composing the bytes of any single choice and decoding them again gives that choice:
// the two directions read the same table.
TEST(Composing, EveryItemOfEverySettingSurvivesTheRoundTrip) {
    for (const auto& s : settings::Catalogue()) {
        const int items = s.kind == settings::ControlKind::CheckBox ? 2 : int(s.items.size());
        for (int item = 0; item < items; ++item) {
            Choices choices;
            choices.SetAlone(s, item);
            CmosBytes cmos{};
            for (const auto& w : settings::WriteOrder())
                cmos[w.index] = settings::ComposeAll(choices)[w.index];
            EXPECT_EQ(settings::Decode(s, cmos), item) << s.control;
        }
    }
}

// The tables that describe one setting agree: adding a setting is its catalogue row and its
// layout row, and a slip in either shows here.
TEST(Tables, CatalogueLoadOrderWriteOrderAndLayoutAgree) {
    std::set<int> written;
    for (const auto& w : settings::WriteOrder()) written.insert(w.index);
    std::set<int> fieldBytes;
    std::map<const settings::Setting*, int> loads;
    for (const auto& step : settings::LoadOrder()) {
        const std::set<int> reads(step.reads.begin(), step.reads.end());
        for (const settings::Setting* s : step.settings) {
            ++loads[s];
            EXPECT_TRUE(reads.count(s->field.byte)) << s->control << " is loaded before its byte is read";
            if (s->field.mask > 0xFF) {
                EXPECT_TRUE(reads.count(s->field.byte + 1)) << s->control;
            }
        }
    }
    for (const auto& s : settings::Catalogue()) {
        EXPECT_EQ(loads[&s], 1) << s.control << " is loaded once";
        EXPECT_EQ(s.irq ? s.irq->codes.size() : s.items.size(), s.items.size()) << s.control;
        if (s.partner) {  // a partner that names no row would switch the port rule off
            const settings::Setting* partner = settings::PortPartner(s);
            ASSERT_NE(partner, nullptr) << s.control;
            EXPECT_EQ(settings::PortPartner(*partner), &s) << s.control;
            EXPECT_EQ(partner->items.begin(), s.items.begin()) << s.control << " offers other addresses";
        }
        for (const settings::Field* f : {&s.field, s.irq ? &s.irq->field : nullptr}) {
            if (!f) continue;
            fieldBytes.insert(f->byte);
            if (f->mask > 0xFF) fieldBytes.insert(f->byte + 1);
            EXPECT_TRUE(written.count(f->byte)) << s.control << " lives in a byte that the update never writes";
            if (f->mask > 0xFF) {
                EXPECT_TRUE(written.count(f->byte + 1)) << s.control << ": the update never writes its high byte";
            }
        }
        // Its control, of its kind, on its page.
        const app::ControlLayout* row = nullptr;
        for (const auto& r : app::WindowLayout())
            if (std::string_view(r.name) == s.control) row = &r;
        ASSERT_NE(row, nullptr) << s.control << " has no layout row";
        const app::Kind kind = s.kind == settings::ControlKind::RadioGroup ? app::Kind::RadioGroup
                               : s.kind == settings::ControlKind::DropDown ? app::Kind::ComboBox
                                                                           : app::Kind::CheckBox;
        EXPECT_EQ(row->kind, kind) << s.control;
        const app::ControlLayout* sheet = row;
        while (sheet && sheet->kind != app::Kind::TabSheet) {
            const char* parent = sheet->parent;
            sheet = nullptr;
            for (const auto& r : app::WindowLayout())
                if (parent && std::string_view(r.name) == parent) sheet = &r;
        }
        ASSERT_NE(sheet, nullptr) << s.control;
        EXPECT_STREQ(sheet->caption, s.page) << s.control;
        EXPECT_STREQ(sheet->english, s.pageEnglish) << s.control;
    }
    for (int index : written) EXPECT_TRUE(fieldBytes.count(index)) << std::hex << index << " holds no field";
}

// Every page and item has its Japanese text and, beside it, an English one in plain ASCII;
// the English texts of one setting's items differ, so that each names one item.
TEST(Tables, EveryPageAndItemHasAJapaneseAndAnAsciiEnglishText) {
    auto ascii = [](const char* text) {
        return text && *text && std::all_of(text, text + std::strlen(text), [](char c) {
            return static_cast<unsigned char>(c) < 0x80;
        });
    };
    std::map<std::string, std::string> pageInEnglish;
    for (const auto& s : settings::Catalogue()) {
        SCOPED_TRACE(s.key);
        ASSERT_TRUE(s.page && *s.page);
        ASSERT_TRUE(ascii(s.pageEnglish));
        EXPECT_STREQ(settings::PageCaption(s, sys::Language::Japanese), s.page);
        EXPECT_STREQ(settings::PageCaption(s, sys::Language::English), s.pageEnglish);
        const auto page = pageInEnglish.emplace(s.page, s.pageEnglish).first;
        EXPECT_EQ(page->second, s.pageEnglish) << "one English caption per page";
        std::set<std::string> english;
        for (const auto& item : s.items) {
            SCOPED_TRACE(item.name);
            EXPECT_TRUE(item.text && *item.text);
            ASSERT_TRUE(ascii(item.english));
            EXPECT_TRUE(english.insert(item.english).second) << "twice in one setting";
        }
        EXPECT_EQ(settings::ItemTexts(s, sys::Language::English).size(), s.items.size());
    }
    for (const auto& item : settings::TimeoutItems()) EXPECT_TRUE(ascii(item.english)) << item.name;
}

// Every form of a value names its item: the name in any case, the Japanese text, the English
// text in any case, and #N. No form of one item names another.
TEST(Tables, EveryFormOfAValueNamesTheSameItem) {
    const auto cased = [](std::string text, bool upper) {
        for (char& c : text) c = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(c))
                                                         : std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    for (const auto& s : settings::Catalogue()) {
        for (int i = 0; i < static_cast<int>(s.items.size()); ++i) {
            const settings::Item& item = s.items[i];
            for (const std::string& form : {std::string(item.name), cased(item.name, true), std::string(item.text),
                                            std::string(item.english), cased(item.english, false),
                                            cased(item.english, true), "#" + std::to_string(i)})
                EXPECT_EQ(settings::ParseValue(s, form), std::optional<int>(i)) << s.key << " " << form;
        }
    }
}

TEST(Choices, KeepOneChoicePerSetting) {
    Choices choices;
    EXPECT_EQ(choices[Named("rgLPTDMA")], -1);
    choices.SetAlone(Named("rgLPTDMA"), 1);
    EXPECT_EQ(choices[Named("rgLPTDMA")], 1);
    EXPECT_EQ(choices[*settings::FindSetting("rgLPTDMA")], 1);
    EXPECT_EQ(choices[Named("rgLPTMODE")], -1);
}

struct ComposeCase {
    const char* what;
    std::vector<std::pair<const char*, int>> choices;
    std::uint8_t index;
    std::uint8_t value;
};

std::ostream& operator<<(std::ostream& os, const ComposeCase& c) { return os << c.what; }

class Composing : public testing::TestWithParam<ComposeCase> {};

TEST_P(Composing, BuildsTheByteFromTheChoices) {
    Choices choices;
    for (auto [control, item] : GetParam().choices) choices.SetAlone(Named(control), item);
    EXPECT_EQ(int(settings::ComposeAll(choices)[GetParam().index]), int(GetParam().value))
        << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    SetupBytes, Composing,
    testing::Values(
        ComposeCase{"serial 2F8 / infrared OFF", {{"rgCOM1PORT", 0}, {"rgCOM2PORT", 2}}, 0x69, 0x43},
        ComposeCase{"both OFF", {{"rgCOM1PORT", 2}, {"rgCOM2PORT", 2}}, 0x69, 0x34},
        ComposeCase{"serial 3F8 / infrared 2F8", {{"rgCOM1PORT", 1}, {"rgCOM2PORT", 0}}, 0x69, 0x34},
        ComposeCase{"serial 2F8 / infrared 3F8", {{"rgCOM1PORT", 0}, {"rgCOM2PORT", 1}}, 0x69, 0x43},
        ComposeCase{"both on IRQ 4 stay", {{"rgCOM1PORT", 2}, {"rgCOM2PORT", 1}}, 0x69, 0x44},
        ComposeCase{"serial and infrared none", {}, 0x69, 0x34},
        ComposeCase{"serial 3F8 low byte", {{"rgCOM1PORT", 1}}, 0x65, 0xF8},
        ComposeCase{"serial 3F8 high byte", {{"rgCOM1PORT", 1}}, 0x66, 0x03},
        ComposeCase{"infrared 2F8 high byte", {{"rgCOM2PORT", 0}}, 0x68, 0x02},
        ComposeCase{"parallel 278 low byte", {{"rgLPTPORT", 0}}, 0x62, 0x78},
        ComposeCase{"parallel 3BC high byte", {{"rgLPTPORT", 2}}, 0x63, 0x03},
        ComposeCase{"parallel none high byte", {}, 0x63, 0x00},
        ComposeCase{"parallel 278 with DMA 3", {{"rgLPTPORT", 0}, {"rgLPTDMA", 1}}, 0x64, 0x17},
        ComposeCase{"parallel OFF with DMA 1", {{"rgLPTPORT", 3}, {"rgLPTDMA", 0}}, 0x64, 0x1D},
        ComposeCase{"parallel none, DMA none", {}, 0x64, 0x1C},
        ComposeCase{"sound 230 / 3 / 9", {{"rgSOUNDPORT", 1}, {"rgSOUNDDMA", 1}, {"rgSOUNIRQ", 1}}, 0x6A, 0x9F},
        ComposeCase{"sound OFF / 1 / 5", {{"rgSOUNDPORT", 2}, {"rgSOUNDDMA", 0}, {"rgSOUNIRQ", 0}}, 0x6A, 0x54},
        ComposeCase{"sound none", {}, 0x6A, 0x00},
        ComposeCase{"external monitor, expanded", {{"rgDISPMODE", 0}, {"rgDISPSIZE", 1}}, 0x6C, 0x07},
        ComposeCase{"internal LCD, normal", {{"rgDISPMODE", 1}, {"rgDISPSIZE", 0}}, 0x6C, 0x00},
        ComposeCase{"both displays", {{"rgDISPMODE", 2}}, 0x6C, 0x04},
        ComposeCase{"display none is internal LCD", {}, 0x6C, 0x00},
        ComposeCase{"hibernate, standard, saving, parallel",
                    {{"rgPOWSW", 2}, {"rbMODEAC", 0}, {"rbMODEBT", 1}, {"rgBATMODE", 1}}, 0x70, 0x46},
        ComposeCase{"power none: both profiles standard", {}, 0x70, 0x14},
        ComposeCase{"user profiles", {{"rbMODEAC", 2}, {"rbMODEBT", 2}}, 0x70, 0x28},
        ComposeCase{"panel suspends, cards powered", {{"rgPANELSW", 1}, {"cbCARDPOW", 1}}, 0x71, 0x18},
        ComposeCase{"AC flags all on",
                    {{"cbCPUSPEEDAC", 1}, {"cbCPUCASHAC", 1}, {"cbCPUTIMEOUTAC", 1}, {"cbLCDMODEAC", 1}},
                    0x72, 0x3B},
        ComposeCase{"BT flags from BT lists only", {{"cbCPUTIMEOUTBT", 1}, {"cbCPUSPEEDAC", 1}}, 0x76, 0x18},
        ComposeCase{"time-out 30", {{"cbHDTIMEOUTAC", 6}}, 0x73, 0x1E},
        ComposeCase{"time-out disabled", {{"cbSTANDBYBT", 0}}, 0x78, 0x00},
        ComposeCase{"time-out empty", {}, 0x79, 0x00},
        ComposeCase{"LPT mode none is unidirectional", {{"rgDEVICEMODE", 1}}, 0x60, 0x03},
        ComposeCase{"EPP, manual", {{"rgLPTMODE", 3}, {"rgDEVICEMODE", 0}}, 0x60, 0x08},
        ComposeCase{"memory check skipped", {{"rgBOOTMEMCHK", 1}}, 0x33, 0x80},
        ComposeCase{"serial mouse", {{"rgMOUSEMODE", 1}}, 0x6F, 0x01},
        ComposeCase{"HDD only", {{"rgBOOTMODE", 1}}, 0x7A, 0x78},
        ComposeCase{"boot none is FDD first", {}, 0x7A, 0x80}));

// The bytes between 60h and 7Ah that no setting uses (61h, 6Bh, 6Dh, 6Eh) are never written:
// a new setting in one of them adds its byte here, as it adds it to the write order.
TEST(WriteOrder, WritesEverySetupByteAndNoneOfTheOthers) {
    std::set<int> written;
    for (const auto& w : settings::WriteOrder()) written.insert(w.index);
    std::set<int> expected = {0x33, 0x60, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6C};
    for (int i = 0x6F; i <= 0x7A; ++i) expected.insert(i);
    EXPECT_EQ(written, expected);
}

struct DebugCase {
    std::uint8_t index;
    std::uint8_t value;
    Lines lines;
};

TEST(DebugLines, BreakEachReportedByteIntoItsFields) {
    const DebugCase cases[] = {
        {0x52, 0x0A, {"CHK change flag =0A"}},
        {0x55, 0x01,
         {"システム・パスワード設定 =01", "  bit0:システム・パスワード設定時 ON =1", "---"}},
        {0x55, 0xFE,
         {"システム・パスワード設定 =FE", "  bit0:システム・パスワード設定時 ON =0", "---"}},
        {0x64, 0x1F,
         {"パラレル・ポート設定 =1F", "  bit4-2: パラレルIRQ  7 or 5 =7",
          "  bit1-0: パラレルDMA  1 or 3 =3"}},
        {0x64, 0xE0,
         {"パラレル・ポート設定 =E0", "  bit4-2: パラレルIRQ  7 or 5 =0",
          "  bit1-0: パラレルDMA  1 or 3 =0"}},
        {0x69, 0x43, {"シリアル・ポート IRQ =43", "  bit7-4: COM2 IRQ =4", "  bit3-0: COM1 IRQ =3"}},
        {0x69, 0xF0, {"シリアル・ポート IRQ =F0", "  bit7-4: COM2 IRQ =15", "  bit3-0: COM1 IRQ =0"}},
        {0x6A, 0x9F,
         {"サウンド設定 =9F", "  bit7-4: サウンドIRQ (1:5 or 9) =9", "  bit3-2: サウンドDMA (1:1 or 3) =3",
          "  bit1:   サウンドI/Oアドレス (0:220 1:230) =1",
          "  bit0:   サウンドenable (0:disable 1:enable) =1"}},
        {0x6A, 0x00,
         {"サウンド設定 =00", "  bit7-4: サウンドIRQ (1:5 or 9) =0", "  bit3-2: サウンドDMA (1:1 or 3) =0",
          "  bit1:   サウンドI/Oアドレス (0:220 1:230) =0",
          "  bit0:   サウンドenable (0:disable 1:enable) =0"}},
        {0x60, 0x06, {}},
        {0x33, 0xFF, {}},
    };
    for (const auto& c : cases) {
        Lines lines;
        settings::WriteDebugLines(c.index, c.value, [&](const std::string& l) { lines.push_back(l); });
        EXPECT_EQ(lines, c.lines) << std::hex << int(c.index);
    }
}

}  // namespace
