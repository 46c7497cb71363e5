#include "stats/VarianceTests.h"

#include "core/NumberText.h"
#include "stats/Distributions.h"
#include "stats/RankTests.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace zx {

namespace {

constexpr const char* kFTitle = "F-Test";
constexpr const char* kPairedTitle = "t-Test für abhängige Stichproben";
constexpr const char* kBlank = "   ";
constexpr const char* kRule = "---------------------------";

// Below this distance from 1, r^2 of two columns that are exact linear
// functions of each other is rounding noise.
constexpr double kPerfectCorrelation = 1 - 1e-12;

int degrees(long long n) { return static_cast<int>(std::min<long long>(n, INT_MAX)); }

std::string verdict(bool significant)
{
    return std::string("Das vorliegende Datenmaterial weist ") + (significant ? "einen" : "keinen")
        + " signifikanten Unterschied in der Variabilität auf. ";
}

void writeFrame(const char* title, const std::string& levelLine, Report& e)
{
    e[0] = "             PRÜFUNG AUF GLEICHHEIT DER VARIANZEN";
    e[1] = title;
    e[2] = kBlank;
    e[3] = levelLine;
    for (int i = 4; i <= 10; ++i)
        e[static_cast<std::size_t>(i)] = kBlank;
    e[11] = kRule;
    e[13] = kBlank;
    e[14] = kBlank;
}

} // namespace

Computed<FTestResult> ComputeFTest(const SampleSummary& a, const SampleSummary& b, float levelPercent)
{
    if (a.n < 2 || b.n < 2)
        return NotPossible(kFTitle, "jede Stichprobe braucht mindestens 2 Werte");
    // The larger variance on top; equal variances keep the order.
    const bool firstLarger = a.variance >= b.variance;
    const SampleSummary& top = firstLarger ? a : b;
    const SampleSummary& bottom = firstLarger ? b : a;
    if (!(bottom.variance > 0))
        return NotPossible(kFTitle, "die Varianz einer Stichprobe ist 0 (alle Werte gleich)");
    const double F = top.variance / bottom.variance;
    if (!std::isfinite(F))
        return NotPossible(kFTitle, kNoStatistic);
    FTestResult r;
    r.v1 = degrees(top.n - 1);
    r.v2 = degrees(bottom.n - 1);
    r.F = F;
    const auto critical = FisherF(DistMode::Quantile, r.v1, r.v2, Fraction(levelPercent));
    if (!critical)
        return NotPossible(kFTitle, kNoCriticalValue);
    r.critical = *critical;
    r.significant = F >= *critical;
    return r;
}

Computed<PairedVarianceResult> ComputePairedVarianceTest(const std::vector<double>& x, const std::vector<double>& y)
{
    const std::size_t n = std::min(x.size(), y.size());
    if (n < 3)
        return NotPossible(kPairedTitle, "es werden mindestens 3 Wertepaare gebraucht");
    double mx = 0, my = 0;
    for (std::size_t i = 0; i < n; ++i) {
        mx += x[i];
        my += y[i];
    }
    mx /= static_cast<double>(n);
    my /= static_cast<double>(n);
    // Sums of squares and of products about the means.
    double sxx = 0, syy = 0, sxy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sxx += (x[i] - mx) * (x[i] - mx);
        syy += (y[i] - my) * (y[i] - my);
        sxy += (x[i] - mx) * (y[i] - my);
    }
    PairedVarianceResult r;
    r.df = degrees(static_cast<long long>(n) - 2);
    r.variance1 = sxx / static_cast<double>(n - 1);
    r.variance2 = syy / static_cast<double>(n - 1);
    if (!std::isfinite(r.variance1) || !std::isfinite(r.variance2) || !std::isfinite(sxy))
        return NotPossible(kPairedTitle, kNoStatistic);
    if (!(r.variance1 > 0) || !(r.variance2 > 0))
        return NotPossible(kPairedTitle, "die Varianz einer der beiden Spalten ist 0 (alle Werte gleich)");
    r.r2 = sxy / sxx * sxy / syy;
    if (r.r2 >= kPerfectCorrelation)
        r.r2 = 0.999;
    r.t = std::fabs(r.variance1 - r.variance2) * std::sqrt(static_cast<double>(r.df))
        / std::sqrt(4 * r.variance1 * r.variance2 * (1 - r.r2));
    if (!std::isfinite(r.t))
        return NotPossible(kPairedTitle, kNoStatistic);
    const auto critical = StudentT(DistMode::Quantile, r.df, Fraction(kPairedVarianceLevel));
    if (!critical)
        return NotPossible(kPairedTitle, kNoCriticalValue);
    r.critical = *critical;
    r.significant = r.t >= *critical;
    return r;
}

void VarianceTest(AnalysisRecord& rec)
{
    auto& e = rec.ErgText;
    for (int i = 1; i <= 50; ++i)
        e[static_cast<std::size_t>(i)].clear();
    if (rec.Irrtum == 50)
        rec.Irrtum = 5;
    if (rec.Datentyp == 4)
        rec.Irrtum = kPairedVarianceLevel;
    const std::string levelValue = Format(static_cast<double>(rec.Irrtum) / 100, "0.0%");

    bool compared = false;
    bool significant = false;
    std::string refusal;
    if (rec.Datentyp == 4) {
        writeFrame("        < Nach dem t-Test für abhängige Stichproben >", "   Irrtumswahrscheinlichkeit             = " + levelValue, e);
        std::vector<double> first = SampleValues(rec, 1);
        std::vector<double> second;
        for (int i = 1; i <= rec.AnzahlWerte[1]; ++i)
            second.push_back(rec.Werte(i, 2));
        const auto c = ComputePairedVarianceTest(first, second);
        if (const auto* r = std::get_if<PairedVarianceResult>(&c)) {
            e[4] = "   Freiheitsgrade (n-2)                  = " + Whole(r->df);
            e[5] = "   t-Wert (berechnet)                    = " + Format(r->t, "#0.0000");
            e[6] = "   t-Tafel                               = " + Format(r->critical, "#0.0000");
            compared = true;
            significant = r->significant;
        } else {
            refusal = std::get<Refusal>(c).message;
        }
    } else {
        writeFrame("        < Nach dem F-Test für Unabhängige Stichproben >", "   Irrtumswahrscheinlichkeit           = " + levelValue, e);
        const SampleSummary a = SummaryOf(rec, 1);
        const SampleSummary b = SummaryOf(rec, 2);
        const auto c = ComputeFTest(a, b, rec.Irrtum);
        if (const auto* r = std::get_if<FTestResult>(&c)) {
            e[5] = "   Freiheitsgrade (v1)                 = " + Whole(r->v1);
            e[6] = "   Freiheitsgrade (v2)                 = " + Whole(r->v2);
            e[7] = "   VARIANZ(1)                          = " + Format(a.variance, "0.0000");
            e[8] = "   VARIANZ(2)                          = " + Format(b.variance, "0.0000");
            e[9] = "   F-Wert (berechnet)                  = " + Format(r->F, "0.0000");
            e[10] = "   F-Tafel                             = " + Format(r->critical, "0.0000");
            compared = true;
            significant = r->significant;
        } else {
            refusal = std::get<Refusal>(c).message;
        }
    }
    e[12] = compared ? verdict(significant) : refusal;
    rec.VarPruef = compared ? (significant ? "N" : "J") : " ";
}

} // namespace zx
