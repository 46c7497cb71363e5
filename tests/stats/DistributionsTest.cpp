// The distributions against SciPy within each method's known error, the exact
// rank distributions against enumeration, the U tables against the exact
// rank-sum limits, LORD and WILCOXON against fields of their printed pages.
#include "stats/CriticalTables.h"
#include "stats/Distributions.h"
#include "stats/ExactDistributions.h"

#include "ReadNumber.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <fstream>
#include <iomanip>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace zx {
namespace {

struct Reference { std::string dist; int mode = 0, df1 = 0, df2 = 0; double arg = 0, exact = 0; };

std::vector<Reference> loadReference()
{
    std::ifstream in(std::string(ZX_TEST_DATA_DIR) + "/data/distribution_reference.csv");
    std::vector<Reference> rows;
    std::string line, arg, exact;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line.rfind("dist,", 0) == 0)
            continue;
        std::replace(line.begin(), line.end(), ',', ' ');
        std::istringstream s(line);
        auto& r = rows.emplace_back();
        s >> r.dist >> r.mode >> r.df1 >> r.df2 >> arg >> exact;
        r.arg = test::ReadNumber(arg);
        r.exact = test::ReadNumber(exact);
    }
    return rows;
}

std::optional<double> compute(const Reference& r)
{
    const DistMode mode = r.mode == 1 ? DistMode::Probability : DistMode::Quantile;
    if (r.dist == "normal")
        return NormalZ(mode, r.arg);
    if (r.dist == "t")
        return StudentT(mode, r.df1, r.arg);
    if (r.dist == "chi2")
        return ChiSquare(mode, r.df1, r.arg);
    return FisherF(mode, r.df1, r.df2, r.arg);
}

// Relative error of a normal quantile at upper-tail probability q (q <= 0.5).
double normalQuantileError(double q)
{
    if (q < 1e-4)
        return 1e-12; // exact below the polynomial's range
    if (q < 0.005)
        return 1.5e-3; // the polynomial's tail: 1.3e-3 at q = 1e-4
    return 3e-6;       // the stored five-decimal values (1.64485) and the polynomial
}

// Relative error of a bisection in u = 1/(1 + v) to a relative 1e-5: 1e-5 (1 + v) / v in v.
double bisectionError(double v) { return 2e-5 * (1 + v) / v; }

// The tolerance of one reference row: the known error of the method.
double tolerance(const Reference& r)
{
    const double q = std::min(r.arg, 1 - r.arg);
    if (r.dist == "normal")
        return r.mode == 1 ? 1.5e-7 // Abramowitz & Stegun 26.2.19: |error| < 1.5e-7
                           : normalQuantileError(q) * std::fabs(r.exact) + 1e-12;
    if (r.dist == "t") {
        if (r.mode == 1)
            return 1e-5 * r.exact + 2e-9; // F series cut-off; pi taken as 3.14159265
        // Cornish-Fisher: the error falls like 1/df^6 but grows in the far tail, beyond reach for
        // df <= 3 (665 instead of 3183 for df = 1 at q = 1e-4); on top, the normal quantile's error.
        const double df = r.df1;
        double rel = q >= 0.005 ? (df == 1 ? 0.25 : df == 2 ? 0.016 : 8 / std::pow(df, 6) + 4e-6)
                                : (df <= 3 ? 1.0 : 8 / std::pow(df, 3) + 2e-3);
        rel += normalQuantileError(q);
        return rel * std::fabs(r.exact) + 1e-12;
    }
    if (r.dist == "chi2") {
        if (r.mode == 1)
            return r.df1 > 40 ? 3e-4   // Wilson-Hilferty approximation
                              : 4e-7; // exact series; odd df carry twice the normal tail's error
        // Bisection; below df 41 the probability's error moves it by about 2e-8 / q.
        double rel = r.df1 == 1 ? 2 * normalQuantileError(q / 2) : r.df1 == 2 ? 1e-15 : bisectionError(r.exact) + 2e-8 / q;
        if (r.df1 > 40)
            rel += q < 0.005 ? 2.5e-3 : 6e-4; // bisecting the Wilson-Hilferty probability
        return rel * r.exact;
    }
    // F: the series stops once a term falls below 1e-5 of the sum; with df in
    // the hundreds the terms left out add up to some 1e-4.
    if (r.mode == 1)
        return r.df1 + r.df2 > 200 ? 2e-4 : 3e-5;
    const double v = r.exact * r.df1 / r.df2;
    if (r.df1 > 30 && r.df2 > 30)
        return (q < 0.005 ? 7e-3 : 3e-3) * r.exact; // Paulson's approximation
    return (bisectionError(v) + 5e-4) * r.exact;
}

