// The descriptive-parameters window's text and its printed page, for each
// data type: which parameters carry a value, that both samples are computed
// before printing (the class-group mode of the worked example, 25, for the
// sample never shown), and the name shortened to ten characters in upper case.
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "stats/Descriptive.h"
#include "workflow/ParametersListing.h"
#include "Samples.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>

namespace zx {
namespace {

class ParametersListing : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDecimalSeparator(',');
        rec = std::make_unique<AnalysisRecord>();
        rec->TestName = "t-TEST für Zweistich.";
        rec->Bezeichnung[1] = "ATLANTIK";
        rec->Bezeichnung[2] = "PAZIFIK";
    }
    void TearDown() override { SetDecimalSeparator('.'); }

    // What the main window's test choice and the window's loading compute:
    // sample 1 listed, sample 2 never.
    void chooseTestAndOpen()
    {
        ASSERT_TRUE(ComputeDescriptives(*rec, dialogs));
        rec->StichprobeNr = 2;
        ASSERT_TRUE(parameter(*rec, dialogs));
    }

    void fill(int datentyp)
    {
        switch (datentyp) {
        case 1:
            test::SetSingleValues(*rec, 1, { 12, 15, 11, 18, 14, 13, 16, 17, 12, 19 });
            test::SetSingleValues(*rec, 2, { 21, 25, 22, 24, 23, 26, 20 });
            break;
        case 2:
            test::SetClassGroups(*rec, 1, { 5, 15, 25, 35 }, { 4, 6, 3, 2 });
            test::SetClassGroups(*rec, 2, { 10, 20, 30, 40 }, { 2, 5, 5, 3 });
            break;
        case 3:
            rec->Datentyp = 3;
            SetSummaryValues(*rec, 1, 50, 10, 20, 80, 25);
            SetSummaryValues(*rec, 2, 60, 5, 15, 70, 52);
            break;
        case 4:
            test::SetPairs(*rec, { 120, 135, 128, 140, 132, 126 }, { 115, 130, 127, 131, 125, 120 });
            break;
        }
    }

    std::unique_ptr<AnalysisRecord> rec;
    test::ScriptedDialogs dialogs { [](const std::string& what) { ADD_FAILURE() << what; } };
};

TEST_F(ParametersListing, PrintedPageOfEachDataType)
{
    // 'x': the parameter is printed with a value. Single values have no mode,
    // skewness or excess; summary values only what was entered and follows.
    struct Case { int datentyp; int blocks; std::string valued; const char* checked; };
    const Case cases[] = {
        { 1, 2, "xxxxxxx.xx..xxxxxxxxx", "- MEDIAN                    23,0000" },
        { 2, 2, "xxxxxxxxxxxxxxxxxxxxx", "- MODALWERT*                25,0000" },
        { 3, 2, "xxxxx..........xxx..x", "- MITTELWERT                60,0000" },
        { 4, 1, "xxxxxxx.xx..xxxxxxxxx", "- MITTELWERT                5,5000" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.datentyp);
        SetUp();
        fill(c.datentyp);
        chooseTestAndOpen();
        const auto page = ParametersPrintout(*rec, dialogs, "01.02.2024");
        ASSERT_TRUE(page.has_value());
        const std::string rule(63, '-');
        ASSERT_EQ(page->size(), 4 + 21 * c.blocks + c.blocks + 3);
        EXPECT_EQ((*page)[0].pieces[0].text, "Zerantix");
        EXPECT_EQ((*page)[1].pieces[0].text, "t-TEST für Zweistich.");
        EXPECT_EQ((*page)[2].pieces[0].text, "Deskriptive Parameter der Stichproben");
        EXPECT_EQ((*page)[2].font.family, "UNIVERS");
        EXPECT_TRUE((*page)[2].font.bold);
        EXPECT_EQ((*page)[3].pieces[0].text, rule);
        EXPECT_EQ((*page)[3].font.family, "Courier New");
        std::string printed;
        for (int b = 0; b < c.blocks; ++b) {
            const std::size_t first = 4 + static_cast<std::size_t>(b) * 22;
            const PrintLine& head = (*page)[first];
            ASSERT_EQ(head.pieces.size(), 2u);
            EXPECT_EQ(head.pieces[0].text, b == 0 ? "Probe= 1 ATLANTIK" : "Probe= 2 PAZIFIK");
            EXPECT_EQ(head.pieces[0].leftCm, 3);
            std::string valued;
            for (std::size_t i = 0; i < 21; ++i) {
                const PrintPiece& p = (*page)[first + i].pieces.back();
                EXPECT_EQ(p.column, 35);
                valued += std::isdigit(static_cast<unsigned char>(p.text.back())) ? 'x' : '.';
                printed += p.text + "\n";
            }
            EXPECT_EQ(valued, c.valued) << "block " << b + 1;
            EXPECT_EQ((*page)[first + 21].pieces[0].text, rule);
        }
        EXPECT_NE(printed.find(std::string(c.checked) + "\n"), std::string::npos) << printed;
        EXPECT_EQ(page->back().pieces[0].text, "               Datum: 01.02.2024");
        EXPECT_EQ(page->back().pieces[0].leftCm, 0);
        EXPECT_EQ((*page)[page->size() - 3].pieces[0].text, " * Nur bei Daten in Klassengruppen  ** Nur wenn alle Werte > 0");
    }
}

// The window's text: the listing, a rule of 50 dashes, the footnote (for
// paired values with the line about the differences) and the date with the
// name, shortened to ten characters and in upper case.
TEST_F(ParametersListing, WindowText)
{
    fill(4);
    rec->Bezeichnung[1] = "Überlänge123";
    chooseTestAndOpen();
    const std::string text = ParametersText(*rec, "01.02.2024");
    std::string expected;
    for (std::size_t i = 1; i <= 21; ++i)
        expected += rec->ErgText[i] + "\r\n";
    expected += std::string(50, '-') + "\r\n*Nur bei Klassengruppen  **Nur wenn alle Werte >0\r\n"
                                       "Es handelt sich hier um deskr.Parameter der Paardifferenzen.\r\n"
                                       " Datum: 01.02.2024 DATEI: ÜBERLÄNGE1";
    EXPECT_EQ(text, expected);
    EXPECT_EQ(rec->ErgText[1], "        1) MITTELWERT                  5,5000");
}

} // namespace
} // namespace zx
