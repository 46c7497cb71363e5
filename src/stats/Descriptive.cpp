#include "stats/Descriptive.h"

#include "core/Dialogs.h"
#include "core/NumberText.h"
#include "stats/Sorting.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace zx {

namespace {

// Neumaier's compensated sum: the rounding error of every addition is kept
// and added back at the end.
class Sum {
public:
    void add(double x)
    {
        const double t = sum_ + x;
        if (std::fabs(sum_) >= std::fabs(x))
            correction_ += (sum_ - t) + x;
        else
            correction_ += (x - t) + sum_;
        sum_ = t;
    }
    double value() const { return sum_ + correction_; }

private:
    double sum_ = 0;
    double correction_ = 0;
};

// The values of sample k with their frequencies: single values and class
// groups from Werte/Haeufigkeit, paired values the differences.
struct Observation {
    double x;
    double f;
};

std::vector<Observation> observations(const AnalysisRecord& r, int k)
{
    std::vector<Observation> obs;
    if (r.Datentyp == 4) {
        for (int i = 1; i <= r.AnzahlWerte[1]; ++i)
            obs.push_back({ r.Differenzen[static_cast<std::size_t>(i)], 1 });
    } else {
        for (int i = 1; i <= r.AnzahlWerte[k]; ++i)
            obs.push_back({ r.Werte(i, k), static_cast<double>(r.Haeufigkeit(i, k)) });
    }
    return obs;
}

// The classes of a class-group sample in ascending order of their midpoints,
// so that boundaries and cumulative frequencies mean what they say whatever
// order the rows were entered in. The width b is taken from the first two
// midpoints; the classes are assumed equally wide.
struct Classes {
    std::vector<Observation> rows; // index 0 = class 1
    double b = 0;
    double n = 0;

    double lower(std::size_t i) const { return rows[i].x - b / 2; }
    // The value of cumulative rank t within the first class whose cumulative
    // frequency reaches t (strict: exceeds t).
    Variant interpolate(double t, bool strict) const
    {
        double cum = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            cum += rows[i].f;
            if ((strict ? cum > t : cum >= t) && rows[i].f > 0)
                return lower(i) + b * (t - (cum - rows[i].f)) / rows[i].f;
        }
        return std::nullopt;
    }
    // Index of the first class of largest frequency.
    std::size_t modal() const
    {
        std::size_t m = 0;
        for (std::size_t i = 1; i < rows.size(); ++i)
            if (rows[i].f > rows[m].f)
                m = i;
        return m;
    }
};

Classes classes(const AnalysisRecord& r, int k)
{
    Classes c;
    c.rows = observations(r, k);
    std::stable_sort(c.rows.begin(), c.rows.end(), [](const Observation& a, const Observation& b) { return a.x < b.x; });
    if (c.rows.size() >= 2)
        c.b = c.rows[1].x - c.rows[0].x;
    for (const auto& o : c.rows)
        c.n += o.f;
    return c;
}

// The sorted column of single values (k + 2) or pair differences (3).
int sortedColumn(const AnalysisRecord& r, int k) { return r.Datentyp == 4 ? 3 : k + 2; }
int rowCount(const AnalysisRecord& r, int k) { return r.Datentyp == 4 ? r.AnzahlWerte[1] : r.AnzahlWerte[k]; }

// x(j), the j-th smallest value, or nothing outside 1..K.
Variant ordered(const AnalysisRecord& r, int k, long j)
{
    if (j < 1 || j > rowCount(r, k))
        return std::nullopt;
    return r.SortWerte(static_cast<int>(j), sortedColumn(r, k));
}

Variant mean(Variant a, Variant b)
{
    if (!a || !b)
        return std::nullopt;
    return (*a + *b) / 2;
}

Variant finiteOrEmpty(double v) { return std::isfinite(v) ? Variant(v) : std::nullopt; }

// Order positions of the median's standard error: (n -+ sqrt(3n)) / 2,
// raised to the next whole number.
std::pair<long, long> medianErrorRanks(double n)
{
    const double root = std::sqrt(3 * n);
    return { static_cast<long>(std::ceil((n - root) / 2)), static_cast<long>(std::ceil((n + root) / 2)) };
}

Variant medianError(Variant lo, Variant hi)
{
    if (!lo || !hi)
        return std::nullopt;
    return std::fabs(*hi - *lo) / 3.4641;
}

// Rounds a/b to the nearest whole number, halves to the even neighbour.
long roundHalfEven(long a, long b)
{
    long q = a / b;
    const long twice = 2 * (a % b);
    if (twice > b || (twice == b && q % 2 != 0))
        ++q;
    return q;
}

