#include "stats/NormalityTests.h"

#include "core/NumberText.h"
#include "stats/PairedTests.h"
#include "stats/RankTests.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace zx {

namespace {

struct ShapiroWilkRow {
    int n;
    std::array<double, 25> a;
};
struct ShapiroWilkPoints {
    int n;
    std::array<double, 4> w; // 1, 5, 10, 50 %
};
#include "stats/ShapiroWilkTables.inc"

// KOLMOGOROFF-SMIRNOV limits for n = 4..30 at alpha 0.10, 0.05, 0.01.
struct KSRow {
    int n;
    std::array<double, 3> limit;
};
constexpr KSRow kKSLimits[] = {
    { 4, { 0.58, 0.62, 0.69 } }, { 5, { 0.53, 0.57, 0.65 } }, { 6, { 0.50, 0.54, 0.61 } }, { 7, { 0.47, 0.50, 0.57 } },
    { 8, { 0.44, 0.48, 0.54 } }, { 9, { 0.42, 0.45, 0.51 } }, { 10, { 0.40, 0.43, 0.48 } }, { 11, { 0.38, 0.41, 0.47 } },
    { 12, { 0.37, 0.40, 0.45 } }, { 13, { 0.36, 0.38, 0.44 } }, { 14, { 0.35, 0.37, 0.42 } }, { 15, { 0.34, 0.36, 0.41 } },
    { 16, { 0.33, 0.35, 0.40 } }, { 17, { 0.32, 0.34, 0.39 } }, { 18, { 0.31, 0.33, 0.38 } }, { 19, { 0.30, 0.32, 0.37 } },
    { 20, { 0.29, 0.31, 0.36 } }, { 21, { 0.29, 0.31, 0.35 } }, { 22, { 0.28, 0.30, 0.34 } }, { 23, { 0.28, 0.30, 0.34 } },
    { 24, { 0.27, 0.29, 0.33 } }, { 25, { 0.26, 0.28, 0.33 } }, { 26, { 0.26, 0.28, 0.32 } }, { 27, { 0.26, 0.27, 0.31 } },
    { 28, { 0.25, 0.27, 0.30 } }, { 29, { 0.25, 0.27, 0.30 } }, { 30, { 0.24, 0.26, 0.30 } },
};
// The lookup reads row n at n - 4.
constexpr bool consecutive()
{
    int n = 4;
    for (const KSRow& row : kKSLimits)
        if (row.n != n++)
            return false;
    return n == 31;
}
static_assert(consecutive(), "KOLMOGOROFF-SMIRNOV rows 4 to 30, one per n");
// Beyond the table: c / sqrt(n).
constexpr std::array kKSAsymptotic = { 1.351, 1.45, 1.647 };
constexpr std::array kKSAlphas = { 0.10, 0.05, 0.01 };

// DAVID, HARTLEY and PEARSON's limits of R/s, lower and upper, each at alpha
// 0.10, 0.05, 0.01, 0.001. The 0.001 columns are the smallest and largest
// R/s a sample of the size can have.
struct DavidRow {
    int n;
    std::array<double, 4> lower;
    std::array<double, 4> upper;
};
constexpr DavidRow kDavidLimits[] = {
    { 3, { 1.78, 1.76, 1.74, 1.73 }, { 2.00, 2.00, 2.00, 2.00 } },
    { 4, { 2.04, 1.98, 1.87, 1.73 }, { 2.41, 2.43, 2.45, 2.45 } },
    { 5, { 2.22, 2.15, 2.02, 1.83 }, { 2.71, 2.75, 2.80, 2.83 } },
    { 6, { 2.37, 2.28, 2.15, 1.83 }, { 2.95, 3.01, 3.10, 3.16 } },
    { 7, { 2.49, 2.40, 2.26, 1.87 }, { 3.14, 3.22, 3.34, 3.46 } },
    { 8, { 2.59, 2.50, 2.35, 1.87 }, { 3.31, 3.40, 3.54, 3.74 } },
    { 9, { 2.68, 2.59, 2.44, 1.90 }, { 3.45, 3.55, 3.72, 4.00 } },
    { 10, { 2.76, 2.67, 2.51, 1.90 }, { 3.57, 3.68, 3.88, 4.24 } },
    { 11, { 2.84, 2.74, 2.58, 1.92 }, { 3.68, 3.80, 4.01, 4.47 } },
    { 12, { 2.90, 2.80, 2.64, 1.92 }, { 3.78, 3.91, 4.13, 4.69 } },
    { 13, { 2.96, 2.86, 2.70, 1.93 }, { 3.87, 4.00, 4.24, 4.90 } },
    { 14, { 3.02, 2.92, 2.75, 1.93 }, { 3.95, 4.09, 4.34, 5.10 } },
    { 15, { 3.07, 2.97, 2.80, 1.94 }, { 4.02, 4.17, 4.44, 5.29 } },
    { 16, { 3.12, 3.01, 2.84, 1.94 }, { 4.09, 4.24, 4.52, 5.48 } },
    { 17, { 3.17, 3.06, 2.88, 1.94 }, { 4.15, 4.31, 4.60, 5.66 } },
    { 18, { 3.21, 3.10, 2.92, 1.94 }, { 4.21, 4.37, 4.67, 5.83 } },
    { 19, { 3.25, 3.14, 2.96, 1.95 }, { 4.27, 4.43, 4.74, 6.00 } },
    { 20, { 3.29, 3.18, 2.99, 1.95 }, { 4.32, 4.49, 4.80, 6.16 } },
    { 25, { 3.45, 3.34, 3.15, 1.96 }, { 4.53, 4.71, 5.06, 6.93 } },
    { 30, { 3.59, 3.47, 3.27, 1.97 }, { 4.70, 4.89, 5.26, 7.62 } },
    { 35, { 3.70, 3.58, 3.38, 1.97 }, { 4.84, 5.04, 5.42, 8.25 } },
    { 40, { 3.79, 3.67, 3.47, 1.98 }, { 4.96, 5.16, 5.56, 8.83 } },
    { 45, { 3.88, 3.75, 3.55, 1.98 }, { 5.06, 5.26, 5.67, 9.38 } },
    { 50, { 3.95, 3.83, 3.62, 1.98 }, { 5.14, 5.35, 5.77, 9.90 } },
    { 55, { 4.02, 3.90, 3.69, 1.98 }, { 5.22, 5.43, 5.86, 10.39 } },
    { 60, { 4.08, 3.96, 3.75, 1.98 }, { 5.29, 5.51, 5.94, 10.86 } },
    { 65, { 4.14, 4.01, 3.80, 1.98 }, { 5.35, 5.57, 6.01, 11.31 } },
    { 70, { 4.19, 4.06, 3.85, 1.99 }, { 5.41, 5.63, 6.07, 11.75 } },
    { 75, { 4.24, 4.11, 3.90, 1.99 }, { 5.46, 5.68, 6.13, 12.17 } },
    { 80, { 4.28, 4.16, 3.94, 1.99 }, { 5.51, 5.73, 6.18, 12.57 } },
    { 85, { 4.33, 4.20, 3.99, 1.99 }, { 5.56, 5.78, 6.23, 12.96 } },
    { 90, { 4.36, 4.24, 4.02, 1.99 }, { 5.60, 5.82, 6.27, 13.34 } },
    { 95, { 4.40, 4.27, 4.06, 1.99 }, { 5.64, 5.86, 6.32, 13.71 } },
    { 100, { 4.44, 4.31, 4.10, 1.99 }, { 5.68, 5.90, 6.36, 14.07 } },
    { 150, { 4.72, 4.59, 4.38, 1.99 }, { 5.96, 6.18, 6.64, 17.26 } },
    { 200, { 4.90, 4.78, 4.59, 2.00 }, { 6.15, 6.39, 6.84, 19.95 } },
    { 500, { 5.49, 5.37, 5.13, 2.00 }, { 6.72, 6.94, 7.42, 31.59 } },
    { 1000, { 5.92, 5.79, 5.57, 2.00 }, { 7.11, 7.33, 7.80, 44.70 } },
};
constexpr std::array kDavidAlphas = { 0.10, 0.05, 0.01, 0.001 };

// The column of alpha among the table's levels, compared exactly.
template <std::size_t N>
std::optional<std::size_t> columnOf(const std::array<double, N>& alphas, double alpha)
{
    const auto it = std::find(alphas.begin(), alphas.end(), alpha);
    if (it == alphas.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - alphas.begin());
}

constexpr const char* kHeadingLine = "             PRÜFUNG AUF NICHT-NORMALVERTEILUNG";
constexpr const char* kPairedNote = "(Bei Wertepaaren werden nur die Differenzen auf Nicht-Normalverteilung geprüft.)";
constexpr const char* kClassNote = "(Berechnung beruht auf den eingegebenen Klassenmitten)";
constexpr const char* kClosingRemark = "Prüfungen auf Nicht-Normalität einer sehr großen Grundgesamtheit mit wenigen "
                                       "Werten sind strenggenommen unzulässig. Die Ergebnisse können zufällig sein.";
constexpr const char* kBlank = "   ";
constexpr const char* kNoDeviation = "Das vorliegende Datenmaterial weist keine signifikante ";
constexpr const char* kDeviation = "Das vorliegende Datenmaterial weist eine signifikante ";

constexpr const char* kThisSample = "Test für diese Stichprobe";
constexpr const char* kAllEqual = "alle Werte sind gleich (Standardabweichung 0)";

// Standard normal distribution function.
double phi(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

bool paired(const AnalysisRecord& r) { return r.Datentyp == 4; }
// Per-sample values of paired values are those of the differences, under 1.
std::size_t slot(const AnalysisRecord& r, int k) { return paired(r) ? 1 : static_cast<std::size_t>(k); }

// Lines `from` to 12 are blank before the lines of sample 2 are written
// (DAVID's sample 1 ends in line 7, the others' in line 6); for k = 1 line 8
// carries the note on pair differences.
void clearSecondBlock(const AnalysisRecord& r, int k, int from, Report& lines)
{
    for (int i = from; i <= 12; ++i)
        lines[static_cast<std::size_t>(i)] = kBlank;
    if (k == 1)
        lines[8] = paired(r) ? kPairedNote : kBlank;
}

// The labels of one sample's lines in the KOLMOGOROFF-SMIRNOV and
// SHAPIRO-WILK reports.
struct SampleLabels {
    const char* size;
    const char* limit;
    const char* statistic;
};

// Size, limit and statistic of sample k (lines 3 to 5, or 8 to 10 after the
// single blank of line 7), limit and statistic blank for a sample that was
// not judged, and the verdict into its line.
void writeSampleLines(Report& e, int k, const SampleLabels& labels, long n, const double* limitAndStatistic,
    const std::string& verdict, std::size_t verdictLine)
{
    const std::size_t first = k == 1 ? 3 : 8;
    if (k == 2)
        e[7] = " ";
    e[first] = labels.size + Whole(n) + "       STICHPROBE = " + std::to_string(k);
    e[first + 1] = limitAndStatistic ? labels.limit + Format(limitAndStatistic[0], "0.0000") : kBlank;
    e[first + 2] = limitAndStatistic ? labels.statistic + Format(limitAndStatistic[1], "0.0000") : kBlank;
    e[verdictLine] = verdict;
}

// Text of a sample that cannot be judged.
template <typename Result>
const std::string& reason(const Computed<Result>& c)
{
    return std::get<Refusal>(c).message;
}

template <typename Result>
SampleFinding findingOf(const Computed<Result>& c)
{
    if (const auto* r = std::get_if<Result>(&c))
        return { true, r->significant, std::nullopt };
    return {};
}

} // namespace

double CheckAlpha(float levelPercent)
{
    if (levelPercent == 0.1f)
        return 0.001;
    return Fraction(levelPercent);
}

std::vector<WeightedValue> OrderedValues(const AnalysisRecord& r, int k)
{
    std::vector<WeightedValue> rows;
    if (r.Datentyp == 1 || r.Datentyp == 4) {
        auto values = r.Datentyp == 4 ? PairDifferences(r) : SampleValues(r, k);
        std::sort(values.begin(), values.end());
        for (double x : values)
            rows.push_back({ x, 1 });
    } else if (r.Datentyp == 2) {
        // Classes in the order of their midpoints, whatever order they were
        // entered in, so that the cumulated frequencies mean what they say.
        for (int i = 1; i <= r.AnzahlWerte[static_cast<std::size_t>(k)]; ++i)
            rows.push_back({ r.Werte(i, k), static_cast<double>(r.Haeufigkeit(i, k)) });
        std::stable_sort(rows.begin(), rows.end(), [](const WeightedValue& a, const WeightedValue& b) { return a.x < b.x; });
    }
    return rows;
}

// ---- KOLMOGOROFF-SMIRNOV

std::vector<WeightedValue> KSRows(const AnalysisRecord& r, int k)
{
    auto rows = OrderedValues(r, k);
    if (r.Datentyp == 2 && rows.size() >= 2) {
        const double h = (rows[1].x - rows[0].x) / 2;
        for (auto& row : rows)
            row.x += h;
    }
    return rows;
}

std::optional<double> KSStatistic(std::span<const WeightedValue> rows, double mean, double sd)
{
    if (!(sd > 0) || !std::isfinite(sd) || rows.empty())
        return std::nullopt;
    double total = 0;
    for (const auto& row : rows)
        total += row.f;
    if (!(total > 0))
        return std::nullopt;
    double F = 0;
    double lo = 0;
    double hi = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        F += rows[i].f / total;
        const double d = phi((rows[i].x - mean) / sd) - F;
        if (i == 0 || d < lo)
            lo = d;
        if (i == 0 || d > hi)
            hi = d;
    }
    return std::fabs(lo) + std::fabs(hi);
}

