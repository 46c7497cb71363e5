#include "stats/IndependentTests.h"

#include "core/NumberText.h"
#include "stats/CriticalTables.h"
#include "stats/Distributions.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace zx {

namespace {

constexpr const char* kWeirSignificant =
    "Die beobachteten Unterschiede sind als signifikant anzusehen, da der t-Wert größer/gleich als 2 ist.";
constexpr const char* kWeirRandom = "Die beobachteten Unterschiede sind als zufällig anzusehen, da der t-Wert kleiner als 2 ist.";

constexpr const char* kEmptySample = "eine Stichprobe ist leer";
constexpr const char* kZeroVariance = "die Varianz beider Stichproben ist 0 (alle Werte jeder Stichprobe sind gleich)";

// Student's t critical value: the level over 100, halved for the two-sided
// alternative.
std::optional<double> studentCritical(long long df, float levelPercent, Alternative alternative)
{
    double alpha = Fraction(levelPercent);
    if (alternative == Alternative::TwoSided)
        alpha /= 2;
    if (df < 1)
        return std::nullopt;
    return StudentT(DistMode::Quantile, static_cast<int>(std::min<long long>(df, INT_MAX)), alpha);
}

} // namespace

SampleSummary SummaryOf(const AnalysisRecord& r, int k)
{
    SampleSummary s;
    s.n = r.Umfang[static_cast<std::size_t>(k)];
    s.mean = r.Mittelwert[static_cast<std::size_t>(k)];
    s.variance = r.Varianz[static_cast<std::size_t>(k)];
    s.sumSquaredDeviations = r.AbwQuadSumme[static_cast<std::size_t>(k)];
    s.minimum = r.Minimum[static_cast<std::size_t>(k)];
    s.maximum = r.Maximum[static_cast<std::size_t>(k)];
    return s;
}

Computed<TTestResult> ComputeTTest(const SampleSummary& a, const SampleSummary& b, float levelPercent, Alternative alternative)
{
    if (a.n < 1 || b.n < 1)
        return NotPossible(kTTestTitle, kEmptySample);
    const long long N = a.n + b.n;
    if (N - 2 < 1)
        return NotPossible(kTTestTitle, "zu wenige Werte (n1 + n2 - 2 = 0)");
    const double pooled = (a.sumSquaredDeviations + b.sumSquaredDeviations) / static_cast<double>(N - 2);
    if (!std::isfinite(pooled))
        return NotPossible(kTTestTitle, kNoStatistic);
    if (!(pooled > 0))
        return NotPossible(kTTestTitle, kZeroVariance);
    const double d = std::fabs(a.mean - b.mean);
    const double t = d / std::sqrt(pooled) * std::sqrt(static_cast<double>(a.n) * static_cast<double>(b.n) / static_cast<double>(N));
    if (!std::isfinite(t))
        return NotPossible(kTTestTitle, kNoStatistic);
    const auto critical = studentCritical(N - 2, levelPercent, alternative);
    if (!critical)
        return NotPossible(kTTestTitle, kNoCriticalValue);
    return TTestResult { N - 2, *critical, t, Decide(t >= *critical, alternative, a.mean - b.mean) };
}

void WriteTTest(const TTestResult& r, Report& lines)
{
    lines[5] = "      Freiheitsgrade              = " + Whole(r.df);
    lines[6] = "      Signifikanzschranke (t-Tab) = " + Format(r.critical, "#0.0000");
    lines[7] = "      t-Wert (berechnet)          = " + Format(r.t, "#0.0000");
    lines[10] = VerdictSentence(r.verdict, kTSignificant, kTRandom);
}

Computed<WelchResult> ComputeWelch(const SampleSummary& a, const SampleSummary& b, float levelPercent, Alternative alternative)
{
    if (a.n < 2 || b.n < 2)
        return NotPossible(kWelchTitle, "jede Stichprobe braucht mindestens 2 Werte");
    const double A = a.variance / static_cast<double>(a.n);
    const double B = b.variance / static_cast<double>(b.n);
    const double S = A + B;
    if (!std::isfinite(S))
        return NotPossible(kWelchTitle, kNoStatistic);
    if (!(S > 0))
        return NotPossible(kWelchTitle, kZeroVariance);
    const double t = std::fabs(a.mean - b.mean) / std::sqrt(S);
    const double f = S * S / (A * A / static_cast<double>(a.n - 1) + B * B / static_cast<double>(b.n - 1));
    if (!std::isfinite(t) || !std::isfinite(f))
        return NotPossible(kWelchTitle, kNoStatistic);
    // Whole degrees of freedom, rounded down; f lies between the smaller
    // n - 1 and n1 + n2 - 2.
    const int df = static_cast<int>(std::min(std::floor(f), static_cast<double>(INT_MAX)));
    const auto critical = studentCritical(df, levelPercent, alternative);
    if (!critical)
        return NotPossible(kWelchTitle, kNoCriticalValue);
    return WelchResult { f, df, *critical, t, Decide(t >= *critical, alternative, a.mean - b.mean) };
}

