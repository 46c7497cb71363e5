#include "stats/SupplementLines.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cmath>

namespace zx {

namespace {

// The labels stand in a column of this many characters before the "=".
constexpr std::size_t kLabelWidth = 32;

std::size_t characters(const std::string& utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string padded(const std::string& label)
{
    const std::size_t width = characters(label);
    return label + std::string(width < kLabelWidth ? kLabelWidth - width : 1, ' ');
}

std::string label(const Figure& f, const Supplement& s)
{
    switch (f.measure) {
    case Measure::PValue:
        switch (s.alternative) {
        case Alternative::TwoSided: return "p-Wert (zweiseitig)";
        case Alternative::Less: return "p-Wert (einseitig, Ha: µ1 < µ2)";
        case Alternative::Greater: return "p-Wert (einseitig, Ha: µ1 > µ2)";
        }
        break;
    case Measure::MeanDifference: return "Differenz der Mittelwerte";
    case Measure::MeanOfDifferences: return "Mittelwert der Differenzen";
    case Measure::CohensD: return "Cohens d";
    case Measure::HedgesG: return "Hedges' g";
    case Measure::CohensDz: return "Cohens dz";
    case Measure::Shift: return "Verschiebung (Hodges-Lehmann)";
    case Measure::PseudoMedian: return "Pseudomedian (Hodges-Lehmann)";
    case Measure::RankBiserial: return "Rangbiseriale Korrelation";
    case Measure::MatchedRankBiserial: return "Rangbiseriale Korrelation";
    case Measure::ShareOfPositives: return "Anteil positiver Differenzen";
    case Measure::OddsRatio: return "Odds Ratio (über dem Median)";
    }
    return {};
}

std::string degreesOfFreedom(const Supplement& s)
{
    const double df = s.df.value_or(0);
    return df == std::floor(df) ? Format(df, "0") : Format(df, "0.00");
}

// How the figure's p-value or interval was computed.
std::string method(const Figure& f, const Supplement& s)
{
    const std::string givenTies = s.ties ? ", bedingt auf die Bindungen" : "";
    switch (f.method) {
    case Method::None: return {};
    case Method::StudentT:
        return f.measure == Measure::PValue ? "exakt, Student-t-Verteilung mit " + degreesOfFreedom(s) + " Freiheitsgraden"
                                            : "Student-t-Verteilung";
    case Method::NoncentralT: return "nichtzentrale t-Verteilung";
    case Method::ExactRankSum: return "exakt" + givenTies;
    case Method::ExactSignedRank: return "exakt" + givenTies + ", ohne Nulldifferenzen";
    case Method::NormalWithTies: return "Normalapproximation mit Bindungskorrektur";
    // The order statistic is the one of the distribution without ties; with
    // ties its confidence is approximate.
    case Method::OrderExact: return s.ties ? "aus der Verteilung ohne Bindungen" : "exakt";
    case Method::OrderNormal: return "Normalapproximation";
    case Method::ExactBinomial: return "exakt, Binomialverteilung mit p = " + Format(0.5, "0.0");
    case Method::ClopperPearson: return "Clopper-Pearson";
    case Method::FisherExact: return "exakt nach FISHER";
    case Method::ConditionalExact: return "exakt; bedingte ML-Schätzung";
    }
    return {};
}

// A formula that a figure without an interval comes from.
std::string formula(const Figure& f)
{
    if (f.measure == Measure::RankBiserial)
        return "2 (R1/n - R2/m) / (n + m)";
    if (f.measure == Measure::MatchedRankBiserial)
        return "(R+ - R-) / (R+ + R-), ohne Nulldifferenzen";
    return {};
}

std::string standardiser(const Supplement& s)
{
    switch (s.standardiser) {
    case Standardiser::Pooled: return "Standardisierer: gemeinsame Standardabweichung";
    case Standardiser::MeanOfVariances: return "Standardisierer: √((s1² + s2²)/2), df nach WELCH";
    case Standardiser::None:
    case Standardiser::DifferencesSd: break;
    }
    return {};
}

// Numbers in the data's unit: four decimals, more where the numbers are so
// small that four would leave fewer than four significant digits.
int unitDecimals(const Figure& f)
{
    double largest = 0;
    const auto consider = [&](double v) {
        if (std::isfinite(v))
            largest = std::max(largest, std::fabs(v));
    };
    consider(f.value.value_or(0));
    if (f.interval) {
        consider(f.interval->lower);
        consider(f.interval->upper);
    }
    if (largest == 0 || largest >= 1e-3)
        return 4;
    return std::min(15, 3 - static_cast<int>(std::floor(std::log10(largest))));
}

std::string number(double v, int decimals)
{
    if (std::isinf(v))
        return v > 0 ? "unendlich" : "-unendlich";
    return Format(v, decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0'));
}

bool inDataUnit(Measure m) { return m == Measure::MeanDifference || m == Measure::MeanOfDifferences || m == Measure::Shift || m == Measure::PseudoMedian; }

std::string confidence(const Supplement& s)
{
    // The level as typed, as a Single: 2.5 % gives "97,5".
    return CStrSingle(static_cast<float>(100 - 100 * s.alpha));
}

} // namespace

std::string PValueText(double p)
{
    if (p < 1e-4)
        return "< " + Format(1e-4, "0.0000");
    return Format(p, "0.0000");
}

std::vector<std::string> SupplementLines(const Supplement& s)
{
    std::vector<std::string> lines;
    lines.push_back(std::string(kSupplementHeading) + " (KI = " + (s.alternative == Alternative::TwoSided ? "" : "einseitiges ")
        + confidence(s) + "%-Konfidenzintervall)");
    const std::string indent = "   ";
    for (const Figure& f : s.figures) {
        const std::string name = label(f, s);
        if (!f.value) {
            lines.push_back((f.measure == Measure::PValue ? std::string("p-Wert") : name) + ": " + f.omitted);
            continue;
        }
        const int decimals = inDataUnit(f.measure) ? unitDecimals(f) : 4;
        lines.push_back(padded(name) + "= " + (f.measure == Measure::PValue ? PValueText(*f.value) : number(*f.value, decimals)));
        const std::string how = method(f, s);
        if (f.interval)
            lines.push_back(indent + "KI " + number(f.interval->lower, decimals) + " bis " + number(f.interval->upper, decimals)
                + (how.empty() ? "" : " (" + how + ")"));
        else if (!f.omitted.empty())
            lines.push_back(indent + f.omitted);
        else if (!how.empty())
            lines.push_back(indent + how);
        else if (!formula(f).empty())
            lines.push_back(indent + formula(f));
        if (f.measure == Measure::CohensD && !standardiser(s).empty())
            lines.push_back(indent + standardiser(s));
    }
    return lines;
}

} // namespace zx
