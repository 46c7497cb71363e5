#include "stats/EffectSizes.h"

#include "stats/ExactDistributions.h"
#include "stats/Ranking.h"

#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/non_central_t.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <boost/math/tools/toms748_solve.hpp>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <string>

namespace zx {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr const char* kOverflow = "nicht berechenbar (Zahlenüberlauf)";
constexpr const char* kNotComputable = "nicht berechenbar";
constexpr const char* kAllZero = "alle Paardifferenzen sind 0";

// The probability each end of an interval leaves out.
double tailOf(double alpha, Alternative alternative) { return alternative == Alternative::TwoSided ? alpha / 2 : alpha; }

// The p-value from the two tails of the statistic's null distribution at the
// observed value: Less takes the lower tail (sample 1 lies lower), Greater
// the upper, two-sided twice the smaller one.
double pFromTails(Alternative alternative, double lower, double upper)
{
    switch (alternative) {
    case Alternative::Less: return lower;
    case Alternative::Greater: return upper;
    case Alternative::TwoSided: break;
    }
    return std::min(1.0, 2 * std::min(lower, upper));
}

// An interval from its two candidate ends: a one-sided alternative keeps
// only the end that bounds it, the other goes to `open` (the edge of the
// range: infinity, or 0 and 1).
Interval sided(Alternative alternative, double lower, double upper, double openLow = -kInf, double openHigh = kInf)
{
    return { alternative == Alternative::Less ? openLow : lower, alternative == Alternative::Greater ? openHigh : upper };
}

// Both ends are numbers, and only the end a one-sided alternative leaves
// open is infinite.
bool holds(const Interval& i, Alternative alternative)
{
    return (std::isfinite(i.lower) || (alternative == Alternative::Less && !std::isnan(i.lower)))
        && (std::isfinite(i.upper) || (alternative == Alternative::Greater && !std::isnan(i.upper)));
}

Figure valued(Measure measure, double value, Method method = Method::None)
{
    Figure f;
    f.measure = measure;
    f.method = method;
    if (std::isfinite(value))
        f.value = value;
    else
        f.omitted = kOverflow;
    return f;
}

Figure omitted(Measure measure, std::string why)
{
    Figure f;
    f.measure = measure;
    f.omitted = std::move(why);
    return f;
}

// A root of the monotone f, walking from `start` in steps that double until
// f changes sign, then closing in (TOMS 748). Nothing when there is none in
// reach or f cannot be evaluated.
template <typename F>
std::optional<double> rootOf(F f, bool increasing, double start, double step)
{
    try {
        double a = start;
        double fa = f(a);
        if (fa == 0)
            return a;
        const double direction = (fa < 0) == increasing ? 1 : -1;
        for (int i = 0; i < 64; ++i) {
            const double b = a + direction * step;
            const double fb = f(b);
            if (std::isnan(fb))
                return std::nullopt;
            if (fb == 0)
                return b;
            if ((fa < 0) != (fb < 0)) {
                std::uintmax_t iterations = 200;
                const auto close = [](double u, double v) { return std::fabs(u - v) <= 1e-13 * std::max(1.0, std::fabs(u)); };
                const auto [lo, hi] = a < b ? boost::math::tools::toms748_solve(f, a, b, fa, fb, close, iterations)
                                            : boost::math::tools::toms748_solve(f, b, a, fb, fa, close, iterations);
                return std::midpoint(lo, hi);
            }
            a = b;
            fa = fb;
            step *= 2;
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// ---- Student t ----------------------------------------------------------

// A mean difference with its standard error and degrees of freedom.
struct TFrame {
    double difference = 0;
    double se = 0;
    double df = 0;
    double t() const { return difference / se; }
};

Figure tPValue(const TFrame& f, Alternative alternative)
{
    try {
        const boost::math::students_t T(f.df);
        const double t = f.t();
        return valued(Measure::PValue, pFromTails(alternative, cdf(T, t), cdf(complement(T, t))), Method::StudentT);
    } catch (const std::exception&) {
        return omitted(Measure::PValue, kNotComputable);
    }
}

Figure meanDifference(const TFrame& f, double alpha, Alternative alternative)
{
    Figure figure = valued(Measure::MeanDifference, f.difference, Method::StudentT);
    try {
        const double q = quantile(complement(boost::math::students_t(f.df), tailOf(alpha, alternative)));
        const Interval i = sided(alternative, f.difference - q * f.se, f.difference + q * f.se);
        if (holds(i, alternative))
            figure.interval = i;
    } catch (const std::exception&) {
    }
    if (figure.value && !figure.interval)
        figure.omitted = "Intervall " + std::string(kNotComputable);
    return figure;
}

// The noncentrality at which the noncentral t puts `probability` below t.
std::optional<double> noncentrality(double t, double df, double probability)
{
    // P(T' <= t) falls as the noncentrality grows.
    return rootOf([&](double ncp) { return cdf(boost::math::non_central_t(df, ncp), t) - probability; }, false, t, 1.0);
}

// Hedges' correction J = Gamma(df/2) / (sqrt(df/2) Gamma((df - 1)/2)), exact.
std::optional<double> hedgesJ(double df)
{
    if (!(df > 1))
        return std::nullopt;
    try {
        return 1 / (boost::math::tgamma_delta_ratio((df - 1) / 2, 0.5) * std::sqrt(df / 2));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// Cohen's d = t * scale, where scale turns the t statistic into the
// standardised difference (standard error over standardiser), with the
// interval of the noncentral t; Hedges' g = J d when asked for.
void addStandardised(Supplement& s, const TFrame& f, double scale, Measure measure, bool hedges)
{
    const double t = f.t();
    Figure d = valued(measure, t * scale, Method::NoncentralT);
    if (d.value) {
        if (std::fabs(t) > kLargestNoncentralT) {
            d.omitted = "Intervall nicht berechnet (|t| > " + std::to_string(static_cast<int>(kLargestNoncentralT)) + ")";
        } else {
            const double tail = tailOf(s.alpha, s.alternative);
            const auto low = s.alternative == Alternative::Less ? std::optional<double>(-kInf) : noncentrality(t, f.df, 1 - tail);
            const auto high = s.alternative == Alternative::Greater ? std::optional<double>(kInf) : noncentrality(t, f.df, tail);
            if (low && high)
                d.interval = Interval { *low * scale, *high * scale };
            else
                d.omitted = "Intervall " + std::string(kNotComputable);
        }
    }
    s.figures.push_back(d);
    if (!hedges)
        return;
    const auto J = hedgesJ(f.df);
    if (!d.value || !J) {
        s.figures.push_back(omitted(Measure::HedgesG, d.value ? "nicht definiert für df ≤ 1" : d.omitted));
        return;
    }
    Figure g = d;
    g.measure = Measure::HedgesG;
    g.value = *J * *d.value;
    if (g.interval)
        g.interval = Interval { *J * g.interval->lower, *J * g.interval->upper };
    s.figures.push_back(g);
}

Supplement start(double alpha, Alternative alternative)
{
    Supplement s;
    s.alpha = alpha;
    s.alternative = alternative;
    return s;
}

// The t statistic exists: a positive standard error, at least one degree of
// freedom, finite numbers.
bool usable(const TFrame& f) { return f.df >= 1 && f.se > 0 && std::isfinite(f.se) && std::isfinite(f.t()); }

// A supplement that has nothing to give, and the word why.
Supplement nothing(Supplement s, const char* why)
{
    s.figures.push_back(omitted(Measure::PValue, why));
    return s;
}

// The WELCH quantities, or why they cannot be had.
struct Welch {
    TFrame frame;
    double standardiser = 0; // sqrt((s1^2 + s2^2) / 2)
    std::string why;         // empty when the frame holds
};

Welch welchOf(const SampleSummary& a, const SampleSummary& b)
{
    Welch w;
    w.frame.difference = a.mean - b.mean;
    if (a.n < 2 || b.n < 2) {
        w.why = "jede Stichprobe braucht mindestens 2 Werte";
        return w;
    }
    const double A = a.variance / static_cast<double>(a.n);
    const double B = b.variance / static_cast<double>(b.n);
    w.frame.se = std::sqrt(A + B);
    w.frame.df = (A + B) * (A + B) / (A * A / static_cast<double>(a.n - 1) + B * B / static_cast<double>(b.n - 1));
    w.standardiser = std::sqrt((a.variance + b.variance) / 2);
    if (!(w.frame.se > 0) || !(w.standardiser > 0))
        w.why = "die Varianz beider Stichproben ist 0";
    else if (!std::isfinite(w.frame.t()) || !std::isfinite(w.frame.df) || !std::isfinite(w.standardiser))
        w.why = "Zahlenüberlauf";
    return w;
}

void addWelchFigures(Supplement& s, const Welch& w)
{
    s.standardiser = Standardiser::MeanOfVariances;
    if (!w.why.empty()) {
        Figure difference = valued(Measure::MeanDifference, w.frame.difference, Method::StudentT);
        if (difference.value)
            difference.omitted = "Intervall nach WELCH nicht berechenbar: " + w.why;
        s.figures.push_back(difference);
        s.figures.push_back(omitted(Measure::CohensD, "nicht berechenbar: " + w.why));
        return;
    }
    s.df = w.frame.df;
    s.figures.push_back(meanDifference(w.frame, s.alpha, s.alternative));
    addStandardised(s, w.frame, w.frame.se / w.standardiser, Measure::CohensD, true);
}

// ---- Ranks ----------------------------------------------------------------

// The ranked rows with the lengths of their runs of equal values, and the
// doubled rank of each row.
struct Ranked {
    RankedRows rows;
    std::vector<int> runs;
    std::vector<long long> doubled; // by row, row 0 unused
    bool ties = false;
};

Ranked rankTable(PairTable table)
{
    Ranked r;
    r.rows = RankRows(std::move(table));
    const std::size_t n = r.rows.rows.size() - 1;
    r.doubled.assign(n + 1, 0);
    for (std::size_t i = 1; i <= n; ++i) {
        // Mean ranks are whole or halves: doubled, they are whole.
        r.doubled[i] = std::llround(2 * r.rows.rank[i]);
        if (i == 1 || r.rows.rows[i][0] != r.rows.rows[i - 1][0])
            r.runs.push_back(0);
        ++r.runs.back();
    }
    r.ties = r.rows.tieSum > 0;
    return r;
}

// The k-th smallest (1-based) of v; v is reordered.
double orderStatistic(std::vector<double>& v, std::size_t k)
{
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(k - 1), v.end());
    return v[k - 1];
}

double medianOf(std::vector<double>& v)
{
    const std::size_t h = v.size() / 2;
    const double upper = orderStatistic(v, h + 1);
    return v.size() % 2 != 0 ? upper : std::midpoint(orderStatistic(v, h), upper);
}

// The smallest u with P(U <= u) >= tail, where atMost(u) = P(U <= u) for
// u = 0..last; 0 means that no interval reaches the confidence.
long long lowerQuantile(long long last, double tail, const std::function<double(long long)>& atMost)
{
    for (long long u = 0; u <= last; ++u)
        if (atMost(u) >= tail)
            return u;
    return last;
}

// The normal approximation of that quantile for a count with mean
// `center` and standard deviation sigma, with continuity correction.
long long normalQuantile(double center, double sigma, double tail)
{
    const double z = quantile(complement(boost::math::normal(), tail));
    return static_cast<long long>(std::ceil(center - 0.5 - z * sigma));
}

// The Hodges-Lehmann estimate of a set of candidate values (differences or
// Walsh averages) with the order-statistics interval [v(k), v(M + 1 - k)].
Figure hodgesLehmann(Measure measure, std::vector<double> values, long long k, Method method, Alternative alternative)
{
    Figure f = valued(measure, medianOf(values), method);
    if (!f.value)
        return f;
    const auto M = static_cast<long long>(values.size());
    if (k < 1) {
        f.omitted = "Intervall bei so wenigen Werten für dieses Konfidenzniveau nicht erreichbar";
        return f;
    }
    k = std::min(k, M);
    const Interval i = sided(alternative, orderStatistic(values, static_cast<std::size_t>(k)),
        orderStatistic(values, static_cast<std::size_t>(M + 1 - k)));
    if (holds(i, alternative))
        f.interval = i;
    else
        f.omitted = "Intervall " + std::string(kOverflow);
    return f;
}

// The p-value of a rank statistic by the normal approximation: the
// statistic's distance from its mean in standard deviations.
double normalP(Alternative alternative, double z)
{
    const boost::math::normal Z;
    return pFromTails(alternative, cdf(Z, z), cdf(complement(Z, z)));
}

} // namespace

// ---- The tests --------------------------------------------------------------

Supplement TTestSupplement(const SampleSummary& a, const SampleSummary& b, double alpha, Alternative alternative)
{
    Supplement s = start(alpha, alternative);
    s.standardiser = Standardiser::Pooled;
    const double n1 = static_cast<double>(a.n);
    const double n2 = static_cast<double>(b.n);
    TFrame f;
    f.df = n1 + n2 - 2;
    const double pooled = std::sqrt((a.sumSquaredDeviations + b.sumSquaredDeviations) / f.df);
    f.difference = a.mean - b.mean;
    f.se = pooled * std::sqrt(1 / n1 + 1 / n2);
    if (!usable(f))
        return nothing(s, kNotComputable);
    s.df = f.df;
    s.figures.push_back(tPValue(f, alternative));
    s.figures.push_back(meanDifference(f, alpha, alternative));
    addStandardised(s, f, f.se / pooled, Measure::CohensD, true);
    return s;
}

Supplement WelchSupplement(const SampleSummary& a, const SampleSummary& b, double alpha, Alternative alternative)
{
    Supplement s = start(alpha, alternative);
    const Welch w = welchOf(a, b);
    s.figures.push_back(w.why.empty() ? tPValue(w.frame, alternative) : omitted(Measure::PValue, "nicht berechenbar: " + w.why));
    addWelchFigures(s, w);
    return s;
}

Supplement WelchFiguresWithoutP(const SampleSummary& a, const SampleSummary& b, double alpha, Alternative alternative,
    std::string_view test)
{
    Supplement s = start(alpha, alternative);
    s.figures.push_back(omitted(Measure::PValue, "für die Prüfgröße des " + std::string(test) + "s ist kein p-Wert gebräuchlich"));
    addWelchFigures(s, welchOf(a, b));
    return s;
}

Supplement PairedTSupplement(long long n, double mean, double sd, double alpha, Alternative alternative)
{
    Supplement s = start(alpha, alternative);
    s.standardiser = Standardiser::DifferencesSd;
    TFrame f;
    f.df = static_cast<double>(n - 1);
    f.difference = mean;
    f.se = sd / std::sqrt(static_cast<double>(n));
    if (!usable(f))
        return nothing(s, kNotComputable);
    s.df = f.df;
    s.figures.push_back(tPValue(f, alternative));
    s.figures.push_back(meanDifference(f, alpha, alternative));
    s.figures.back().measure = Measure::MeanOfDifferences;
    addStandardised(s, f, 1 / std::sqrt(static_cast<double>(n)), Measure::CohensDz, false);
    return s;
}

Supplement UTestSupplement(const std::vector<double>& x, const std::vector<double>& y, double alpha, Alternative alternative)
{
    Supplement s = start(alpha, alternative);
    const auto n = static_cast<long long>(x.size());
    const auto m = static_cast<long long>(y.size());
    const long long N = n + m;
    if (n == 0 || m == 0)
        return nothing(s, "eine Stichprobe ist leer");
    PairTable table(1, { 0, 0 });
    for (double v : x)
        table.push_back({ v, 1 });
    for (double v : y)
        table.push_back({ v, 2 });
    const Ranked ranked = rankTable(std::move(table));
    s.ties = ranked.ties;
    long long W = 0; // doubled rank sum of sample 1
    for (std::size_t i = 1; i < ranked.doubled.size(); ++i)
        if (ranked.rows.rows[i][1] == 1)
            W += ranked.doubled[i];

    const double tail = tailOf(alpha, alternative);
    const double nm = static_cast<double>(n * m);
    long long k = 0;
    Method order = Method::OrderExact;
    if (N <= kExactRankSumMax) {
        const auto exact = RankSumDistribution(ranked.runs, static_cast<int>(n));
        s.figures.push_back(valued(Measure::PValue, pFromTails(alternative, exact.atMost(W), exact.atLeast(W)), Method::ExactRankSum));
        // The interval's order statistic from the distribution without ties:
        // U = W/2 - n(n+1)/2 counts the differences below zero.
        const auto untied = ranked.ties ? RankSumDistribution(std::vector<int>(static_cast<std::size_t>(N), 1), static_cast<int>(n)) : exact;
        k = lowerQuantile(n * m, tail, [&](long long u) { return untied.atMost(2 * u + n * (n + 1)); });
    } else {
        const double Nd = static_cast<double>(N);
        const double variance = nm / 12 * (Nd + 1 - static_cast<double>(ranked.rows.tieSum) / (Nd * (Nd - 1)));
        const double z = (static_cast<double>(W) / 2 - static_cast<double>(n) * (Nd + 1) / 2) / std::sqrt(variance);
        s.figures.push_back(valued(Measure::PValue, normalP(alternative, z), Method::NormalWithTies));
        k = normalQuantile(nm / 2, std::sqrt(nm * (Nd + 1) / 12), tail);
        order = Method::OrderNormal;
    }

    std::vector<double> differences;
    differences.reserve(static_cast<std::size_t>(n * m));
    for (double a : x)
        for (double b : y)
            differences.push_back(a - b);
    s.figures.push_back(hodgesLehmann(Measure::Shift, std::move(differences), k, order, alternative));

    const double R1 = static_cast<double>(W) / 2;
    const double R2 = static_cast<double>(N * (N + 1)) / 2 - R1;
    s.figures.push_back(valued(Measure::RankBiserial, 2 * (R1 / static_cast<double>(n) - R2 / static_cast<double>(m)) / static_cast<double>(N)));
    return s;
}

Supplement WilcoxonSupplement(const std::vector<double>& differences, double alpha, Alternative alternative)
{
    Supplement s = start(alpha, alternative);
    std::vector<double> nonZero;
    PairTable table(1, { 0, 0 });
    for (double d : differences)
        if (d != 0) {
            nonZero.push_back(d);
            table.push_back({ std::fabs(d), d < 0 ? -1.0 : 1.0 });
        }
    const auto n = static_cast<long long>(nonZero.size());
    if (n == 0)
        return nothing(s, kAllZero);
    const Ranked ranked = rankTable(std::move(table));
    s.ties = ranked.ties;
    long long W = 0; // doubled rank sum of the positive differences
    for (std::size_t i = 1; i < ranked.doubled.size(); ++i)
        if (ranked.rows.rows[i][1] > 0)
            W += ranked.doubled[i];

    const double tail = tailOf(alpha, alternative);
    const long long M = n * (n + 1) / 2; // Walsh averages, and the largest rank sum
    const double nd = static_cast<double>(n);
    const double untiedVariance = nd * (nd + 1) * (2 * nd + 1) / 24;
    long long k = 0;
    Method order = Method::OrderExact;
    if (n <= kExactSignedRankMax) {
        const auto exact = SignedRankDistribution(ranked.runs);
        s.figures.push_back(
            valued(Measure::PValue, pFromTails(alternative, exact.atMost(W), exact.atLeast(W)), Method::ExactSignedRank));
        const auto untied = ranked.ties ? SignedRankDistribution(std::vector<int>(static_cast<std::size_t>(n), 1)) : exact;
        k = lowerQuantile(M, tail, [&](long long u) { return untied.atMost(2 * u); });
    } else {
        const double variance = untiedVariance - static_cast<double>(ranked.rows.tieSum) / 48;
        const double z = (static_cast<double>(W) / 2 - static_cast<double>(M) / 2) / std::sqrt(variance);
        s.figures.push_back(valued(Measure::PValue, normalP(alternative, z), Method::NormalWithTies));
        k = normalQuantile(static_cast<double>(M) / 2, std::sqrt(untiedVariance), tail);
        order = Method::OrderNormal;
    }

    std::vector<double> walsh;
    walsh.reserve(static_cast<std::size_t>(M));
    for (std::size_t i = 0; i < nonZero.size(); ++i)
        for (std::size_t j = i; j < nonZero.size(); ++j)
            walsh.push_back(std::midpoint(nonZero[i], nonZero[j]));
    s.figures.push_back(hodgesLehmann(Measure::PseudoMedian, std::move(walsh), k, order, alternative));

    const double rPlus = static_cast<double>(W) / 2;
    const double rMinus = static_cast<double>(M) - rPlus;
    s.figures.push_back(valued(Measure::MatchedRankBiserial, (rPlus - rMinus) / static_cast<double>(M)));
    return s;
}

Supplement SignTestSupplement(const std::vector<double>& differences, double alpha, Alternative alternative)
{
    Supplement s = start(alpha, alternative);
    long long positive = 0;
    long long n = 0;
    for (double d : differences) {
        positive += d > 0;
        n += d != 0;
    }
    if (n == 0)
        return nothing(s, kAllZero);
    using boost::math::binomial;
    const binomial B(static_cast<double>(n), 0.5);
    const double k = static_cast<double>(positive);
    const double lower = cdf(B, k);
    const double upper = positive == 0 ? 1.0 : cdf(complement(B, k - 1));
    s.figures.push_back(valued(Measure::PValue, pFromTails(alternative, lower, upper), Method::ExactBinomial));
    const double tail = tailOf(alpha, alternative);
    Figure share = valued(Measure::ShareOfPositives, k / static_cast<double>(n), Method::ClopperPearson);
    share.interval = sided(alternative, binomial::find_lower_bound_on_p(static_cast<double>(n), k, tail),
        binomial::find_upper_bound_on_p(static_cast<double>(n), k, tail), 0, 1);
    s.figures.push_back(share);
    return s;
}

Supplement MedianTestSupplement(const MedianResult& t, double alpha, Alternative alternative)
{
    Supplement s = start(alpha, alternative);
    // Rows: sample 1 (H1 above, L1 below the median), sample 2 (H2, L2).
    const TableDistribution table(t.H1 + t.L1, t.H2 + t.L2, t.H1 + t.H2);
    const long long x = t.H1;
    const double p = alternative == Alternative::Greater ? table.atLeast(x)
        : alternative == Alternative::Less               ? table.atMost(x)
                                                         : table.twoSided(x);
    s.figures.push_back(valued(Measure::PValue, p, Method::FisherExact));

    // The odds ratio psi on its logarithm: the estimate makes the observed
    // cell the expected one; each end of the interval leaves `tail` beyond it.
    const double tail = tailOf(alpha, alternative);
    const auto psi = [&](std::optional<double> logPsi) { return logPsi ? std::optional<double>(std::exp(*logPsi)) : std::nullopt; };
    const auto atBottom = x == table.lowest();
    const auto atTop = x == table.highest();
    const auto estimate = atBottom ? std::optional<double>(0)
        : atTop                    ? std::optional<double>(kInf)
                                   : psi(rootOf([&](double l) { return table.mean(l) - static_cast<double>(x); }, true, 0, 1));
    const auto low = atBottom ? std::optional<double>(0)
                              : psi(rootOf([&](double l) { return table.atLeast(x, l) - tail; }, true, 0, 1));
    const auto high = atTop ? std::optional<double>(kInf)
                            : psi(rootOf([&](double l) { return table.atMost(x, l) - tail; }, false, 0, 1));
    if (!estimate) {
        s.figures.push_back(omitted(Measure::OddsRatio, kNotComputable));
        return s;
    }
    Figure odds;
    odds.measure = Measure::OddsRatio;
    odds.value = *estimate;
    odds.method = Method::ConditionalExact;
    if ((low || alternative == Alternative::Less) && (high || alternative == Alternative::Greater))
        odds.interval = sided(alternative, low.value_or(0), high.value_or(kInf), 0, kInf);
    else
        odds.omitted = "Intervall " + std::string(kNotComputable);
    s.figures.push_back(odds);
    return s;
}

} // namespace zx
