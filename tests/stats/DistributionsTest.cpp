// The distribution functions against exact values from SciPy
// (data/distribution_reference.csv, written by
// data/make_distribution_reference.py), each within the known error of the
// approximation that computes it.
#include "stats/Distributions.h"

#include "ReadNumber.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iomanip>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace zx {
namespace {

struct Reference {
    std::string dist;
    int mode = 0, df1 = 0, df2 = 0;
    double arg = 0, exact = 0;
};

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
        Reference r;
        s >> r.dist >> r.mode >> r.df1 >> r.df2 >> arg >> exact;
        r.arg = test::ReadNumber(arg);
        r.exact = test::ReadNumber(exact);
        rows.push_back(r);
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

// Relative error of the bisections, whose relative step in u = 1/(1 + v) is
// at most 1e-5: the value v = 1/u - 1 is then known to 1e-5 (1 + v) / v.
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
        // Cornish-Fisher expansion: its error falls with df like 1/df^6, but
        // grows in the far tail; on top comes the normal quantile's error.
        const double df = r.df1;
        // For df <= 3 the far tail (q < 0.005) is beyond the expansion: it
        // gives 665 instead of 3183 for df = 1 at q = 1e-4.
        double rel = q >= 0.005 ? (df == 1 ? 0.25 : df == 2 ? 0.016 : 8 / std::pow(df, 6) + 4e-6)
                                : (df <= 3 ? 1.0 : 8 / std::pow(df, 3) + 2e-3);
        rel += normalQuantileError(q);
        return rel * std::fabs(r.exact) + 1e-12;
    }
    if (r.dist == "chi2") {
        if (r.mode == 1)
            return r.df1 > 40 ? 3e-4   // Wilson-Hilferty approximation
                              : 4e-7; // exact series; odd df carry twice the normal tail's error
        // Bisection; below df 41 the probability's own error (3e-7 for odd
        // df) moves the quantile by about 2e-8 / q relative.
        double rel = r.df1 == 1 ? 2 * normalQuantileError(q / 2) : r.df1 == 2 ? 1e-15 : bisectionError(r.exact) + 2e-8 / q;
        if (r.df1 > 40)
            rel += q < 0.005 ? 2.5e-3 : 6e-4; // bisecting the Wilson-Hilferty probability
        return rel * r.exact;
    }
    // F distribution.
    // The series stops once a term falls below 1e-5 of the sum; with df in
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
        // The program asks for upper-tail probabilities of at most 0.5 (levels
        // up to 50 %); above that only the normal quantile is checked.
        if (r.mode == 2 && r.arg > 0.5 && r.dist != "normal")
            continue;
        const auto got = compute(r);
        EXPECT_LE(std::fabs(got.value_or(NAN) - r.exact), tolerance(r))
            << std::setprecision(17) << r.dist << " mode " << r.mode << " df " << r.df1 << "/" << r.df2 << " arg " << r.arg
            << ": " << got.value_or(NAN) << " instead of " << r.exact;
    }
}

// The stored quantiles of the common levels are exact, and the t expansion
// gives its documented 12.03 for df = 1 (exact 12.71); where the documented
// formulas collapse numerically the exact value is given (SciPy): the
// normal polynomial returned 0 at 1e-8, and the F series gave
// P(F > 2.032) = 0.021 instead of 0.01 for df 499 and 30.
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
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double p : { 0.0, 1.0, nan }) {
        EXPECT_FALSE(NormalZ(DistMode::Quantile, p)) << p;
        EXPECT_FALSE(StudentT(DistMode::Quantile, 10, p)) << p;
        for (int df : { 1, 2, 7 })
            EXPECT_FALSE(ChiSquare(DistMode::Quantile, df, p)) << p << " " << df;
        EXPECT_FALSE(FisherF(DistMode::Quantile, 3, 8, p)) << p;
        EXPECT_FALSE(FisherF(DistMode::Quantile, 40, 40, p)) << p;
    }
    EXPECT_FALSE(NormalZ(DistMode::Probability, nan));
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
    EXPECT_EQ(NormalZ(DistMode::Probability, std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_EQ(NormalZ(DistMode::Probability, -8), 1.0);
}

} // namespace
} // namespace zx