// First n characters of a UTF-8 text, never splitting a character.
std::string firstCharacters(const std::string& s, std::size_t n)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (count == n)
                return s.substr(0, i);
            ++count;
        }
    }
    return s;
}

constexpr std::array<const char*, 22> kLabels = {
    "",
    "        1) MITTELWERT                  ",
    "        2) VARIANZ                     ",
    "        3) STANDARDABWEICHUNG          ",
    "        4) VARIABILITÄTSKOEFFIZIENT    ",
    "        5) STANDARDFEHLER              ",
    "        6) MEDIAN                      ",
    "        7) MEDIAN-STANDARDFEHLER       ",
    "        8) MODALWERT*                  ",
    "        9) GEOMETRISCHER MITTELWERT**  ",
    "       10) HARMONISCHER MITTELWERT**   ",
    "       11) SCHIEFE*                    ",
    "       12) EXZESS=KURTOSIS/WÖLFBUNG*   ",
    "       13) 1. QUARTIL                  ",
    "       14) 3. QUARTIL                  ",
    "       15) QUARTILSABSTAND             ",
    "       16) MINIMUM                     ",
    "       17) MAXIMUM                     ",
    "       18) SPANNWEITE                  ",
    "       19) 10.PERZENTIL                ",
    "       20) 90.PERZENTIL                ",
    "       21) UMFANG                      ",
};

} // namespace

std::string GuardMessage(int errorNumber)
{
    std::string m = "Error = " + Str(errorNumber);
    if (errorNumber == 6)
        m += " Überlauf (overflow). Weiter mit OK";
    else
        m += " unzulässige Funktion z.B. Division durch Null (SF=0). Weiter mit OK";
    return m;
}

const char* ParameterLabel(int line) { return line >= 1 && line <= 21 ? kLabels[static_cast<std::size_t>(line)] : ""; }

bool ComputeMoments(AnalysisRecord& r, Dialogs& dialogs, int k)
{
    const auto obs = observations(r, k);
    Sum sum, squares;
    long n = 0;
    for (const auto& o : obs) {
        sum.add(o.x * o.f);
        squares.add(o.x * o.x * o.f);
        n += static_cast<long>(o.f);
    }
    if (n < 2) {
        // An empty sample has no mean, a single value no variance.
        r.Meldung = GuardMessage(5);
        dialogs.ShowMessage(r.Meldung, "Fehler");
        return false;
    }
    r.Summe[k] = sum.value();
    r.QuadSumme[k] = squares.value();
    r.Umfang[k] = static_cast<Long>(n);
    const double mu = r.Summe[k] / static_cast<double>(n);
    r.Mittelwert[k] = mu;
    // Squared deviations about the mean, with the correction term of the
    // deviations' own sum (which is zero but for rounding).
    Sum dev, devSquares;
    for (const auto& o : obs) {
        const double d = o.x - mu;
        dev.add(d * o.f);
        devSquares.add(d * d * o.f);
    }
    const double squaredDeviations = devSquares.value() - dev.value() * dev.value() / static_cast<double>(n);
    r.AbwQuadSumme[k] = std::max(0.0, squaredDeviations);
    r.Varianz[k] = r.AbwQuadSumme[k] / static_cast<double>(n - 1);
    // Data the input bounds would have refused: say so rather than compute
    // with an infinite spread, or call differing values equal.
    if (!std::isfinite(mu) || !std::isfinite(squaredDeviations) || !std::isfinite(r.Varianz[k])) {
        r.Meldung = GuardMessage(6);
        dialogs.ShowMessage(r.Meldung, "Fehler");
        return false;
    }
    const bool allEqual = std::all_of(obs.begin(), obs.end(), [&](const auto& o) { return o.f == 0 || o.x == obs.front().x; });
    if (r.AbwQuadSumme[k] == 0 && !allEqual) {
        const std::string who = r.Datentyp == 4 ? "der Paardifferenzen" : "der " + std::to_string(k) + ". Stichprobe";
        r.Meldung = "Die Streuung " + who
            + " ist nicht berechenbar: die Werte unterscheiden sich um weniger, als eine Zahl darstellen kann "
              "(Zahlenunterlauf). Weiter mit OK";
        dialogs.ShowMessage(r.Meldung, "Fehler");
        return false;
    }
    r.StdAbw[k] = std::sqrt(r.Varianz[k]);
    r.VarKoeff[k] = mu != 0 ? finiteOrEmpty(r.StdAbw[k] * 100 / mu) : std::nullopt;
    r.StdFehler[k] = r.StdAbw[k] / std::sqrt(static_cast<double>(n));
    return true;
}

