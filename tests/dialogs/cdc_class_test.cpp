// CDC_class over scripted dialogs: results, page_err, the messages of a failed dialog.
#include <functional>

#include <QPageLayout>
#include <QPrinter>
#include <gtest/gtest.h>

#include "../support/recording_messages.h"
#include "../support/scripted_dialogs.h"
#include "dialogs/cdc_class.h"
#include "platform/printer_target.h"
#include "shell/state.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;

class CdcTest : public ::testing::Test {
protected:
    void SetUp() override { page_err = false; }
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    CDC_class cdc;
};

struct NotChosen { const char* function; std::function<QVariant(CDC_class&)> show; QVariant result; };

TEST_F(CdcTest, CancelOrFailureSetsPageErrAndNamesOnlyACodedFailureByItsText)
{
    const std::vector<NotChosen> cases = {
        {"ShowOpen", [](CDC_class& c) { return QVariant(c.ShowOpen(nullptr, {}, 0, {}, {})); }, u""_s},
        {"ShowSave", [](CDC_class& c) { return QVariant(c.ShowSave(nullptr, {}, {}, 0, {}, {})); }, u""_s},
        {"ShowPrinter", [](CDC_class& c) { c.ShowPrinter(nullptr, 0); return QVariant(); }, QVariant()},
        {"ShowColor", [](CDC_class& c) { return QVariant(c.ShowColor(nullptr, 0)); }, -1},
        {"ShowFont", [](CDC_class& c) { return QVariant(c.ShowFont(nullptr, 0)); }, u""_s},
        {"ShowPageSetupDlg", [](CDC_class& c) { return QVariant(c.ShowPageSetupDlg(nullptr, 0)); }, -1},
    };
    for (const NotChosen& c : cases) {
        for (std::int32_t code : {0, 4103}) {
            dialogs.files = {{{false, code}, {}}};
            dialogs.printers = {{false, code}};
            dialogs.colours = {{{false, code}, 0}};
            dialogs.fonts = {{{false, code}, {}}};
            dialogs.page_setups = {{{false, code}, {}}};
            messages.clear();
            EXPECT_EQ(c.show(cdc), c.result) << c.function;
            EXPECT_TRUE(page_err) << c.function;
            ASSERT_EQ(messages.shown().size(), code ? 1u : 0u) << c.function;  // nothing for a plain cancel
            for (const Recorded& m : messages.shown())
                EXPECT_EQ(std::tuple(m.text, m.title, m.icon, m.buttons),
                          std::tuple(QString::fromLatin1(c.function) + u"\n\nThe function could not find any printers."_s,
                                     u"FUNCTION ERROR"_s, 0, 0));
        }
    }
    // Other codes come from the table or say undocumented.
    cdc.error_message(u"ShowOpen"_s, 20000);
    EXPECT_EQ(messages.last().text, u"ShowOpen\n\nUndocumented error."_s);
    // Two texts joined as they stand, with the doubled space between them.
    cdc.error_message(u"f"_s, 4099);
    EXPECT_TRUE(messages.last().text.contains(u"even though the function  was asked"_s));
    cdc.error_message(u"f"_s, 0xFFFF);
    EXPECT_EQ(messages.last().text, u"f\n\nThe function could not open the dialog box."_s);
}

TEST_F(CdcTest, OpenGivesOnePathOrTheFolderAndEveryName)
{
    dialogs.files = {{{true, 0}, {u"/data/trees/a.dta"_s}},
                     {{true, 0}, {u"/data/trees/a.dta"_s, u"/data/trees/b c.dta"_s}}};
    page_err = true;
    EXPECT_EQ(cdc.ShowOpen(nullptr, u"Data (*.dta)|*.dta|All files|*.*"_s, 0, u"Open"_s, u"/data"_s),
              u"/data/trees/a.dta"_s);
    EXPECT_FALSE(page_err);
    EXPECT_EQ(cdc.ShowOpen(nullptr, {}, CDC_class::ofn_allowmultiselect, {}, {}),
              u"/data/trees\ra.dta\rb c.dta\r"_s);
    const auto& asked = dialogs.file_requests;
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(std::tuple(asked[0].filter, asked[0].title, asked[0].folder, asked[0].multiple),
              std::tuple(u"Data (*.dta);;All files (*)"_s, u"Open"_s, u"/data"_s, false));
    // The second dialog starts from the file chosen in the first.
    EXPECT_EQ(std::pair(asked[1].initial, asked[1].multiple), std::pair(u"/data/trees/a.dta"_s, true));
    // Windows-style filters: "|" or NUL between parts, ";" between patterns, listed patterns kept once.
    EXPECT_EQ(qt_file_filter(QStringLiteral("Pictures (*.gif;*.jpg)") + QChar(0) + u"*.gif;*.jpg|odd"_s),
              u"Pictures (*.gif *.jpg)"_s);
}

