#include "stats/RankTests.h"

#include "core/NumberText.h"
#include "stats/CriticalTables.h"
#include "stats/Distributions.h"
#include "stats/Ranking.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zx {

namespace {

constexpr const char* kUNote = "Wenn n > 25 oder m > 25 ist, dann wird z berechnet."
                               " Beim Auftreten von Bindungen wird nach WALTER (1951) korrigiert.";

constexpr const char* kUxBelowSignificant =
    "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Ux-Wert kleiner/gleich als die Signifikanzschranke ist.";
constexpr const char* kUxBelowRandom =
    "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Ux-Wert größer als die Signifikanzschranke ist.";
constexpr const char* kUxAboveSignificant =
    "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Ux-Wert größer/gleich als die Signifikanzschranke Uo ist.";
constexpr const char* kUxAboveRandom =
    "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Ux-Wert kleiner als die Signifikanzschranke Uo ist.";
constexpr const char* kUxOutsideSignificant =
    "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Ux-Wert kleiner/gleich als die Signifikanzschranke oder Ux größer/gleich als Uo ist.";
constexpr const char* kUxBetweenRandom =
    "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Ux-Wert zwischen den Signifikanzschranken U und Uo liegt.";
constexpr const char* kZSignificant =
    "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Z-Wert größer/gleich als die Signifikanzschranke ist.";
constexpr const char* kZRandom =
    "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Z-Wert kleiner als die Signifikanzschranke ist.";
constexpr const char* kChiSignificant =
    "Die beobachteten Unterschiede sind als signifikant anzusehen, da der Chi²-Wert größer/gleich als die Signifikanzschranke ist.";
constexpr const char* kChiRandom =
    "Die beobachteten Unterschiede sind als zufällig anzusehen, da der Chi²-Wert kleiner als die Signifikanzschranke ist.";

constexpr const char* kEmptySample = "eine Stichprobe ist leer";

// Both samples in one table, each value tagged with its sample number.
PairTable pooled(const std::vector<double>& x, const std::vector<double>& y)
{
    PairTable t;
    t.reserve(x.size() + y.size() + 1);
    t.push_back({ 0, 0 });
    for (double v : x)
        t.push_back({ v, 1 });
    for (double v : y)
        t.push_back({ v, 2 });
    return t;
}

} // namespace

std::vector<double> SampleValues(const AnalysisRecord& r, int k)
{
    std::vector<double> v;
    for (int i = 1; i <= r.AnzahlWerte[static_cast<std::size_t>(k)]; ++i)
        v.push_back(r.Werte(i, k));
    return v;
}

Computed<UTestResult> ComputeUTest(const std::vector<double>& x, const std::vector<double>& y, float levelPercent, Alternative alternative)
{
    if (x.empty() || y.empty())
        return NotPossible(kUTestTitle, kEmptySample);
    UTestResult r;
    r.alternative = alternative;
    r.n = static_cast<int>(x.size());
    r.m = static_cast<int>(y.size());
    const RankedRows ranked = RankRows(pooled(x, y));
    for (std::size_t i = 1; i < ranked.rows.size(); ++i)
        (ranked.rows[i][1] == 2 ? r.R2 : r.R1) += ranked.rank[i];
    r.tieSum = ranked.tieSum;
    // Whole-number products in 64 bits: n m reaches 250000 for two full samples.
    const long long n = r.n;
    const long long m = r.m;
    const long long N = n + m;
    r.U1 = static_cast<double>(n * m + n * (n + 1) / 2) - r.R1;
    r.U2 = static_cast<double>(n * m + m * (m + 1) / 2) - r.R2;
    r.normal = n > kUTableMax || m > kUTableMax;

    if (!r.normal) {
        // The table holds the limits of the smaller sample's rank sum.
        if (n > m)
            return NotPossible(kUTestTitle, "die erste Stichprobe muss die kleinere sein (n ≤ m)");
        const auto U = UTestTable(alternative, r.n, r.m, Fraction(levelPercent));
        if (!U)
            return NotPossible(kUTestTitle, kNoCriticalValue);
        r.U = *U;
        r.Uo = static_cast<Single>(n * (n + m + 1)) - r.U;
        r.Ux = static_cast<Single>(r.R1);
        // The rank sum carries its own direction: a small one means that
        // sample 1 lies lower.
        bool significant = false;
        switch (alternative) {
        case Alternative::Less: significant = r.Ux <= r.U; break;
        case Alternative::Greater: significant = r.Ux >= r.Uo; break;
        case Alternative::TwoSided: significant = r.Ux <= r.U || r.Ux >= r.Uo; break;
        }
        r.verdict = significant ? Verdict::Significant : Verdict::Random;
        return r;
    }

    const double Ux = std::min(r.U1, r.U2);
    const double nm = static_cast<double>(n * m);
    const double E = nm / 2;
    r.z = std::fabs(Ux - E) / std::sqrt(nm * static_cast<double>(N + 1) / 12);
    double decisive = r.z;
    if (r.tieSum > 0) {
        // WALTER: the tie term comes off the variance before the scaling by q.
        const double S = (static_cast<double>(N) * static_cast<double>(N) * static_cast<double>(N) - static_cast<double>(N)) / 12;
        const double T = static_cast<double>(r.tieSum) / 12;
        const double q = nm / (static_cast<double>(N) * static_cast<double>(N - 1));
        const double variance = q * (S - T);
        if (!(variance > 0))
            return NotPossible(kUTestTitle, "alle Werte beider Stichproben sind gleich");
        r.zCorrected = std::fabs(Ux - E) / std::sqrt(variance);
        decisive = *r.zCorrected;
    }
    if (!std::isfinite(decisive) || !std::isfinite(r.z))
        return NotPossible(kUTestTitle, kNoStatistic);
    // Direction by the mean ranks: sample 1 lies lower when its ranks do.
    const double effect = r.R1 / static_cast<double>(n) - r.R2 / static_cast<double>(m);
    return Judge(r, kUTestTitle, NormalZ(DistMode::Quantile, static_cast<double>(levelPercent) / 200), alternative, effect,
        [&](double critical) { return decisive >= critical; });
}