void WriteWelch(const WelchResult& r, Report& lines)
{
    lines[5] = "      Freiheitsgrade         = " + Whole(r.df);
    lines[6] = "      Signifikanzschranke    = " + Format(r.critical, "0.0000");
    lines[7] = "      t-Wert (berechnet)     = " + Format(r.t, "0.0000");
    lines[10] = VerdictSentence(r.verdict, kTSignificant, kTRandom);
}

std::string LordTooLargeMessage()
{
    return "LORD-Test nur bis n = " + std::to_string(kLordTableMax) + ": LORD-Test nicht möglich" + kCrLf + "WÄHLEN SIE BITTE EINEN ANDEREN TEST";
}

Computed<LordResult> ComputeLord(const SampleSummary& a, const SampleSummary& b, float levelPercent, Alternative alternative)
{
    // The table is entered with the first sample's size only.
    if (a.n > kLordTableMax)
        return Refusal { LordTooLargeMessage() };
    if (a.n < kLordTableMin)
        return NotPossible(kLordTitle, "die Tabelle beginnt bei n = 3, die erste Stichprobe hat weniger Werte");
    if (b.n < 1)
        return NotPossible(kLordTitle, kEmptySample);
    // The ranges in the single precision of Minimum and Maximum.
    const Single w1 = a.maximum - a.minimum;
    const Single w2 = b.maximum - b.minimum;
    const Single w = w1 + w2;
    if (!std::isfinite(w))
        return NotPossible(kLordTitle, kNoStatistic);
    if (!(w > 0))
        return NotPossible(kLordTitle, "die Spannweiten beider Stichproben sind 0");
    const double u = std::fabs(a.mean - b.mean) / (static_cast<double>(w) / 2);
    if (!std::isfinite(u))
        return NotPossible(kLordTitle, kNoStatistic);
    const int n = static_cast<int>(a.n);
    const auto critical = LordTable(alternative, n, Fraction(levelPercent));
    if (!critical)
        return NotPossible(kLordTitle, kNoCriticalValue);
    return LordResult { n, *critical, u, Decide(u >= *critical, alternative, a.mean - b.mean) };
}

void WriteLord(const LordResult& r, Report& lines)
{
    lines[5] = "      Freiheitsgrade (n)        = " + Whole(r.n);
    lines[6] = "      Signifikanzschranke       = " + Format(r.critical, "0.0000");
    lines[7] = "      t-Wert (berechnet)        = " + Format(r.u, "0.0000");
    lines[10] = VerdictSentence(r.verdict, kTSignificant, kTRandom);
}

Computed<WeirResult> ComputeWeir(const SampleSummary& a, const SampleSummary& b)
{
    if (a.n < 1 || b.n < 1)
        return NotPossible(kWeirTitle, kEmptySample);
    const long long dfWeir = a.n + b.n - 4;
    if (dfWeir < 1)
        return NotPossible(kWeirTitle, "zu wenige Werte (n1 + n2 - 4 = 0)");
    const double variance = (a.sumSquaredDeviations + b.sumSquaredDeviations) / static_cast<double>(dfWeir)
        * (1.0 / static_cast<double>(a.n) + 1.0 / static_cast<double>(b.n));
    if (!std::isfinite(variance))
        return NotPossible(kWeirTitle, kNoStatistic);
    if (!(variance > 0))
        return NotPossible(kWeirTitle, kZeroVariance);
    const double t = std::fabs(a.mean - b.mean) / std::sqrt(variance);
    if (!std::isfinite(t))
        return NotPossible(kWeirTitle, kNoStatistic);
    return WeirResult { t, Decide(t >= 2, Alternative::TwoSided, a.mean - b.mean) };
}

void WriteWeir(const WeirResult& r, Report& lines)
{
    lines[5] = "  ";
    lines[6] = "      Signifikanzschranke  = 2";
    lines[7] = "      t-Wert (berechnet)   = " + Format(r.t, "0.0000");
    lines[10] = VerdictSentence(r.verdict, kWeirSignificant, kWeirRandom);
}

} // namespace zx