std::optional<double> KSLimit(long n, double alpha)
{
    const auto column = columnOf(kKSAlphas, alpha);
    if (!column || n < 1)
        return std::nullopt;
    const auto first = std::begin(kKSLimits)->n;
    const auto last = std::rbegin(kKSLimits)->n;
    if (n > last)
        return kKSAsymptotic[*column] / std::sqrt(static_cast<double>(n));
    // Below the table: on the line from (0, 0) to the row of 4.
    if (n < first)
        return std::begin(kKSLimits)->limit[*column] * static_cast<double>(n) / first;
    return kKSLimits[n - first].limit[*column];
}

Computed<KSResult> ComputeKS(std::span<const WeightedValue> rows, long n, double mean, double sd, float levelPercent)
{
    const auto dk = KSStatistic(rows, mean, sd);
    if (!dk)
        return NotPossible(kThisSample, kAllEqual);
    const auto limit = KSLimit(n, CheckAlpha(levelPercent));
    if (!limit)
        return NotPossible(kThisSample, kNoCriticalValue);
    return KSResult { *limit, *dk, *dk >= *limit };
}

SampleFinding KSTest(AnalysisRecord& r, int k, float levelPercent)
{
    const std::size_t s = slot(r, k);
    const long n = r.Umfang[s];
    const auto c = ComputeKS(KSRows(r, k), n, r.Mittelwert[s], r.StdAbw[s], levelPercent);
    const auto* result = std::get_if<KSResult>(&c);
    auto verdict = [&] {
        if (!result)
            return reason(c);
        static const std::string no = std::string(kNoDeviation) + "Abweichung von der Normalverteilung auf (Dk < Signifikanzlimit).";
        static const std::string yes = std::string(kDeviation) + "Abweichung von der Normalverteilung auf (Dk >= Signifikanzlimit).";
        return result->significant ? yes : no;
    };
    static constexpr SampleLabels labels[] = {
        { " Umfang  n   . . . . . . . . . . . . . = ", " Signifikanzlimit (Tab.-Wert)  . . . . = ",
            " Prüfgröße (DK)  . . . . . . . . . . . = " },
        { " Umfang  n     . . . . . . . . . . . . = ", " Signifikanzlimit (Tab.-Wert)  . . . . = ",
            " Prüfgröße (DK)  . . . . . . . . . . . = " },
    };
    clearSecondBlock(r, k, 7, r.ErgText);
    const double values[] = { result ? result->limit : 0, result ? result->dk : 0 };
    writeSampleLines(r.ErgText, k, labels[k - 1], n, result ? values : nullptr, kCrLf + verdict(), k == 1 ? 6 : 11);
    return findingOf(c);
}

