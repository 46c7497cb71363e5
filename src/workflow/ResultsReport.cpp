#include "workflow/ResultsReport.h"

#include "core/AnalysisRecord.h"
#include "core/TestNames.h"
#include "stats/SupplementLines.h"

namespace zx {

void CompleteReportLines(AnalysisRecord& r)
{
    auto& e = r.ErgText;
    if (r.NormPruef == " " && r.VarPruef == " ")
        e[4] = "Keine Prüfung auf Erfüllung der Voraussetzungen durchgeführt.";
    if (r.VarPruef == " " && r.NormPruef == "J")
        e[4] = "Keine signifikante Abweichung von der Normalverteilung liegt vor. "
               "Eine Prüfung auf Gleichheit der Variabilität wurde nicht durchgeführt. ";
    if (r.NormPruef == "J" && r.VarPruef == "J")
        e[4] = "Kein signifikanter Unterschied in der Variabilität und "
               "keine signifikante Abweichung von der Normalverteilung liegen vor.";
    const std::string& t = r.TestName;
    if (t == TestNames::Median || t == TestNames::UTest || t == TestNames::Vorzeichen || t == TestNames::Wilcoxon)
        e[4].clear();

    e[12] = "Verglichen wurden: " + r.Bezeichnung[1];
    if (r.Datentyp != 4)
        e[12] += " und " + r.Bezeichnung[2];
    if (t == TestNames::UTest)
        e[13] = "VORSICHT: Voraussetzungen zum U-Test sind, dass die Stichproben gleiche Verteilungsformen und nicht "
                "zu unterschiedlichen Umfängen aufweisen!";
}

namespace {

// The additions of the test that ran, behind a separator below the date, so
// that the report above them reads as it always has.
std::string supplementSection(const AnalysisRecord& r, const std::string& br, const std::string& rule)
{
    if (!r.Zusatzangaben)
        return {};
    std::string text = br + rule;
    for (const std::string& line : SupplementLines(*r.Zusatzangaben))
        text += br + line;
    return text;
}

} // namespace

std::string ResultsReportText(const AnalysisRecord& r, const std::string& dateTime)
{
    const std::string br = kCrLf;
    const std::string rule(55, '-');
    const auto& e = r.ErgText;
    return e[0] + br + rule + br                 //
        + e[1] + e[2] + e[3] + br + br           // one sentence
        + e[4] + br + rule + br                  //
        + e[5] + br + e[6] + br + e[7] + br      //
        + e[8] + br + rule + br                  //
        + e[10] + br + rule + br                 //
        + e[12] + br + rule + br                 //
        + e[13] + br + rule + br                 //
        + "DATUM: " + dateTime                   //
        + supplementSection(r, br, rule);
}

} // namespace zx
