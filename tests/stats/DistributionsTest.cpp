// The distribution functions against exact values from SciPy
// (data/distribution_reference.csv, written by
// data/make_distribution_reference.py), each within the known error of the
// approximation that computes it, and against the worked values users of the
// program know.
#include "stats/Distributions.h"

#include "ReadNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace zx {
namespace {

struct Reference {
    std::string dist;
    int mode = 0;
    int df1 = 0;
    int df2 = 0;
    double arg = 0;
    double exact = 0;

    std::string describe() const
    {
        std::ostringstream s;
        s.precision(17);
        s << dist << " mode " << mode << " df " << df1 << "/" << df2 << " arg " << arg << " exact " << exact;
        return s.str();
    }
};

std::vector<Reference> loadReference()
{
    std::ifstream in(std::string(ZX_TEST_DATA_DIR) + "/data/distribution_reference.csv");
    std::vector<Reference> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line.rfind("dist,", 0) == 0)
            continue;
        std::istringstream s(line);
        Reference r;
        std::string field;
        std::getline(s, r.dist, ',');
        std::getline(s, field, ',');
        r.mode = std::stoi(field);
        std::getline(s, field, ',');
        r.df1 = std::stoi(field);
        std::getline(s, field, ',');
        r.df2 = std::stoi(field);
        std::getline(s, field, ',');
        r.arg = test::ReadNumber(field);
        std::getline(s, field, ',');
        r.exact = test::ReadNumber(field);
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
    int checked = 0;
    for (const auto& r : rows) {
        // The program asks for upper-tail probabilities of at most 0.5 (levels
        // up to 50 %); above that only the normal quantile is checked.
        if (r.mode == 2 && r.arg > 0.5 && r.dist != "normal")
            continue;
        const auto got = compute(r);
        ASSERT_TRUE(got.has_value()) << r.describe();
        const double error = std::fabs(*got - r.exact);
        const double tol = tolerance(r);
        EXPECT_LE(error, tol) << r.describe() << ": got " << *got << ", error " << error << ", tolerance " << tol;
        ++checked;
    }
    EXPECT_GT(checked, 4000);
}

TEST(Distributions, WorkedValues)
{
    EXPECT_EQ(NormalZ(DistMode::Quantile, 0.025), 1.95996) << "stored value";
    EXPECT_EQ(NormalZ(DistMode::Quantile, 0.05), 1.64485);
    EXPECT_EQ(NormalZ(DistMode::Quantile, 0.01), 2.32635);
    EXPECT_EQ(NormalZ(DistMode::Quantile, 0.005), 2.57583);
    EXPECT_EQ(NormalZ(DistMode::Quantile, 0.5), 0.0);
    // 1 - 0.975 misses 0.025 in binary: the polynomial answers.
    const double z975 = *NormalZ(DistMode::Quantile, 0.975);
    EXPECT_NEAR(z975, -1.959964, 1e-6);
    EXPECT_NE(z975, -1.95996);
    EXPECT_NEAR(*NormalZ(DistMode::Quantile, 0.95), -1.64485, 1e-5);
    EXPECT_NEAR(*NormalZ(DistMode::Quantile, 0.1), 1.28155, 1e-5);

    EXPECT_NEAR(*NormalZ(DistMode::Probability, 1.96), 0.025, 3e-6); // exactly 0.0249979
    EXPECT_EQ(NormalZ(DistMode::Probability, 8), 0.0);
    EXPECT_EQ(NormalZ(DistMode::Probability, -8), 1.0);

    EXPECT_NEAR(*StudentT(DistMode::Quantile, 10, 0.025), 2.2281, 5e-5);
    EXPECT_NEAR(*StudentT(DistMode::Quantile, 5, 0.025), 2.5705, 5e-4);
    EXPECT_NEAR(*StudentT(DistMode::Quantile, 1, 0.025), 12.03, 5e-3) << "the expansion's known value for df = 1";
    EXPECT_NEAR(*StudentT(DistMode::Quantile, 18, 0.025), 2.1009, 1e-4);
    EXPECT_NEAR(*StudentT(DistMode::Probability, 10, 0), 0.5, 1e-12);

    EXPECT_NEAR(*ChiSquare(DistMode::Quantile, 1, 0.05), 3.8414, 1e-4);
    EXPECT_DOUBLE_EQ(*ChiSquare(DistMode::Quantile, 2, 0.05), -2 * std::log(0.05));
    EXPECT_NEAR(*ChiSquare(DistMode::Quantile, 5, 0.05), 11.0706, 5e-4);
    EXPECT_NEAR(*ChiSquare(DistMode::Quantile, 50, 0.05), 67.50, 5e-2);
    for (int df : { 1, 2, 3, 7, 40, 41, 100, 499 })
        EXPECT_EQ(ChiSquare(DistMode::Probability, df, 0), 1.0) << "df " << df;

    EXPECT_NEAR(*FisherF(DistMode::Probability, 1, 1, 2), 1 - (2 / 3.14159265) * std::atan(std::sqrt(2.0)), 1e-14);
    EXPECT_NEAR(*FisherF(DistMode::Probability, 1, 1, 2), 0.3918, 5e-5);
    EXPECT_NEAR(*FisherF(DistMode::Probability, 2, 4, 1.5), std::pow(4.0 / 7.0, 2), 1e-14);
    EXPECT_NEAR(*FisherF(DistMode::Quantile, 10, 15, 0.05), 2.54, 5e-3) << "F table at 5 %";
}