// ---- SHAPIRO-WILK

std::span<const double> ShapiroWilkCoefficients(int n)
{
    for (const auto& row : kShapiroWilkCoefficients)
        if (row.n == n)
            return std::span<const double>(row.a.data(), static_cast<std::size_t>((n + 1) / 2));
    return {};
}

std::optional<double> ShapiroWilkW(std::span<const double> x)
{
    const int m = static_cast<int>(x.size());
    if (m < kShapiroWilkMin || m > kShapiroWilkMax)
        return std::nullopt;
    double mean = 0;
    for (double v : x)
        mean += v;
    mean /= m;
    double ss = 0;
    for (double v : x)
        ss += (v - mean) * (v - mean);
    if (!(ss > 0) || !std::isfinite(ss))
        return std::nullopt;
    const auto a = ShapiroWilkCoefficients(m);
    double b = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        b += a[i] * (x[x.size() - 1 - i] - x[i]);
    return b * b / ss;
}

std::optional<double> ShapiroWilkLimit(int n, double alpha)
{
    static constexpr std::array alphas = { 0.01, 0.05, 0.10, 0.50 };
    const auto column = columnOf(alphas, alpha);
    if (!column || n < kShapiroWilkMin || n > kShapiroWilkMax)
        return std::nullopt;
    return kShapiroWilkPoints[n - kShapiroWilkMin].w[*column];
}

