// The window's two languages: the choice when the program starts, both texts in every table,
// and the window's handlers in English.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string_view>

#include "app/LanguageChoice.h"
#include "app/Layout.h"
#include "settings/DebugReport.h"
#include "sys/Messages.h"
#include "tests/AppRig.h"

namespace {

using app::LanguageSwitch;
using sys::Language;

// ---- the choice ---------------------------------------------------------------------------

struct ChoiceCase {
    const char* name;
    app::LanguageFacts facts;
    app::TextChoice expected;
    friend void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }
};

class LanguageChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(LanguageChoice, FollowsTheCodePageTheUiLanguageAndTheSwitch) {
    const ChoiceCase& c = GetParam();
    const app::TextChoice got = app::ChooseTexts(c.facts);
    EXPECT_EQ(got.language, c.expected.language);
    EXPECT_EQ(got.unicode, c.expected.unicode);
}

constexpr app::TextChoice kAnsiJapanese{Language::Japanese, false};
constexpr app::TextChoice kUnicodeJapanese{Language::Japanese, true};
constexpr app::TextChoice kEnglish{Language::English, false};
constexpr std::uint16_t kJa = 0x0411, kEnUs = 0x0409, kDe = 0x0407;
constexpr auto kNone = LanguageSwitch::None, kToJa = LanguageSwitch::Japanese, kToEn = LanguageSwitch::English;

//                                  code page  NT     UI lang  932 installed  switch
INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageChoice,
    testing::Values(
        // Code page 932: Japanese through the ANSI API, whatever the UI language says.
        ChoiceCase{"Cp932", {932, true, kJa, true, kNone}, kAnsiJapanese},
        ChoiceCase{"Cp932On95", {932, false, kJa, true, kNone}, kAnsiJapanese},
        ChoiceCase{"Cp932EnglishUi", {932, true, kEnUs, true, kNone}, kAnsiJapanese},
        ChoiceCase{"Cp932SwitchJa", {932, false, kJa, true, kToJa}, kAnsiJapanese},
        ChoiceCase{"Cp932SwitchEn", {932, true, kJa, true, kToEn}, kEnglish},
        // Another code page: Japanese through the Unicode API where all three allow it.
        ChoiceCase{"Cp1252JapaneseUiNt", {1252, true, kJa, true, kNone}, kUnicodeJapanese},
        ChoiceCase{"Cp1252JapaneseUiNtNo932", {1252, true, kJa, false, kNone}, kEnglish},
        ChoiceCase{"Cp1252JapaneseUi95", {1252, false, kJa, true, kNone}, kEnglish},
        ChoiceCase{"Cp1252EnglishUi", {1252, true, kEnUs, true, kNone}, kEnglish},
        ChoiceCase{"Cp1252GermanUi", {1252, true, kDe, true, kNone}, kEnglish},
        ChoiceCase{"Cp1252JapaneseSublanguage", {1252, true, 0x0811, true, kNone}, kUnicodeJapanese},
        ChoiceCase{"Cp1252SwitchEnOnJapaneseUi", {1252, true, kJa, true, kToEn}, kEnglish},
        ChoiceCase{"Cp1252SwitchJaOnEnglishUi", {1252, true, kEnUs, true, kToJa}, kUnicodeJapanese},
        // Japanese asked for where it cannot be shown: English.
        ChoiceCase{"Cp1252SwitchJaOn95", {1252, false, kEnUs, true, kToJa}, kEnglish},
        ChoiceCase{"Cp1252SwitchJaNo932", {1252, true, kJa, false, kToJa}, kEnglish},
        ChoiceCase{"Cp1251JapaneseUiNt", {1251, true, kJa, true, kNone}, kUnicodeJapanese}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LanguageSwitch, IsAnArgumentOfItsOwnInAnyCaseTheLastOneWinning) {
    const struct { const char* line; LanguageSwitch expected; } cases[] = {
        {"", kNone},
        {"/lang:ja", kToJa},
        {"/lang:en", kToEn},
        {"/LANG:EN", kToEn},
        {"  /lang:en\t", kToEn},
        {"foo /lang:ja bar", kToJa},
        {"/lang:en /lang:ja", kToJa},
        {"/lang:de", kNone},
        {"/lang:english", kNone},
        {"-lang:en", kNone},
        {"x/lang:en", kNone},
    };
    for (const auto& c : cases) EXPECT_EQ(app::ParseLanguageSwitch(c.line), c.expected) << "[" << c.line << "]";
}