TEST(Distributions, MatchExactValuesWithinTheirKnownError)
{
    const auto rows = loadReference();
    ASSERT_GT(rows.size(), 5000u) << "reference table missing or short";
    for (const auto& r : rows) {
        // Levels go up to 50 %: above a tail of 0.5 only the normal quantile is asked for.
        if (r.mode == 2 && r.arg > 0.5 && r.dist != "normal")
            continue;
        const auto got = compute(r);
        EXPECT_LE(std::fabs(got.value_or(NAN) - r.exact), tolerance(r))
            << std::setprecision(17) << r.dist << " mode " << r.mode << " df " << r.df1 << "/" << r.df2 << " arg " << r.arg
            << ": " << got.value_or(NAN) << " instead of " << r.exact;
    }
}

// Stored quantiles, the t expansion's documented 12.03 for df = 1 (exact 12.71), and SciPy where
// the formulas collapsed (the normal polynomial gave 0 at 1e-8, the F series 0.021 for 0.01).
TEST(Distributions, StoredValuesAndCollapsedFormulas)
{
    const std::pair<double, double> stored[] = { { 0.05, 1.64485 }, { 0.025, 1.95996 }, { 0.01, 2.32635 }, { 0.005, 2.57583 }, { 0.5, 0 } };
    for (const auto& [p, z] : stored)
        EXPECT_EQ(NormalZ(DistMode::Quantile, p), z) << p;
    EXPECT_NEAR(*NormalZ(DistMode::Quantile, 1 - 1e-8), -5.612001244, 1e-6);
    EXPECT_NEAR(*StudentT(DistMode::Quantile, 1, 0.025), 12.03, 5e-3) << "the expansion's documented value for df = 1";
    EXPECT_NEAR(*FisherF(DistMode::Probability, 499, 30, 2.0321685349861), 0.01, 1e-10);
    EXPECT_NEAR(*FisherF(DistMode::Probability, 120, 1000, 1.5), 0.00078174842109247369, 1e-10);
}

TEST(Distributions, UndefinedWhereNoValueExists)
{
    for (double p : { 0.0, 1.0, double(NAN) }) {
        EXPECT_FALSE(NormalZ(DistMode::Quantile, p)) << p;
        EXPECT_FALSE(StudentT(DistMode::Quantile, 10, p)) << p;
        for (int df : { 1, 2, 7 })
            EXPECT_FALSE(ChiSquare(DistMode::Quantile, df, p)) << p << " " << df;
        EXPECT_FALSE(FisherF(DistMode::Quantile, 3, 8, p)) << p;
        EXPECT_FALSE(FisherF(DistMode::Quantile, 40, 40, p)) << p;
    }
    EXPECT_FALSE(NormalZ(DistMode::Probability, NAN));
    for (int df : { 0, -1 }) {
        EXPECT_FALSE(StudentT(DistMode::Probability, df, 2));
        EXPECT_FALSE(ChiSquare(DistMode::Probability, df, 2));
        EXPECT_FALSE(FisherF(DistMode::Quantile, df, 5, 0.05));
        EXPECT_FALSE(FisherF(DistMode::Probability, 5, df, 2));
    }
    // Zero, negative and infinite values have an answer.
    for (int df : { 1, 2, 41 })
        EXPECT_EQ(ChiSquare(DistMode::Probability, df, 0), 1.0) << df;
    EXPECT_EQ(FisherF(DistMode::Probability, 3, 4, 0), 1.0);
    EXPECT_EQ(NormalZ(DistMode::Probability, INFINITY), 0.0);
    EXPECT_EQ(NormalZ(DistMode::Probability, -8), 1.0);
}


