// The texts the windows show and print: confirmation, parameters, report.
#include "core/NumberText.h"
#include "stats/Descriptive.h"
#include "workflow/Confirmation.h"
#include "workflow/ParametersListing.h"
#include "workflow/ResultsReport.h"
#include "Samples.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>

namespace zx {
namespace {

using namespace test;

class Texts : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }
    void TearDown() override { SetDecimalSeparator('.'); }

    // The test choice computes, the parameters window lists sample 1, never sample 2.
    void openParameters(int datentyp)
    {
        r = std::make_unique<AnalysisRecord>();
        r->TestName = "t-TEST für Zweistich.";
        r->Bezeichnung = { "", datentyp == 4 ? "Überlänge123" : "ATLANTIK", "PAZIFIK" };
        if (datentyp == 1)
            SetSingleValues(*r, 1, { 12, 15, 11, 18, 14, 13, 16, 17, 12, 19 }), SetSingleValues(*r, 2, { 21, 25, 22, 24, 23, 26, 20 });
        if (datentyp == 2)
            SetClassGroups(*r, 1, { 5, 15, 25, 35 }, { 4, 6, 3, 2 }), SetClassGroups(*r, 2, { 10, 20, 30, 40 }, { 2, 5, 5, 3 });
        if (datentyp == 3)
            r->Datentyp = 3, SetSummaryValues(*r, 1, 50, 10, 20, 80, 25), SetSummaryValues(*r, 2, 60, 5, 15, 70, 52);
        if (datentyp == 4)
            SetPairs(*r, { 120, 135, 128, 140, 132, 126 }, { 115, 130, 127, 131, 125, 120 });
        ASSERT_TRUE(ComputeDescriptives(*r, dialogs));
        r->StichprobeNr = 2;
        ASSERT_TRUE(parameter(*r, dialogs));
    }

    std::unique_ptr<AnalysisRecord> r = std::make_unique<AnalysisRecord>();
    ScriptedDialogs dialogs { [](const std::string& what) { ADD_FAILURE() << what; } };
};

// Number texts in full precision, at most four rows; the pair differences.
TEST_F(Texts, Confirmation)
{
    const std::string head = "\rGewählt wurden folgende Stichproben:\r\r";
    const std::pair<std::function<void(AnalysisRecord&)>, std::string> cases[] = {
        { [](auto& r) { SetSingleValues(r, 1, { -3, 0.1, 1.0 / 3, -0.5, 6 }), SetSingleValues(r, 2, { 1e20, 2.25, 3 }); },
            "Datentyp: Einzelne Werte" + head + "1.Stichprobe: n= 5\r\n-3 0.1 0.333333333333333-0.5 ...\r\n\r\n2.Stichprobe: n= 3\r\n 1E+20 2.25 3 ..." },
        { [](auto& r) { SetClassGroups(r, 1, { 10, 20, 30, 40, 50 }, { 2, 5, 5, 3, 1 }), SetClassGroups(r, 2, { 85, 95 }, { 1, 3 }); },
            "Datentyp: Klassengruppen (Klassenmitte)" + head + "1.Stichprobe:\r\n 10 2, 20 5, 30 5, 40 3, ...\r\n\r\n2.Stichprobe:\r\n 85 1, 95 3, ..." },
        { [](auto& r) { r.Datentyp = 3, r.Mittelwert = { 0, 10, -1.5 }, r.StdAbw = { 0, 2, 0.5 }, r.Umfang = { 0, 25, 12 }; },
            "Datentyp: XQUER/STANDARDABWEICHUNG/UMFANG" + head + "1.Stichprobe:\r\nXQUER =  10  Standardabw. =  2  Umfang =  25 ...\r\n\r\n"
                + "2.Stichprobe:\r\nXQUER = -1.5  Standardabw. =  0.5  Umfang =  12 ..." },
        { [](auto& r) { SetPairs(r, { 152, 148, 160, 141, 155 }, { 143, 145, 149, 140, 146 }); },
            "Datentyp: Verbunden / Wertepaare" + head + "Wertepaare: n= 5\r\n 152 148 160 141 ...\r\n\r\n 143 145 149 140 ..." },
        { [](auto& r) { r.Datentyp = 5; }, "none" }, { [](auto&) {}, "none" },
    };
    for (const auto& [fill, expected] : cases) {
        r = std::make_unique<AnalysisRecord>();
        r->Werte(4, 2) = 999; // rows beyond a sample are not listed
        fill(*r);
        EXPECT_EQ(ConfirmationListing(*r).value_or("none"), expected);
    }
    SetPairs(*r, { 152, 148, 160 }, { 143, 150, 149 });
    r->Differenzen = {};
    r->Differenzen[4] = 77; // beyond the pairs: untouched
    FillDifferences(*r);
    EXPECT_EQ(std::vector<double>(r->Differenzen.begin(), r->Differenzen.begin() + 5), (std::vector<double> { 0, 9, -2, 11, 77 }));
}