TEST_F(CdcTest, CustomColoursAreKeptOnlyFromAConfirmedDialog)
{
    dialogs.edit_custom = [](std::array<std::int32_t, 16>& c) { c[3] = 0x123456; };
    dialogs.colours = {{{false, 0}, 0}, {{true, 0}, 255}};
    EXPECT_EQ(cdc.ShowColor(nullptr, 0), -1);
    EXPECT_EQ(cdc.custom_colours()[3], 0);
    EXPECT_EQ(cdc.ShowColor(nullptr, 0), 255);
    EXPECT_EQ(cdc.custom_colours()[3], 0x123456);
    ASSERT_EQ(dialogs.colours_offered.size(), 2u);
    EXPECT_EQ(dialogs.colours_offered[1], (std::array<std::int32_t, 16>{}));
}

TEST_F(CdcTest, AChosenFontIsKeptForFontDataAndWeightNamesSetTheBoldFlag)
{
    const char* names[] = {"Don't care", "Thin", "Extra Light", "Light", "Normal", "", "Demi-bold", "Bold",
                           "Extra-bold", "Black"};
    for (int code = 0; code <= 900; code += 100) {
        cdc.font_wt(900);
        EXPECT_EQ(cdc.font_wt(code), QString::fromLatin1(names[code / 100])) << code;
        EXPECT_EQ(cdc.FontData(2).toBool(), code == 500 || code >= 600) << code;  // 500: no name, bold as it was
    }
    dialogs.fonts = {{{true, 0}, {u"Georgia"_s, 125, 700, true, false, true, 0x00ff00}},
                     {{true, 0}, {u"Arial"_s, 135, 500, false, true, false, 0}}};
    EXPECT_EQ(cdc.ShowFont(nullptr, 74051), u"Georgia"_s);
    const platform::FontRequest& asked = dialogs.font_requests.front();
    EXPECT_EQ(std::tuple(asked.flags, asked.initial.face, asked.initial.tenths, asked.min_size, asked.max_size),
              std::tuple(74051, u"Century Gothic"_s, 120, 10, 72));
    QVariantList got;
    for (std::int16_t op = 0; op <= 7; ++op)
        got << cdc.FontData(op);
    EXPECT_EQ(got, (QVariantList{u"Georgia"_s, QVariant::fromValue<std::int16_t>(12), true, true, false, true,
                                 QVariant::fromValue<std::int32_t>(0x00ff00), u"Bold"_s}));
    cdc.ShowFont(nullptr, 0);  // 13.5 points rounds to the even 14
    EXPECT_EQ(std::pair(cdc.FontData(1).toInt(), cdc.FontData(7).toString()), std::pair(14, u""_s));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_FALSE(cdc.FontData(8).isValid());
    EXPECT_EQ(std::tuple(messages.last().text, messages.last().title, messages.last().icon),
              std::tuple(u"The parameter must be in the range 0 to 7 "_s, u"FONT DATA ERROR"_s, 0));
}

TEST_F(CdcTest, PageSetupHandsTheMarginsBackInTheFlaggedUnit)
{
    dialogs.page_setups = {{{true, 0}, QMarginsF(72, 36, 18, 144)}, {{true, 0}, QMarginsF(72, 36, 18, 144)}};
    EXPECT_EQ(cdc.ShowPageSetupDlg(nullptr, 36), 0);
    EXPECT_EQ(cdc.page_margins(), QMarginsF(1000, 500, 250, 2000));
    EXPECT_EQ(cdc.ShowPageSetupDlg(nullptr, 40), 0);
    EXPECT_EQ(cdc.page_margins(), QMarginsF(2540, 1270, 635, 5080));
    EXPECT_FALSE(page_err);
}

}  // namespace
}  // namespace qid::testing