constexpr Alternative kTwo = Alternative::TwoSided, kLess = Alternative::Less, kGreater = Alternative::Greater;

TEST(CriticalTables, LordAsPrinted)
{
    // n, one-sided 5 %, one-sided 1 %, two-sided 5 %, two-sided 1 %.
    const double printed[][5] = { { 3, 0.974, 1.715, 1.272, 2.093 }, { 10, 0.250, 0.371, 0.304, 0.419 }, { 20, 0.143, 0.207, 0.172, 0.232 } };
    for (const auto& row : printed) {
        const int n = static_cast<int>(row[0]);
        for (auto oneSided : { kLess, kGreater }) {
            EXPECT_EQ(LordTable(oneSided, n, 0.05), row[1]) << n;
            EXPECT_EQ(LordTable(oneSided, n, 0.01), row[2]) << n;
        }
        EXPECT_EQ(LordTable(kTwo, n, 0.05), row[3]) << n;
        EXPECT_EQ(LordTable(kTwo, n, 0.01), row[4]) << n;
    }
    EXPECT_FALSE(LordTable(kTwo, 2, 0.05));
    EXPECT_FALSE(LordTable(kTwo, 21, 0.05));
    EXPECT_FALSE(LordTable(kLess, 10, 0.025));
}

// Every field of the three tables at the two- and one-sided level each serves; "-" is blank, 0.
TEST(CriticalTables, UTestLimitsAreTheExactRankSumLimits)
{
    std::ifstream in(std::string(ZX_TEST_DATA_DIR) + "/data/rank_sum_limits.txt");
    const std::map<std::string, std::pair<double, double>> levels = { { "0.05", { 0.1, 0.05 } }, { "0.025", { 0.05, 0.025 } },
        { "0.005", { 0.01, 0.005 } } };
    std::string line, alpha, field;
    int checked = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream s(line);
        int m = 0;
        s >> alpha >> m;
        const auto [twoSided, oneSided] = levels.at(alpha);
        for (int n = 3; s >> field; ++n, ++checked) {
            const Single expected = field == "-" ? 0 : static_cast<Single>(std::stoi(field));
            SCOPED_TRACE("alpha " + alpha + " m " + std::to_string(m) + " n " + std::to_string(n));
            EXPECT_EQ(UTestTable(kTwo, n, m, twoSided), expected);
            EXPECT_EQ(UTestTable(kLess, n, m, oneSided), expected);
            EXPECT_EQ(UTestTable(kGreater, n, m, oneSided), expected);
        }
    }
    EXPECT_EQ(checked, 3 * 276); // n = 3..m for m = 3..25
    // Outside the table 0, which no rank sum reaches; levels without a table, nothing.
    for (auto [n, m] : { std::pair { 2, 10 }, std::pair { 6, 5 }, std::pair { 5, 26 } })
        EXPECT_EQ(UTestTable(kTwo, n, m, 0.1), Single(0)) << n << " " << m;
    EXPECT_FALSE(UTestTable(kTwo, 5, 10, 0.025));
    EXPECT_FALSE(UTestTable(kLess, 5, 10, 0.1));
    EXPECT_FALSE(UTestTable(kGreater, 5, 10, 0.01));
}