// The printed page: each parameter with a value ('x') or without; sample 2,
// never shown, is computed for the page.
TEST_F(Texts, ParametersPage)
{
    const std::tuple<int, std::string, const char*> cases[] = { { 1, "xxxxxxx.xx..xxxxxxxxx", "MEDIAN                    23,0000" },
        { 2, "xxxxxxxxxxxxxxxxxxxxx", "MODALWERT*                25,0000" }, { 3, "xxxxx..........xxx..x", "MITTELWERT                60,0000" },
        { 4, "xxxxxxx.xx..xxxxxxxxx", "MITTELWERT                5,5000" } };
    for (const auto& [datentyp, valued, checked] : cases) {
        openParameters(datentyp);
        const auto page = ParametersPrintout(*r, dialogs, "01.02.2024");
        ASSERT_TRUE(page);
        std::string text, values;
        for (const PrintLine& line : *page) {
            for (const PrintPiece& p : line.pieces)
                text += "[" + std::to_string(p.column) + ":" + Format(p.leftCm, "0") + "]" + p.text;
            text += "\n";
            if (line.pieces.back().column == 35)
                values += std::isdigit(static_cast<unsigned char>(line.pieces.back().text.back())) ? 'x' : '.';
        }
        EXPECT_EQ(values, datentyp == 4 ? valued : valued + valued);
        const std::string rule = "[0:3]" + std::string(63, '-') + "\n";
        EXPECT_EQ(text.substr(0, text.find("[35:")), "[0:3]Zerantix\n[0:3]t-TEST für Zweistich.\n[0:3]Deskriptive Parameter der Stichproben\n" + rule
                + "[0:3]Probe= 1 " + (datentyp == 4 ? "Überlänge1" : "ATLANTIK"));
        EXPECT_EQ(text.find("\n" + rule + "[0:3]Probe= 2 PAZIFIK[35:0]- MITTELWERT") == std::string::npos, datentyp == 4);
        EXPECT_NE(text.find("[35:0]- " + std::string(checked) + "\n"), std::string::npos) << text;
        const std::string tail = rule + "[0:3] * Nur bei Daten in Klassengruppen  ** Nur wenn alle Werte > 0\n" + rule + "[0:0]               Datum: 01.02.2024\n";
        EXPECT_EQ(text.substr(text.find('\n', text.rfind("[35:")) + 1), tail);
        auto font = [](const PrintLine& l) { return l.font.family + std::to_string(l.font.pointSize) + (l.font.bold ? " bold" : ""); };
        EXPECT_EQ(font((*page)[2]) + ", " + font((*page)[3]), "UNIVERS12 bold, Courier New10");
    }
}