void ComputeMinMax(AnalysisRecord& r, int k)
{
    if (r.Datentyp == 2) {
        const Classes c = classes(r, k);
        if (c.rows.empty())
            return;
        r.Minimum[k] = static_cast<Single>(c.rows.front().x - c.b / 2);
        r.Maximum[k] = static_cast<Single>(c.rows.back().x + c.b / 2);
        return;
    }
    if (r.Datentyp != 1 && r.Datentyp != 4)
        return;
    const int kk = r.Datentyp == 4 ? 1 : k;
    if (const auto lo = ordered(r, k, 1))
        r.Minimum[kk] = static_cast<Single>(*lo);
    if (const auto hi = ordered(r, k, rowCount(r, k)))
        r.Maximum[kk] = static_cast<Single>(*hi);
}

void ComputeMedianQuartiles(AnalysisRecord& r, int k)
{
    const long K = rowCount(r, k);
    const long H = K / 2;
    auto x = [&](long j) { return ordered(r, k, j); };
    const bool oddK = K % 2 != 0;
    const bool evenH = H % 2 == 0;
    const int kk = r.Datentyp == 4 ? 1 : k;
    if (oddK) {
        r.Median[kk] = x(H + 1);
        if (evenH) {
            r.Quartil1[kk] = mean(x(H / 2), x(H / 2 + 1));
            r.Quartil3[kk] = mean(x(H + H / 2 + 1), x(H + H / 2 + 2));
        } else {
            r.Quartil1[kk] = x(H / 2 + 1);
            r.Quartil3[kk] = x(H + H / 2 + 2);
        }
    } else {
        r.Median[kk] = mean(x(H), x(H + 1));
        if (evenH) {
            r.Quartil1[kk] = mean(x(H / 2), x(H / 2 + 1));
            r.Quartil3[kk] = mean(x(H + H / 2), x(H + H / 2 + 1));
        } else {
            r.Quartil1[kk] = x(H / 2 + 1);
            r.Quartil3[kk] = x(H + H / 2 + 1);
        }
    }
    const auto [lo, hi] = medianErrorRanks(static_cast<double>(K));
    r.MedianStdFehler[kk] = medianError(x(lo), x(hi));
}

void ComputeClassMedianQuartiles(AnalysisRecord& r, int k)
{
    const Classes c = classes(r, k);
    r.Median[k] = c.interpolate(c.n / 2, false);
    r.Quartil1[k] = c.interpolate(c.n / 4, false);
    r.Quartil3[k] = c.interpolate(3 * c.n / 4, false);
    const auto [lo, hi] = medianErrorRanks(c.n);
    r.MedianStdFehler[k] = medianError(c.interpolate(static_cast<double>(lo), true), c.interpolate(static_cast<double>(hi), true));
}

void ComputeClassMode(AnalysisRecord& r, int k)
{
    const Classes c = classes(r, k);
    r.Modalwert[k] = std::nullopt;
    if (c.rows.empty())
        return;
    const std::size_t m = c.modal();
    const double f0 = c.rows[m].f;
    const double before = m > 0 ? c.rows[m - 1].f : 0;
    const double after = m + 1 < c.rows.size() ? c.rows[m + 1].f : 0;
    const double denominator = 2 * f0 - before - after;
    if (denominator != 0)
        r.Modalwert[k] = finiteOrEmpty(c.lower(m) + c.b * (f0 - before) / denominator);
}

void ComputeSkewnessExcess(AnalysisRecord& r, int k)
{
    r.Schiefe[k] = std::nullopt;
    r.Exzess[k] = std::nullopt;
    const Classes c = classes(r, k);
    const double b = std::fabs(c.b);
    if (c.rows.empty() || b == 0 || c.n <= 0)
        return;
    // Midpoints coded about the modal class keep the powers small.
    const std::size_t m = c.modal();
    const double x0 = m > 0 ? c.rows[m].x : 0;
    Sum s1, s2, s3, s4;
    for (const auto& o : c.rows) {
        const double u = (o.x - x0) / b;
        s1.add(o.f * u);
        s2.add(o.f * u * u);
        s3.add(o.f * u * u * u);
        s4.add(o.f * u * u * u * u);
    }
    const double a1 = s1.value() / c.n, a2 = s2.value() / c.n, a3 = s3.value() / c.n, a4 = s4.value() / c.n;
    const double v = b * b * (a2 - a1 * a1);
    if (!(v > 0))
        return;
    const double s = std::sqrt(v);
    const double m3 = b * b * b * (a3 - 3 * a1 * a2 + 2 * a1 * a1 * a1);
    const double m4 = b * b * b * b * (a4 - 4 * a1 * a3 + 6 * a1 * a1 * a2 - 3 * a1 * a1 * a1 * a1);
    r.Schiefe[k] = finiteOrEmpty(m3 / (s * s * s));
    r.Exzess[k] = finiteOrEmpty(m4 / (v * v) - 3);
}