TEST(CriticalTables, WilcoxonAsPrinted)
{
    // n', then one-sided 5, 2.5, 1, 0.5 % = two-sided 10, 5, 2, 1 %; row 21's third field printed a place left.
    const int printed[][5] = { { 6, 2, 1, 1, 1 }, { 21, 67, 59, 49, 43 }, { 29, 140, 126, 110, 100 } };
    const double oneSided[] = { 0.05, 0.025, 0.01, 0.005 }, twoSided[] = { 0.1, 0.05, 0.02, 0.01 };
    for (const auto& row : printed)
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(WilcoxonTable(kTwo, row[0], twoSided[k]), row[k + 1]) << row[0] << " field " << k + 1;
            EXPECT_EQ(WilcoxonTable(kLess, row[0], oneSided[k]), row[k + 1]) << row[0] << " field " << k + 1;
            EXPECT_EQ(WilcoxonTable(kGreater, row[0], oneSided[k]), row[k + 1]) << row[0] << " field " << k + 1;
        }
    EXPECT_FALSE(WilcoxonTable(kTwo, 5, 0.05));
    EXPECT_FALSE(WilcoxonTable(kTwo, 30, 0.05));
    EXPECT_FALSE(WilcoxonTable(kTwo, 10, 0.025)); // a one-sided level
    EXPECT_FALSE(WilcoxonTable(kLess, 10, 0.1));  // a two-sided level
}


void expectTails(const std::map<long long, double>& counts, const WholeNumberDistribution& d, const std::string& what)
{
    double all = 0;
    for (const auto& [w, c] : counts)
        all += c;
    for (long long w = counts.begin()->first - 1; w <= counts.rbegin()->first + 1; ++w) {
        double below = 0, above = 0;
        for (const auto& [v, c] : counts) {
            below += v <= w ? c : 0;
            above += v >= w ? c : 0;
        }
        ASSERT_NEAR(d.atMost(w), below / all, 1e-13) << what << " W = " << w;
        ASSERT_NEAR(d.atLeast(w), above / all, 1e-13) << what << " W = " << w;
    }
}

TEST(ExactDistributions, AgainstAllSamplesAndAllSigns)
{
    EXPECT_EQ(DoubledRanks({ 1, 2, 1 }), (std::vector<long long> { 2, 5, 8 }));
    // Runs of equal values adding up to N: none, a few, many ties.
    std::mt19937 rng(14);
    std::vector<std::vector<int>> patterns = { { 1 }, { 3 }, std::vector<int>(16, 1), { 16 }, { 8, 8 } };
    for (int N = 2; N <= 16; ++N)
        for (int longest : { 1, 3, 6 }) {
            patterns.emplace_back();
            for (int left = N; left > 0; left -= patterns.back().back())
                patterns.back().push_back(std::min(left, std::uniform_int_distribution<int>(1, longest)(rng)));
        }
    for (const auto& runs : patterns) {
        std::vector<long long> places; // the doubled rank of every place
        const auto doubled = DoubledRanks(runs);
        for (std::size_t g = 0; g < runs.size(); ++g)
            places.insert(places.end(), static_cast<std::size_t>(runs[g]), doubled[g]);
        const int N = static_cast<int>(places.size());
        // bySize[n][W]: the choices of n places with doubled rank sum W;
        // signs[W]: the sign patterns with doubled sum W of the positive ones.
        std::vector<std::map<long long, double>> bySize(static_cast<std::size_t>(N + 1));
        std::map<long long, double> signs;
        for (unsigned mask = 0; mask < (1u << N); ++mask) {
            long long w = 0;
            for (int i = 0; i < N; ++i)
                w += (mask >> i & 1u) ? places[static_cast<std::size_t>(i)] : 0;
            bySize[static_cast<std::size_t>(std::popcount(mask))][w] += 1;
            signs[w] += 1;
        }
        SCOPED_TRACE("runs " + testing::PrintToString(runs));
        for (int n = 0; n <= N; ++n)
            expectTails(bySize[static_cast<std::size_t>(n)], RankSumDistribution(runs, n), "n = " + std::to_string(n));
        expectTails(signs, SignedRankDistribution(runs), "signs");
    }
}

} // namespace
} // namespace zx