// The window's text: the paired values' footnote, the name cut to ten, upper case.
TEST_F(Texts, ParametersWindow)
{
    openParameters(4);
    r->StichprobeNr = 1;
    std::string listing;
    for (std::size_t i = 1; i <= 21; ++i)
        listing += r->ErgText[i] + "\r\n";
    EXPECT_EQ(r->ErgText[1], "        1) MITTELWERT                  5,5000");
    EXPECT_EQ(ParametersText(*r, "01.02.2024"), listing + std::string(50, '-') + "\r\n*Nur bei Klassengruppen  **Nur wenn alle Werte >0\r\n"
            + "Es handelt sich hier um deskr.Parameter der Paardifferenzen.\r\n Datum: 01.02.2024 DATEI: ÜBERLÄNGE1");
    r->StichprobeNr = 2;
    EXPECT_NE(ParametersText(*r, "").find("DATEI: PAZIFIK"), std::string::npos);
}

// Line 4 notes the checks (not for the rank tests, and only when decided),
// line 12 the names (one for paired values), line 13 the U-test's caution.
TEST_F(Texts, ResultsReportNotes)
{
    const std::string none = "Keine Prüfung auf Erfüllung der Voraussetzungen durchgeführt.";
    const std::string normal = "Keine signifikante Abweichung von der Normalverteilung liegt vor. Eine Prüfung auf Gleichheit der Variabilität wurde nicht durchgeführt. ";
    const std::string both = "Kein signifikanter Unterschied in der Variabilität und keine signifikante Abweichung von der Normalverteilung liegen vor.";
    const std::tuple<const char*, const char*, const char*, std::string> cases[] = { { "t-TEST für Zweistich.", " ", " ", none },
        { "WELCH-TEST", "J", " ", normal }, { "t-TEST für Zweistich.", "J", "J", both }, { "LORD-TEST", "", "", "vom Test" },
        { "WEIR-TEST", " ", "J", "vom Test" }, { "t-TEST für Wertepaare", "J", "N", "vom Test" }, { "U-TEST", " ", " ", "" },
        { "MEDIAN-TEST", "J", "J", "" }, { "VORZEICHEN-TEST", " ", " ", "" }, { "WILCOXON-TEST", "J", " ", "" } };
    for (const auto& [test, norm, var, expected] : cases) {
        r = std::make_unique<AnalysisRecord>();
        r->TestName = test, r->NormPruef = norm, r->VarPruef = var, r->ErgText[4] = "vom Test", r->Datentyp = 1, r->Bezeichnung = { "", "ATLANTIK", "PAZIFIK" };
        CompleteReportLines(*r);
        EXPECT_EQ(r->ErgText[4], expected) << test << " '" << norm << "' '" << var << "'";
        EXPECT_EQ(r->ErgText[12], "Verglichen wurden: ATLANTIK und PAZIFIK");
        EXPECT_EQ(r->ErgText[13], r->TestName != "U-TEST" ? "" : "VORSICHT: Voraussetzungen zum U-Test sind, dass die Stichproben gleiche "
                                                                 "Verteilungsformen und nicht zu unterschiedlichen Umfängen aufweisen!");
    }
    r->Datentyp = 4;
    CompleteReportLines(*r);
    EXPECT_EQ(r->ErgText[12], "Verglichen wurden: ATLANTIK");
}

// Frame lines of 55 dashes, the date, and the additions behind a separator.
TEST_F(Texts, ResultsReportFrame)
{
    for (int i = 0; i <= 13; ++i)
        r->ErgText[static_cast<std::size_t>(i)] = "L" + std::to_string(i);
    const std::string s = "\r\n" + std::string(55, '-') + "\r\n";
    const std::string frame = "L0" + s + "L1L2L3\r\n\r\nL4" + s + "L5\r\nL6\r\nL7\r\nL8" + s + "L10" + s + "L12" + s + "L13" + s + "DATUM: 06.12.2026 07:16:17";
    EXPECT_EQ(ResultsReportText(*r, "06.12.2026 07:16:17"), frame);
    r->Zusatzangaben = Supplement {};
    r->Zusatzangaben->figures.resize(1), r->Zusatzangaben->figures[0].omitted = "ohne";
    EXPECT_EQ(ResultsReportText(*r, "06.12.2026 07:16:17"), frame + s + "ZUSATZANGABEN (KI = 95%-Konfidenzintervall)\r\np-Wert: ohne");
}

} // namespace
} // namespace zx