void WriteUTest(const UTestResult& r, Report& lines)
{
    lines[4] = kUNote;
    if (r.normal) {
        lines[5] = "      Stichprobenumfänge n = " + Whole(r.n) + " m = " + Whole(r.m);
        lines[6] = "      Signifikanzschranke (Z-Tab.) = " + Format(r.critical, "0.0000");
        lines[7] = "      Z-Wert (berechnet)           = " + Format(r.z, "0.0000");
        lines[8] = "      Z-Wert (berechnet/Korrigiert)= " + (r.zCorrected ? Format(*r.zCorrected, "0.0000") : std::string());
        lines[10] = VerdictSentence(r.verdict, kZSignificant, kZRandom);
        return;
    }
    // The wording of each alternative: which limit it names, and where.
    struct Wording {
        const char* sizes;
        const char* m;
        const char* limit;
        std::string limits;
        const char* significant;
        const char* random;
    };
    const Wording w = r.alternative == Alternative::Less
        ? Wording { "      Stichprobenumfänge n   = ", " m = ", "      Signifikanzschranke    = ", CStrSingle(r.U),
              kUxBelowSignificant, kUxBelowRandom }
        : r.alternative == Alternative::Greater
        ? Wording { "      Stichprobenumfänge  n  = ", "   m = ", "      Signifikanzschranke Uo = ", CStrSingle(r.Uo),
              kUxAboveSignificant, kUxAboveRandom }
        : Wording { "      Stichprobenumfänge  n  = ", "    m  = ", "      Signifikanzschranke U  = ",
              CStrSingle(r.U) + "   Uo = " + CStrSingle(r.Uo), kUxOutsideSignificant, kUxBetweenRandom };
    lines[5] = w.sizes + Whole(r.n) + w.m + Whole(r.m);
    lines[6] = w.limit + w.limits;
    lines[7] = "      Ux-Wert (berechnet)    = " + CStrSingle(r.Ux);
    lines[10] = VerdictSentence(r.verdict, w.significant, w.random);
}

Computed<MedianResult> ComputeMedianTest(const std::vector<double>& x, const std::vector<double>& y, float levelPercent, Alternative alternative)
{
    if (x.empty() || y.empty())
        return NotPossible(kMedianTitle, kEmptySample);
    PairTable t = pooled(x, y);
    const int N = static_cast<int>(t.size()) - 1;
    ShellSortPairs(N, t);
    MedianResult r;
    r.N = N;
    const auto value = [&t](int i) { return t[static_cast<std::size_t>(i)][0]; };
    const int h = N / 2;
    // std::midpoint: the mean of the two middle values without overflow.
    r.median = N % 2 != 0 ? value(h + 1) : std::midpoint(value(h), value(h + 1));
    for (int i = 1; i <= N; ++i) {
        const bool first = t[static_cast<std::size_t>(i)][1] != 2;
        if (value(i) < r.median)
            ++(first ? r.L1 : r.L2);
        else if (value(i) > r.median)
            ++(first ? r.H1 : r.H2);
    }
    if (r.L1 + r.H1 == 0)
        return NotPossible(kMedianTitle, "alle Werte der 1. Stichprobe sind gleich dem Median");
    if (r.L2 + r.H2 == 0)
        return NotPossible(kMedianTitle, "alle Werte der 2. Stichprobe sind gleich dem Median");
    if (r.L1 + r.L2 == 0)
        return NotPossible(kMedianTitle, "kein Wert liegt unter dem Median");
    if (r.H1 + r.H2 == 0)
        return NotPossible(kMedianTitle, "kein Wert liegt über dem Median");
    // Counts up to 1000: products below 2^53 stay exact in double.
    const auto d = [](long long v) { return static_cast<double>(v); };
    const double cross = d(r.L1) * d(r.H2) - d(r.H1) * d(r.L2);
    r.chi2 = d(r.N - 1) * cross * cross / (d(r.L1 + r.H1) * d(r.L2 + r.H2) * d(r.L1 + r.L2) * d(r.H1 + r.H2));
    if (!std::isfinite(r.chi2))
        return NotPossible(kMedianTitle, kNoStatistic);
    // L1 H2 > H1 L2: sample 1 has more values below the median, it lies lower.
    return Judge(r, kMedianTitle, ChiSquare(DistMode::Quantile, 1, Fraction(levelPercent)), alternative, -cross,
        [&](double critical) { return r.chi2 >= critical; });
}

void WriteMedianTest(const MedianResult& r, Report& lines)
{
    lines[5] = "          Median                 = " + CStr(r.median) + kCrLf + "          Werte n + m            = "
        + Whole(r.L1 + r.H1 + r.L2 + r.H2);
    lines[6] = "          Freiheitsgrade         = 1";
    lines[7] = "          Signifikanzschranke    = " + Format(r.critical, "0.0000");
    lines[8] = "          Chi²-Wert (berechnet)  = " + Format(r.chi2, "0.0000");
    lines[10] = VerdictSentence(r.verdict, kChiSignificant, kChiRandom);
}

} // namespace zx
