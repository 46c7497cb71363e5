// What the report adds beside each test's verdict ("Zusatzangaben"): the
// p-value for the chosen alternative, the estimate of the difference and the
// effect size, with (1 - alpha) confidence intervals (one-sided for a
// one-sided alternative), computed from the data the test used.
//
// alpha is the level as a fraction. A figure that cannot be given on the data
// is kept with the word why, never guessed.
#pragma once

#include "core/Supplement.h"
#include "stats/IndependentTests.h"
#include "stats/RankTests.h"

#include <string_view>
#include <vector>

namespace zx {

// Up to these sizes the rank tests' p-values are exact; above them the normal
// approximation with tie correction takes over.
inline constexpr int kExactRankSumMax = 100;    // n + m, U-test
inline constexpr int kExactSignedRankMax = 200; // n', WILCOXON

// Above this |t| the noncentral t distribution takes too long to be inverted
// for an interval of d; so large a t leaves no doubt about the effect anyway.
inline constexpr double kLargestNoncentralT = 500;

// Two-sample t-test: p from Student t with n1 + n2 - 2 degrees of freedom, the
// mean difference with its pooled-variance interval, Cohen's d (pooled
// standard deviation) and Hedges' g with intervals from the noncentral t.
Supplement TTestSupplement(const SampleSummary& a, const SampleSummary& b, double alpha, Alternative alternative);

// WELCH test: as the t-test with WELCH's fractional degrees of freedom and
// standard error; d standardised by sqrt((s1^2 + s2^2)/2).
Supplement WelchSupplement(const SampleSummary& a, const SampleSummary& b, double alpha, Alternative alternative);

// LORD and WEIR tests: their statistics have no p-value in general use
// (`test` names the test in the line that says so); the mean difference and
// d as for the WELCH test.
Supplement WelchFiguresWithoutP(const SampleSummary& a, const SampleSummary& b, double alpha, Alternative alternative,
    std::string_view test);

// Paired t-test on n differences with mean and standard deviation: p with
// n - 1 degrees of freedom, the mean difference, d_z with its noncentral t
// interval.
Supplement PairedTSupplement(long long n, double mean, double sd, double alpha, Alternative alternative);

// U-test: p of the rank sum of x, exact given the ties up to
// kExactRankSumMax values, else normal with tie correction; the
// Hodges-Lehmann shift (median of all x - y) with its order-statistics
// interval; the rank-biserial correlation.
Supplement UTestSupplement(const std::vector<double>& x, const std::vector<double>& y, double alpha, Alternative alternative);

// WILCOXON test on the non-zero differences (zeros dropped, as the test drops
// them): p of the signed-rank sum, exact given the ties up to
// kExactSignedRankMax differences; the Hodges-Lehmann pseudo-median (median of
// the Walsh averages) with its interval; the matched-pairs rank-biserial
// correlation.
Supplement WilcoxonSupplement(const std::vector<double>& differences, double alpha, Alternative alternative);

// Sign test: the exact binomial p of the positive among the non-zero
// differences; their share with the Clopper-Pearson interval.
Supplement SignTestSupplement(const std::vector<double>& differences, double alpha, Alternative alternative);

// MEDIAN test: Fisher's exact p of the test's 2x2 table; the odds of lying
// above the median, sample 1 against sample 2, as the conditional maximum
// likelihood estimate with its exact conditional interval.
Supplement MedianTestSupplement(const MedianResult& table, double alpha, Alternative alternative);

} // namespace zx