Computed<ShapiroWilkResult> ComputeShapiroWilk(std::span<const double> sorted, float levelPercent)
{
    const int m = static_cast<int>(sorted.size());
    if (auto refusal = SizeRefusal(NormalityTest::ShapiroWilk, m))
        return Refusal { *refusal };
    const auto w = ShapiroWilkW(sorted);
    if (!w)
        return NotPossible(kThisSample, kAllEqual);
    const auto limit = ShapiroWilkLimit(m, CheckAlpha(levelPercent));
    if (!limit)
        return NotPossible(kThisSample, kNoCriticalValue);
    return ShapiroWilkResult { *limit, *w, *w <= *limit };
}

SampleFinding ShapiroWilkTest(AnalysisRecord& r, int k, float levelPercent)
{
    std::vector<double> sorted;
    for (const auto& row : OrderedValues(r, k))
        sorted.push_back(row.x);
    const long m = static_cast<long>(sorted.size());
    const auto c = ComputeShapiroWilk(sorted, levelPercent);
    const auto* result = std::get_if<ShapiroWilkResult>(&c);
    auto verdict = [&] {
        if (!result)
            return reason(c);
        static const std::string no = std::string(kNoDeviation) + "Abweichung von der Normalverteilung auf (W > Signifikanzlimit).";
        static const std::string yes = std::string(kDeviation) + "Abweichung von der Normalverteilung auf (W <= Signifikanzlimit).";
        return result->significant ? yes : no;
    };
    static constexpr SampleLabels labels[] = {
        { "  Umfang  n   . . . . . . . . . . . .  = ", "  Signifikanzlimit (Tab-Wert) . . . .  = ",
            "  Prüfgröße (W) . . . . . . . . . . .  = " },
        { "  Umfang  n    . . . . . . . . . . .   = ", "  Signifikanzlimit (Tab-Wert). . . .   = ",
            "  Prüfgröße (W)  . . . . . . . . . .   = " },
    };
    clearSecondBlock(r, k, 7, r.ErgText);
    const double values[] = { result ? result->limit : 0, result ? result->w : 0 };
    // The second sample's verdict stands in line 12, without a line break.
    writeSampleLines(r.ErgText, k, labels[k - 1], m, result ? values : nullptr, k == 1 ? kCrLf + verdict() : verdict(),
        k == 1 ? 6 : 12);
    return findingOf(c);
}