// Above 30 degrees of freedom on both sides the F quantile is Paulson's
// approximation; at 30 it is the bisection of the exact series.
TEST(Distributions, FQuantileMethodSwitchesAboveThirty)
{
    auto paulson = [](double df1, double df2, double z) {
        const double a1 = 2 / (9 * df1), a2 = 2 / (9 * df2);
        const double r = std::sqrt(a1 * (1 - a2) * (1 - a2) + a2 * (1 - a1) * (1 - a1) - a1 * a2 * z * z);
        return std::pow(((1 - a1) * (1 - a2) + z * r) / ((1 - a2) * (1 - a2) - a2 * z * z), 3);
    };
    EXPECT_NEAR(*FisherF(DistMode::Quantile, 31, 31, 0.05), paulson(31, 31, 1.64485), 1e-12);
    const double bisected = *FisherF(DistMode::Quantile, 30, 31, 0.05);
    EXPECT_GT(std::fabs(bisected - paulson(30, 31, 1.64485)), 1e-6);
    EXPECT_NEAR(*FisherF(DistMode::Probability, 30, 31, bisected), 0.05, 1e-5);
}

// Quantile and probability undo each other. The bisections stop at a
// relative step of 1e-5 in u = 1/(1 + x), which leaves the probability of
// the quantile off by up to a few 1e-3 of itself.
TEST(Distributions, RoundTrips)
{
    for (double p : { 0.001, 0.005, 0.01, 0.025, 0.05, 0.1, 0.25, 0.5 }) {
        SCOPED_TRACE("p = " + std::to_string(p));
        EXPECT_NEAR(*NormalZ(DistMode::Probability, *NormalZ(DistMode::Quantile, p)), p, 2e-7 + 1e-3 * p);
        for (int df : { 1, 2, 3, 5, 10, 40, 41, 100 }) {
            const double x = *ChiSquare(DistMode::Quantile, df, p);
            // The quantile of the Wilson-Hilferty probability, or of the exact series.
            EXPECT_NEAR(*ChiSquare(DistMode::Probability, df, x), p, 3e-3 * p + 4e-7) << "chi2 df " << df;
        }
        for (auto [a, b] : { std::pair { 1, 1 }, std::pair { 2, 7 }, std::pair { 5, 30 }, std::pair { 30, 5 }, std::pair { 12, 499 } }) {
            const double f = *FisherF(DistMode::Quantile, a, b, p);
            EXPECT_NEAR(*FisherF(DistMode::Probability, a, b, f), p, 3e-3 * p) << "F df " << a << "/" << b;
        }
        for (int df : { 10, 30, 100 }) {
            // t quantile (expansion) and t probability (exact series) agree to
            // the expansion's accuracy.
            const double t = *StudentT(DistMode::Quantile, df, p);
            EXPECT_NEAR(*StudentT(DistMode::Probability, df, t), p, 2e-3 * p + 1e-6) << "t df " << df;
        }
    }
}

