#include "stats/PairedTests.h"

#include "core/NumberText.h"
#include "stats/CriticalTables.h"
#include "stats/Distributions.h"
#include "stats/Ranking.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace zx {

namespace {

constexpr const char* kSignSignificant =
    "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Chi²-Wert gleich/größer als die Signifikanzschranke ist.";
constexpr const char* kSignRandom =
    "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Chi²-Wert kleiner als die Signifikanzschranke ist.";
constexpr const char* kRSignificant =
    "Die beobachteten Unterschiede sind als signifikant anzusehen, da der R-Wert gleich/kleiner als die Signifikanzschranke ist.";
constexpr const char* kRRandom =
    "Die beobachteten Unterschiede sind als zufällig anzusehen, da der R-Wert größer als die Signifikanzschranke ist.";
constexpr const char* kZSignificant =
    "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Z-Wert gleich/größer als die Signifikanzschranke ist.";
constexpr const char* kZRandom =
    "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Z-Wert kleiner als die Signifikanzschranke ist.";

} // namespace

std::vector<double> PairDifferences(const AnalysisRecord& r)
{
    std::vector<double> d;
    for (int i = 1; i <= r.AnzahlWerte[1]; ++i)
        d.push_back(r.Differenzen[static_cast<std::size_t>(i)]);
    return d;
}

Computed<PairedTResult> ComputePairedTTest(long long n, double meanDifference, double sdDifference, float levelPercent,
    Alternative alternative)
{
    if (n < 2)
        return NotPossible(kPairedTTitle, "weniger als 2 Wertepaare");
    if (!std::isfinite(sdDifference) || !std::isfinite(meanDifference))
        return NotPossible(kPairedTTitle, kNoStatistic);
    if (!(sdDifference > 0))
        return NotPossible(kPairedTTitle, "alle Paardifferenzen sind gleich (Standardabweichung 0)");
    const double t = std::fabs(meanDifference * std::sqrt(static_cast<double>(n)) / sdDifference);
    if (!std::isfinite(t))
        return NotPossible(kPairedTTitle, kNoStatistic);
    double alpha = Fraction(levelPercent);
    if (alternative == Alternative::TwoSided)
        alpha /= 2;
    const auto critical = StudentT(DistMode::Quantile, static_cast<int>(std::min<long long>(n - 1, INT_MAX)), alpha);
    if (!critical)
        return NotPossible(kPairedTTitle, kNoCriticalValue);
    return PairedTResult { n - 1, *critical, t, Decide(t >= *critical, alternative, meanDifference) };
}

void WritePairedTTest(const PairedTResult& r, Report& lines)
{
    lines[5] = "      Freiheitsgrade         = " + Whole(r.df);
    lines[6] = "      Signifikanzschranke    = " + Format(r.critical, "0.0000");
    lines[7] = "      t-Wert (berechnet)     = " + Format(r.t, "0.0000");
    lines[10] = VerdictSentence(r.verdict, kTSignificant, kTRandom);
}

Computed<SignTestResult> ComputeSignTest(const std::vector<double>& differences, float levelPercent, Alternative alternative)
{
    SignTestResult r;
    for (double d : differences) {
        if (d > 0)
            ++r.p;
        else if (d < 0)
            ++r.q;
    }
    if (r.p + r.q == 0)
        return NotPossible(kSignTitle, "alle Paardifferenzen sind 0");
    const double diff = static_cast<double>(r.p - r.q);
    r.chi2 = diff * diff / static_cast<double>(r.p + r.q);
    // More negative differences: sample 1 lies lower.
    return Judge(r, kSignTitle, ChiSquare(DistMode::Quantile, 1, Fraction(levelPercent)), alternative, diff,
        [&](double critical) { return r.chi2 >= critical; });
}

void WriteSignTest(const SignTestResult& r, Report& lines)
{
    lines[5] = "      Freiheitsgrade          = 1";
    lines[6] = "      Signifikanzschranke     = " + Format(r.critical, "0.0000");
    lines[7] = "      Chi²-Wert (berechnet)   = " + Format(r.chi2, "0.0000");
    lines[10] = VerdictSentence(r.verdict, kSignSignificant, kSignRandom);
}

int NonZeroCount(const std::vector<double>& differences)
{
    return static_cast<int>(std::count_if(differences.begin(), differences.end(), [](double d) { return d != 0; }));
}

Computed<WilcoxonResult> ComputeWilcoxon(const std::vector<double>& differences, float levelPercent, Alternative alternative)
{
    // |D| of the non-zero differences, each with its sign.
    PairTable table(1, { 0, 0 });
    for (double d : differences)
        if (d != 0)
            table.push_back({ std::fabs(d), d < 0 ? -1.0 : 1.0 });
    WilcoxonResult r;
    r.nPrime = static_cast<int>(table.size()) - 1;
    if (r.nPrime < kWilcoxonTableFrom)
        return NotPossible(kWilcoxonTitle, "weniger als 6 Paardifferenzen ungleich 0");
    const RankedRows ranked = RankRows(std::move(table));
    for (std::size_t i = 1; i < ranked.rows.size(); ++i)
        (ranked.rows[i][1] < 0 ? r.rMinus : r.rPlus) += ranked.rank[i];
    r.tieSum = ranked.tieSum;
    r.R = std::min(r.rPlus, r.rMinus);
    // R+ < R-: the negative differences dominate, sample 1 lies lower.
    const double effect = r.rPlus - r.rMinus;

    if (r.nPrime < kWilcoxonNormalFrom)
        return Judge(r, kWilcoxonTitle, WilcoxonTable(alternative, r.nPrime, Fraction(levelPercent)), alternative, effect,
            [&](double critical) { return r.R <= critical; });

    r.normal = true;
    const double n = r.nPrime;
    const double P = n * (n + 1);
    const double variance = P * (2 * n + 1) / 24;
    // The tie term comes off the variance, summed exactly.
    const double corrected = variance - static_cast<double>(r.tieSum) / 48;
    if (!(corrected > 0))
        return NotPossible(kWilcoxonTitle, kNoStatistic);
    r.z = std::fabs(r.R - P / 4) / std::sqrt(variance);
    r.zCorrected = std::fabs(r.R - P / 4) / std::sqrt(corrected);
    if (!std::isfinite(r.z) || !std::isfinite(r.zCorrected))
        return NotPossible(kWilcoxonTitle, kNoStatistic);
    return Judge(r, kWilcoxonTitle, NormalZ(DistMode::Quantile, static_cast<double>(levelPercent) / 200), alternative,
        effect, [&](double critical) { return r.zCorrected >= critical; });
}

void WriteWilcoxon(const WilcoxonResult& r, Report& lines)
{
    if (!r.normal) {
        lines[5] = "      Wertepaare Diff<>0     = " + Whole(r.nPrime);
        lines[6] = "      Signifikanzschranke    = " + Format(r.critical, "0.00");
        lines[7] = "      R-Wert (berechnet)     = " + CStr(r.R);
        lines[10] = VerdictSentence(r.verdict, kRSignificant, kRRandom);
        return;
    }
    lines[5] = "      Wertepaare Diff<>0             = " + Whole(r.nPrime);
    lines[6] = "      Signifikanzschranke(Z-Tab.)    = " + Format(r.critical, "0.0000");
    lines[7] = "      Z-Wert (berechnet)             = " + Format(r.z, "0.0000");
    lines[8] = "      Z-Wert (berechnet/Korrigiert)  = " + Format(r.zCorrected, "0.0000");
    lines[10] = VerdictSentence(r.verdict, kZSignificant, kZRandom);
}

} // namespace zx