// ---- DAVID et al.

std::optional<DavidBounds> DavidLimits(long n, double alpha)
{
    const auto column = columnOf(kDavidAlphas, alpha);
    if (!column)
        return std::nullopt;
    const DavidRow* previous = nullptr;
    for (const auto& row : kDavidLimits) {
        if (row.n == n)
            return DavidBounds { row.lower[*column], row.upper[*column] };
        if (row.n > n) {
            if (!previous)
                return std::nullopt;
            const double t = static_cast<double>(n - previous->n) / (row.n - previous->n);
            auto at = [&](const std::array<double, 4>& v0, const std::array<double, 4>& v1) {
                return v0[*column] + (v1[*column] - v0[*column]) * t;
            };
            return DavidBounds { at(previous->lower, row.lower), at(previous->upper, row.upper) };
        }
        previous = &row;
    }
    return std::nullopt;
}

Computed<DavidResult> ComputeDavid(long n, double range, double sd, float levelPercent)
{
    if (!(sd > 0) || !std::isfinite(sd))
        return NotPossible(kThisSample, kAllEqual);
    const auto bounds = DavidLimits(std::min(n, kDavidTableMax), CheckAlpha(levelPercent));
    if (!bounds)
        return NotPossible(kThisSample, kNoCriticalValue);
    const double ratio = range / sd;
    if (!std::isfinite(ratio))
        return NotPossible(kThisSample, kNoStatistic);
    return DavidResult { *bounds, ratio, ratio <= bounds->lower || ratio >= bounds->upper, n > kDavidTableMax };
}