// Where the documented formulas collapse numerically the exact value is
// given: the normal polynomial returned 0 at 1e-8, and the F series gave
// P(F > 2.032) = 0.021 instead of 0.01 for df 499 and 30, which made the
// F table value at 1 % 2.24 instead of 2.03.
TEST(Distributions, CollapsedFormulasGiveExactValues)
{
    EXPECT_NEAR(*NormalZ(DistMode::Quantile, 1e-8), 5.612001243305505, 1e-9);
    EXPECT_NEAR(*NormalZ(DistMode::Quantile, 1 - 1e-8), -5.612001244, 1e-6);
    EXPECT_NEAR(*StudentT(DistMode::Quantile, 30, 5e-8), 6.955747584268002, 5e-3); // SciPy
    EXPECT_NEAR(*FisherF(DistMode::Probability, 499, 30, 2.0321685349861), 0.01, 1e-10); // SciPy quantile
    EXPECT_NEAR(*FisherF(DistMode::Quantile, 499, 30, 0.01), 2.03217, 2.03217 * 5e-4);
    EXPECT_NEAR(*FisherF(DistMode::Probability, 120, 1000, 1.5), 0.00078174842109247369, 1e-10);
}

TEST(Distributions, UndefinedWhereNoValueExists)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double p : { 0.0, 1.0, -0.1, 1.5, nan, std::numeric_limits<double>::infinity() }) {
        SCOPED_TRACE("p = " + std::to_string(p));
        EXPECT_FALSE(NormalZ(DistMode::Quantile, p));
        EXPECT_FALSE(StudentT(DistMode::Quantile, 10, p));
        EXPECT_FALSE(ChiSquare(DistMode::Quantile, 1, p));
        EXPECT_FALSE(ChiSquare(DistMode::Quantile, 2, p));
        EXPECT_FALSE(ChiSquare(DistMode::Quantile, 7, p));
        EXPECT_FALSE(FisherF(DistMode::Quantile, 3, 8, p));
        EXPECT_FALSE(FisherF(DistMode::Quantile, 40, 40, p));
    }
    for (int df : { 0, -1, -32768 }) {
        EXPECT_FALSE(StudentT(DistMode::Quantile, df, 0.05));
        EXPECT_FALSE(StudentT(DistMode::Probability, df, 2));
        EXPECT_FALSE(ChiSquare(DistMode::Quantile, df, 0.05));
        EXPECT_FALSE(ChiSquare(DistMode::Probability, df, 2));
        EXPECT_FALSE(FisherF(DistMode::Quantile, df, 5, 0.05));
        EXPECT_FALSE(FisherF(DistMode::Probability, 5, df, 2));
    }
    EXPECT_FALSE(NormalZ(DistMode::Probability, nan));
    EXPECT_FALSE(StudentT(DistMode::Probability, 5, nan));
    EXPECT_FALSE(FisherF(DistMode::Probability, 5, 5, nan));
    // Infinite or negative values have an answer.
    EXPECT_EQ(NormalZ(DistMode::Probability, std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_EQ(ChiSquare(DistMode::Probability, 3, -2), 1.0);
    EXPECT_EQ(FisherF(DistMode::Probability, 3, 4, -1), 1.0);
    EXPECT_NEAR(*StudentT(DistMode::Probability, 4, -50), 1.0, 1e-5);
}

} // namespace
} // namespace zx
