#include "workflow/ParametersListing.h"

#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "core/TextDecoding.h"
#include "stats/Descriptive.h"

#include <array>

namespace zx {

namespace {

// The printout's labels, 28 characters each, in the order of the listing.
constexpr std::array<const char*, 21> kPrintLabels = {
    "- MITTELWERT                ",
    "- VARIANZ                   ",
    "- STANDARDABWEICHUNG        ",
    "- VARIABILITÄTSKOEFFIZIENT  ",
    "- STANDARDFEHLER            ",
    "- MEDIAN                    ",
    "- MEDIAN-STANDARDFEHLER     ",
    "- MODALWERT*                ",
    "- GEOMETRISCHER MITTELWERT**",
    "- HARMONISCHER MITTELWERT** ",
    "- SCHIEFE*                  ",
    "- EXZESS=KURTOSIS/WÖLFBUNG* ",
    "- 1. QUARTIL                ",
    "- 3. QUARTIL                ",
    "- QUARTILSABSTAND           ",
    "- MINIMUM                   ",
    "- MAXIMUM                   ",
    "- SPANNWEITE                ",
    "- 10.PERZENTIL              ",
    "- 90.PERZENTIL              ",
    "- UMFANG                    ",
};

constexpr double kLeftCm = 3;
constexpr int kLabelColumn = 35;
const PrintFont kHeadingFont { "UNIVERS", 12, true };
const PrintFont kBodyFont { "Courier New", 10, false };

Variant difference(Variant a, Variant b)
{
    if (!a || !b)
        return std::nullopt;
    return *a - *b;
}

// The 21 values of sample k in the order of the labels; empty where the
// data type has no such parameter.
std::array<Variant, 21> printedValues(const AnalysisRecord& r, int k, const Percentiles& p)
{
    const bool summary = r.Datentyp == 3;
    auto unlessSummary = [summary](Variant v) { return summary ? std::nullopt : v; };
    const Variant geometric = r.GeomMittel[k] == 0.0 ? std::nullopt : r.GeomMittel[k];
    return {
        r.Mittelwert[k],
        r.Varianz[k],
        r.StdAbw[k],
        r.VarKoeff[k],
        r.StdFehler[k],
        unlessSummary(r.Median[k]),
        unlessSummary(r.MedianStdFehler[k]),
        unlessSummary(r.Modalwert[k]),
        unlessSummary(geometric),
        unlessSummary(r.HarmMittel[k]),
        unlessSummary(r.Schiefe[k]),
        unlessSummary(r.Exzess[k]),
        unlessSummary(r.Quartil1[k]),
        unlessSummary(r.Quartil3[k]),
        unlessSummary(difference(r.Quartil3[k], r.Quartil1[k])),
        static_cast<double>(r.Minimum[k]),
        static_cast<double>(r.Maximum[k]),
        static_cast<double>(static_cast<Single>(r.Maximum[k] - r.Minimum[k])),
        unlessSummary(p.p10),
        unlessSummary(p.p90),
        static_cast<double>(r.Umfang[k]),
    };
}

} // namespace

std::string ParametersText(const AnalysisRecord& r, const std::string& date)
{
    const std::string br = kCrLf;
    std::string text;
    for (std::size_t i = 1; i <= 21; ++i)
        text += r.ErgText[i] + br;
    text += std::string(50, '-') + br;
    text += r.ErgText[22] + br;
    const int k = r.StichprobeNr == 2 ? 2 : 1;
    text += " Datum: " + date + " DATEI: " + UpperCase(r.Bezeichnung[k]);
    return text;
}

std::optional<PrintedText> ParametersPrintout(AnalysisRecord& r, Dialogs& dialogs, const std::string& date)
{
    const int samples = r.Datentyp == 4 ? 1 : 2;
    std::array<Percentiles, 3> percentiles {};
    for (int k = 1; k <= samples; ++k) {
        const auto p = ComputeListedParameters(r, dialogs, k);
        if (!p)
            return std::nullopt;
        percentiles[static_cast<std::size_t>(k)] = *p;
    }

    PrintedText page;
    auto at = [&page](const PrintFont& font, double leftCm, std::string text) {
        page.push_back({ font, { { 0, leftCm, std::move(text) } } });
    };
    const std::string rule(63, '-');
    at(kHeadingFont, kLeftCm, "Zerantix");
    at(kHeadingFont, kLeftCm, r.TestName);
    at(kHeadingFont, kLeftCm, "Deskriptive Parameter der Stichproben");
    at(kBodyFont, kLeftCm, rule);
    for (int k = 1; k <= samples; ++k) {
        const auto values = printedValues(r, k, percentiles[static_cast<std::size_t>(k)]);
        for (std::size_t i = 0; i < values.size(); ++i) {
            std::string text = kPrintLabels[i];
            if (values[i])
                text += Format(*values[i], i == 20 ? "#0" : "#0.0000");
            PrintLine line { kBodyFont, {} };
            if (i == 0) // the first parameter shares its line with the sample's name
                line.pieces.push_back({ 0, kLeftCm, "Probe=" + Str(k) + " " + r.Bezeichnung[k] });
            line.pieces.push_back({ kLabelColumn, 0, std::move(text) });
            page.push_back(std::move(line));
        }
        at(kBodyFont, kLeftCm, rule);
    }
    at(kBodyFont, kLeftCm, " * Nur bei Daten in Klassengruppen  ** Nur wenn alle Werte > 0");
    at(kBodyFont, kLeftCm, rule);
    at(kBodyFont, 0, std::string(15, ' ') + "Datum: " + date);
    return page;
}

} // namespace zx