SampleFinding DavidTest(AnalysisRecord& r, int k, float levelPercent)
{
    const std::size_t s = slot(r, k);
    const long n = r.Umfang[s];
    std::optional<std::string> missing;
    double range = 0;
    if (r.Datentyp == 3) {
        // Minimum and maximum are optional at input; both 0 means not entered.
        if (r.Minimum[s] == 0 && r.Maximum[s] == 0)
            missing = "DAVID et al.-Test für Stichprobe " + std::to_string(k)
                + " nicht möglich, da MIN und MAX nicht eingegeben (beide 0).";
        range = static_cast<Single>(r.Maximum[s] - r.Minimum[s]);
    } else {
        const auto rows = OrderedValues(r, k);
        if (!rows.empty()) {
            range = rows.back().x - rows.front().x;
            // Class groups span from the lower limit of the first class to the
            // upper limit of the last.
            if (r.Datentyp == 2 && rows.size() >= 2)
                range += rows[1].x - rows[0].x;
        }
    }
    const auto c = missing ? Computed<DavidResult>(Refusal { *missing }) : ComputeDavid(n, range, r.StdAbw[s], levelPercent);
    const auto* result = std::get_if<DavidResult>(&c);
    if (result)
        r.QuotientWS[s] = result->ratio;
    auto verdict = [&] {
        if (!result)
            return reason(c);
        static const std::string no = std::string(kNoDeviation)
            + "Abweichung von der Normalverteilung auf [R/s innerhalb des Bereichs zwischen der oberen und unteren Grenze].";
        static const std::string yes = std::string(kDeviation)
            + "Abweichung von der Normalverteilung auf [R/s außerhalb des Bereichs zwischen der oberen und unteren Grenze].";
        std::string v = result->significant ? yes : no;
        if (result->beyondTable)
            v += kCrLf + std::string("(Die Tafel endet bei n = ") + std::to_string(kDavidTableMax) + "; die Grenzen für n = "
                + std::to_string(kDavidTableMax) + " wurden verwendet.)";
        return v;
    };
    auto value = [&](const char* label, double v) { return result ? label + Format(v, "0.0000") : std::string(kBlank); };
    auto& e = r.ErgText;
    clearSecondBlock(r, k, 9, e);
    if (k == 1) {
        e[3] = "  Umfang  n    . . . . . . . . . . . .  = " + Whole(n) + "     STICHPROBE = 1";
        e[4] = value("  Unteres Limit (Tab-Wert)   . . . . .  = ", result ? result->bounds.lower : 0);
        e[5] = value("  Oberes  Limit (Tab-Wert)   . . . . .  = ", result ? result->bounds.upper : 0);
        e[6] = value("  R/s-Quotient     . . . . . . . . . .  = ", result ? result->ratio : 0);
        e[7] = verdict() + kCrLf;
    } else {
        e[8] = "  Umfang  n       . . . . . . . . . . . = " + Whole(n) + "     STICHPROBE = 2";
        e[9] = value("  Unteres Limit (Tab-Wert)  . . . . . . = ", result ? result->bounds.lower : 0);
        e[10] = value("  Oberes  Limit (Tab-Wert)  . . . . . . = ", result ? result->bounds.upper : 0);
        e[11] = value("  R/s-Quotient      . . . . . . . . . . = ", result ? result->ratio : 0);
        e[12] = verdict();
    }
    SampleFinding finding = findingOf(c);
    finding.message = missing;
    return finding;
}