void ComputeGeometricMean(AnalysisRecord& r, int k)
{
    const auto obs = observations(r, k);
    Sum logs, n;
    for (const auto& o : obs) {
        if (!(o.x > 0)) {
            r.GeomMittel[k] = std::nullopt; // not defined for values <= 0
            return;
        }
        logs.add(o.f * std::log(o.x));
        n.add(o.f);
    }
    r.GeomMittel[k] = n.value() > 0 ? finiteOrEmpty(std::exp(logs.value() / n.value())) : std::nullopt;
}

void ComputeHarmonicMean(AnalysisRecord& r, int k)
{
    const auto obs = observations(r, k);
    Sum reciprocals, n;
    for (const auto& o : obs) {
        if (!(o.x > 0)) {
            r.HarmMittel[k] = std::nullopt;
            return;
        }
        reciprocals.add(o.f / o.x);
        n.add(o.f);
    }
    r.HarmMittel[k] = reciprocals.value() > 0 ? finiteOrEmpty(n.value() / reciprocals.value()) : std::nullopt;
}

Percentiles ComputePercentiles(const AnalysisRecord& r, int k)
{
    if (r.Datentyp == 2) {
        const Classes c = classes(r, k);
        auto at = [&](double p) -> Variant {
            const double t = c.n * p / 100;
            double cum = 0;
            for (std::size_t i = 0; i < c.rows.size(); ++i) {
                cum += c.rows[i].f;
                if (cum > t && cum - c.rows[i].f <= t)
                    return c.lower(i) + c.b * (t - (cum - c.rows[i].f)) / c.rows[i].f;
            }
            return std::nullopt;
        };
        return { at(10), at(90) };
    }
    if (r.Datentyp != 1 && r.Datentyp != 4)
        return {};
    const long K = rowCount(r, k);
    return { ordered(r, k, roundHalfEven((K + 1) * 10, 100)), ordered(r, k, roundHalfEven((K + 1) * 90, 100)) };
}

void SetSummaryValues(AnalysisRecord& r, int k, double mean, double stdDev, Long n, Single maximum, Single minimum)
{
    r.Mittelwert[k] = mean;
    r.StdAbw[k] = stdDev;
    r.Varianz[k] = stdDev * stdDev;
    r.Umfang[k] = n;
    r.Maximum[k] = maximum;
    r.Minimum[k] = minimum;
    r.AbwQuadSumme[k] = (n - 1) * r.Varianz[k];
    r.Summe[k] = mean * n;
    r.QuadSumme[k] = n != 0 ? r.Summe[k] * r.Summe[k] / n + r.AbwQuadSumme[k] : 0;
    r.VarKoeff[k] = mean != 0 ? finiteOrEmpty(stdDev * 100 / mean) : std::nullopt;
    r.StdFehler[k] = n > 0 ? stdDev / std::sqrt(static_cast<double>(n)) : 0;
    r.Median[k] = 0.0;
    r.Quartil1[k] = 0.0;
    r.Quartil3[k] = 0.0;
    r.QuotientWS[k] = stdDev != 0 ? finiteOrEmpty(static_cast<double>(static_cast<Single>(maximum - minimum)) / stdDev) : std::nullopt;
}

bool ComputeDescriptives(AnalysisRecord& r, Dialogs& dialogs)
{
    if (r.Datentyp != 1 && r.Datentyp != 2 && r.Datentyp != 4)
        return true;
    const int last = r.Datentyp == 4 ? 1 : 2;
    for (int k = 1; k <= last; ++k) {
        r.StichprobeNr = static_cast<Integer>(k);
        if (!ComputeMoments(r, dialogs, k))
            return false;
        SortSample(r, k);
        if (r.Datentyp == 4) {
            // Minimum and maximum of the differences, not of their absolute
            // values: the signed sort above leaves |d| in column 3.
            SortSample(r, kSortDifferences);
            ComputeMinMax(r, k);
            ComputeMedianQuartiles(r, k);
        } else {
            ComputeMinMax(r, k);
            if (r.Datentyp == 1)
                ComputeMedianQuartiles(r, k);
            else
                ComputeClassMedianQuartiles(r, k);
        }
    }
    return true;
}

