// The report text of the results window: the notes it adds and its frame.
#include "core/AnalysisRecord.h"
#include "workflow/ResultsReport.h"

#include <gtest/gtest.h>

#include <memory>

namespace zx {
namespace {

const std::string kNoCheck = "Keine Prüfung auf Erfüllung der Voraussetzungen durchgeführt.";
const std::string kNormalOnly = "Keine signifikante Abweichung von der Normalverteilung liegt vor. Eine Prüfung auf "
                                "Gleichheit der Variabilität wurde nicht durchgeführt. ";
const std::string kBoth = "Kein signifikanter Unterschied in der Variabilität und keine signifikante Abweichung von der "
                          "Normalverteilung liegen vor.";

TEST(ResultsReport, AssumptionNote)
{
    struct Case { const char* test; const char* norm; const char* var; std::string expected; };
    const Case cases[] = {
        { "t-TEST für Zweistich.", " ", " ", kNoCheck },
        { "WELCH-TEST", "J", " ", kNormalOnly },
        { "t-TEST für Zweistich.", "J", "J", kBoth },
        { "LORD-TEST", "", "", "vom Test" }, // nothing decided: the test's line stays
        { "t-TEST für Wertepaare", "J", "N", "vom Test" },
        { "U-TEST", " ", " ", "" },
        { "MEDIAN-TEST", "J", "J", "" },
        { "VORZEICHEN-TEST", " ", " ", "" },
        { "WILCOXON-TEST", "J", " ", "" },
    };
    for (const auto& c : cases) {
        auto r = std::make_unique<AnalysisRecord>();
        r->TestName = c.test;
        r->NormPruef = c.norm;
        r->VarPruef = c.var;
        r->ErgText[4] = "vom Test";
        CompleteReportLines(*r);
        EXPECT_EQ(r->ErgText[4], c.expected) << c.test << " '" << c.norm << "' '" << c.var << "'";
    }
}

TEST(ResultsReport, NamesAndUTestCaution)
{
    auto r = std::make_unique<AnalysisRecord>();
    r->Datentyp = 1;
    r->TestName = "U-TEST";
    r->Bezeichnung[1] = "ATLANTIK";
    r->Bezeichnung[2] = "PAZIFIK";
    CompleteReportLines(*r);
    EXPECT_EQ(r->ErgText[12], "Verglichen wurden: ATLANTIK und PAZIFIK");
    EXPECT_EQ(r->ErgText[13], "VORSICHT: Voraussetzungen zum U-Test sind, dass die Stichproben gleiche Verteilungsformen "
                              "und nicht zu unterschiedlichen Umfängen aufweisen!");
    r->Datentyp = 4;
    r->TestName = "WILCOXON-TEST";
    r->ErgText[13] = "bleibt";
    CompleteReportLines(*r);
    EXPECT_EQ(r->ErgText[12], "Verglichen wurden: ATLANTIK") << "paired values: one name";
    EXPECT_EQ(r->ErgText[13], "bleibt");
}

TEST(ResultsReport, Frame)
{
    auto r = std::make_unique<AnalysisRecord>();
    for (int i = 0; i <= 13; ++i)
        r->ErgText[static_cast<std::size_t>(i)] = "L" + std::to_string(i);
    const std::string s(55, '-');
    EXPECT_EQ(ResultsReportText(*r, "06.12.2026 07:16:17"),
        "L0\r\n" + s + "\r\nL1L2L3\r\n\r\nL4\r\n" + s + "\r\nL5\r\nL6\r\nL7\r\nL8\r\n" + s + "\r\nL10\r\n" + s + "\r\nL12\r\n" + s
            + "\r\nL13\r\n" + s + "\r\nDATUM: 06.12.2026 07:16:17");

    // The additions follow the date behind a separator; nothing above changes.
    const std::string before = ResultsReportText(*r, "06.12.2026 07:16:17");
    r->Zusatzangaben = Supplement {};
    r->Zusatzangaben->figures.resize(1);
    r->Zusatzangaben->figures[0].omitted = "ohne";
    EXPECT_EQ(ResultsReportText(*r, "06.12.2026 07:16:17"),
        before + "\r\n" + s + "\r\nZUSATZANGABEN (KI = 95%-Konfidenzintervall)\r\np-Wert: ohne");
}

} // namespace
} // namespace zx