// ---- the tables ---------------------------------------------------------------------------

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Each table row that has a Japanese text has an English one, and the English is plain ASCII.
TEST(Texts, EveryRowHasBothTextsAndTheEnglishIsAscii) {
    for (const app::ControlLayout& row : app::WindowLayout()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(*row.caption == '\0', *row.english == '\0') << "one text without the other";
        EXPECT_TRUE(IsAscii(row.english)) << row.english;
        EXPECT_STREQ(app::CaptionIn(row, Language::English), row.english);
        EXPECT_STREQ(app::CaptionIn(row, Language::Japanese), row.caption);
    }
    sys::ForEachMessageRow([](const sys::MessageRow& row) {
        SCOPED_TRACE(static_cast<int>(row.id));
        EXPECT_NE(*row.japanese, '\0');
        EXPECT_NE(*row.english, '\0');
        EXPECT_TRUE(IsAscii(row.english)) << row.english;
    });
    int labels = 0;
    settings::ForEachDebugLabel([&](std::string_view japanese, std::string_view english) {
        ++labels;
        EXPECT_FALSE(japanese.empty());
        EXPECT_FALSE(english.empty());
        EXPECT_TRUE(IsAscii(english)) << english;
    });
    EXPECT_GT(labels, 0);
}

// ---- the window in English ----------------------------------------------------------------

std::vector<std::string> TextsOf(const app::TfrmMAIN& form) {
    std::vector<std::string> texts;
    for (const auto& c : form.Components()) {
        texts.push_back(c->Caption());
        if (auto* g = dynamic_cast<const ui::TRadioGroup*>(c.get())) texts.insert(texts.end(), g->Items.begin(), g->Items.end());
        if (auto* l = dynamic_cast<const ui::TComboBox*>(c.get())) texts.insert(texts.end(), l->Items.begin(), l->Items.end());
        if (auto* m = dynamic_cast<const ui::TMemo*>(c.get())) texts.insert(texts.end(), m->Lines().begin(), m->Lines().end());
    }
    return texts;
}

TEST(EnglishWindow, ShowsEveryCaptionItemAndReportInAscii) {
    AppRig english(Language::English), japanese;
    english.form.FormShow(nullptr);
    japanese.form.FormShow(nullptr);
    EXPECT_EQ(english.form.TabSheet4.Caption(), "Power");
    EXPECT_EQ(english.form.btnUPDATE.Caption(), "Update");
    EXPECT_EQ(english.form.rgCOM2PORT.Caption(), "Infrared (IrDA) Port Address");
    for (const std::string& text : TextsOf(english.form)) EXPECT_TRUE(IsAscii(text)) << text;
    // The same lines, only the words differ.
    EXPECT_EQ(english.form.Memo2.Lines().size(), japanese.form.Memo2.Lines().size());
    EXPECT_EQ(english.form.Memo3.Lines().size(), japanese.form.Memo3.Lines().size());
    EXPECT_EQ(english.form.Memo3.Lines()[1].substr(0, 16), "System password ");
}

TEST(EnglishWindow, UpdateWritesTheSameBytesAsInJapanese) {
    AppRig english(Language::English), japanese;
    for (AppRig* rig : {&english, &japanese}) {
        rig->form.FormShow(nullptr);
        rig->form.rgDISPMODE.SetItemIndex(2);
        rig->form.cbSTANDBYAC.SetItemIndex(3);
        rig->form.btnUPDATEClick(nullptr);
    }
    EXPECT_EQ(english.sim.cmos(), japanese.sim.cmos());
    EXPECT_EQ(english.dialogs.confirmations, std::vector<std::string>{"The CMOS settings will be updated."});
}

TEST(EnglishWindow, AsksAndTellsInEnglish) {
    AppRig rig(Language::English);
    rig.form.HibernationPath = "/nonexistent-folder/hiber.dat";
    rig.form.btnMAKEHIBERClick(nullptr);
    ASSERT_EQ(rig.dialogs.confirmations.size(), 1u);
    EXPECT_EQ(rig.dialogs.confirmations[0], "/nonexistent-folder/hiber.dat will be created.");
    ASSERT_FALSE(rig.dialogs.messages.empty());
    EXPECT_EQ(rig.dialogs.messages.back(), "Error: /nonexistent-folder/hiber.dat cannot be created.");
}

}  // namespace