// ---- The frame

long TestedSize(const AnalysisRecord& r, NormalityTest test, int k)
{
    if (test == NormalityTest::ShapiroWilk)
        return r.AnzahlWerte[slot(r, k)];
    return r.Umfang[slot(r, k)];
}

std::optional<std::string> SizeRefusal(NormalityTest test, long size)
{
    switch (test) {
    case NormalityTest::KolmogorovSmirnov:
        if (size < 3)
            return "Stichprobe zu klein: Test nicht möglich. Wählen Sie den DAVID-Test aus.";
        break;
    case NormalityTest::ShapiroWilk:
        if (size < kShapiroWilkMin || size > kShapiroWilkMax)
            return "Stichprobe zu groß/klein: Test nicht möglich. Wählen Sie den KS- oder DAVID-Test aus.";
        break;
    case NormalityTest::David:
        if (size < 3)
            return "Stichprobe zu klein: Test nicht möglich. Wählen Sie den KS- oder DAVID-Test aus.";
        break;
    }
    return std::nullopt;
}

void WriteNormalityHeading(NormalityTest test, float levelPercent, Report& lines)
{
    const char* title = "";
    const char* label = "";
    switch (test) {
    case NormalityTest::KolmogorovSmirnov:
        title = "              < Test nach KOLMOGOROFF-SMIRNOF > ";
        label = "                Irrtumswahrscheinlichkeit: ";
        break;
    case NormalityTest::ShapiroWilk:
        title = "                 < Test nach SHAPIRO-WILK > ";
        label = "                 Irrtumswahrscheinlichkeit: ";
        break;
    case NormalityTest::David:
        title = "               < Nach dem Test DAVID et al. > ";
        label = "               Irrtumswahrscheinlichkeit: ";
        break;
    }
    lines[0] = std::string(kHeadingLine) + kCrLf + title;
    lines[1] = label + Format(static_cast<double>(levelPercent) / 100, "0.0%");
}

void WriteNormalityClosing(NormalityTest test, int datentyp, Report& lines)
{
    switch (test) {
    case NormalityTest::KolmogorovSmirnov:
        if (datentyp == 2)
            lines[12] = kClassNote;
        lines[13] = std::string(40, '-');
        break;
    case NormalityTest::ShapiroWilk:
        lines[13] = "---------------------------                ";
        break;
    case NormalityTest::David:
        lines[13] = datentyp == 2 ? std::string("   ") + kClassNote + "   " : std::string(38, '-');
        break;
    }
    lines[14] = kClosingRemark;
}

} // namespace zx