std::optional<Percentiles> ComputeListedParameters(AnalysisRecord& r, Dialogs& dialogs, int k)
{
    r.Modalwert[k] = std::nullopt;
    r.GeomMittel[k] = std::nullopt;
    r.HarmMittel[k] = std::nullopt;
    r.Schiefe[k] = std::nullopt;
    r.Exzess[k] = std::nullopt;

    switch (r.Datentyp) {
    case 1:
        SortSample(r, k);
        ComputeMedianQuartiles(r, k);
        break;
    case 4:
        SortSample(r, kSortDifferences);
        ComputeMedianQuartiles(r, k);
        ComputeMinMax(r, k);
        if (!ComputeMoments(r, dialogs, k))
            return std::nullopt;
        break;
    case 2:
        ComputeClassMedianQuartiles(r, k);
        ComputeSkewnessExcess(r, k);
        ComputeClassMode(r, k);
        break;
    default:
        break;
    }
    if (r.Datentyp != 1 && r.Datentyp != 2 && r.Datentyp != 4)
        return Percentiles {};
    ComputeGeometricMean(r, k);
    ComputeHarmonicMean(r, k);
    return ComputePercentiles(r, k);
}

bool parameter(AnalysisRecord& r, Dialogs& dialogs)
{
    r.StichprobeNr = static_cast<Integer>(r.Datentyp == 4 || r.StichprobeNr != 1 ? 1 : 2);
    const int k = r.StichprobeNr;
    const auto computed = ComputeListedParameters(r, dialogs, k);
    if (!computed)
        return false;
    const Percentiles percentiles = *computed;

    for (int s = 1; s <= 2; ++s)
        r.Bezeichnung[s] = firstCharacters(r.Bezeichnung[s], 10);

    const bool summary = r.Datentyp == 3;
    const bool grouped = r.Datentyp == 2;
    const bool paired = r.Datentyp == 4;
    int overflow = 0; // the first line whose value left the range of a double
    auto line = [&](int i, Variant value, bool shown = true) {
        r.ErgText[static_cast<std::size_t>(i)] = ParameterLabel(i);
        if (shown && value && !std::isfinite(*value) && overflow == 0)
            overflow = i;
        if (shown && value)
            r.ErgText[static_cast<std::size_t>(i)] += Format(*value, i == 21 ? "#0" : "#0.0000");
    };
    auto difference = [](Variant a, Variant b) -> Variant {
        if (!a || !b)
            return std::nullopt;
        return *a - *b;
    };
    line(1, r.Mittelwert[k]);
    line(2, r.Varianz[k]);
    line(3, r.StdAbw[k]);
    line(4, r.VarKoeff[k]);
    line(5, r.StdFehler[k]);
    line(6, r.Median[k], !summary);
    line(7, r.MedianStdFehler[k], !summary);
    line(8, r.Modalwert[k], grouped);
    line(9, r.GeomMittel[k], !summary && r.GeomMittel[k] != 0.0);
    line(10, r.HarmMittel[k], !summary && !paired);
    line(11, r.Schiefe[k], grouped);
    line(12, r.Exzess[k], grouped);
    line(13, r.Quartil1[k], !summary);
    line(14, r.Quartil3[k], !summary);
    line(15, difference(r.Quartil3[k], r.Quartil1[k]), !summary);
    line(16, static_cast<double>(r.Minimum[k]));
    line(17, static_cast<double>(r.Maximum[k]));
    line(18, static_cast<double>(static_cast<Single>(r.Maximum[k] - r.Minimum[k])));
    line(19, percentiles.p10, !summary);
    line(20, percentiles.p90, !summary);
    line(21, static_cast<double>(r.Umfang[k]));
    if (overflow != 0) {
        std::string label = ParameterLabel(overflow);
        label = label.substr(label.find(')') + 2);
        label.erase(label.find_last_not_of(' ') + 1);
        r.Meldung = "Deskriptive Parameter nicht möglich: " + label
            + " ist für diese Daten nicht berechenbar (Zahlenüberlauf). Weiter mit OK";
        dialogs.ShowMessage(r.Meldung, "Fehler");
        return false;
    }
    r.ErgText[22] = "*Nur bei Klassengruppen  **Nur wenn alle Werte >0";
    if (paired)
        r.ErgText[22] += std::string(kCrLf) + "Es handelt sich hier um deskr.Parameter der Paardifferenzen.";
    return true;
}

} // namespace zx
