// What a test report adds below its verdict ("Zusatzangaben"): the p-value,
// the estimate of the difference and the effect size, each with its
// confidence interval and the method that gave it. Kept as numbers, so that
// the window's lines and any machine-readable output are written from the
// same values.
#pragma once

#include "core/Alternative.h"

#include <optional>
#include <string>
#include <vector>

namespace zx {

// What a figure measures. The differences are sample 1 minus sample 2.
enum class Measure {
    PValue,              // for the report's alternative hypothesis
    MeanDifference,      // mean 1 - mean 2
    MeanOfDifferences,   // paired values: the mean of x1 - x2
    CohensD,             // standardised mean difference, see Standardiser
    HedgesG,             // Cohen's d with the small-sample correction J(df)
    CohensDz,            // mean of the differences over their standard deviation
    Shift,               // Hodges-Lehmann: median of all differences x - y
    PseudoMedian,        // Hodges-Lehmann: median of the Walsh averages of the differences
    RankBiserial,        // 2 (R1/n - R2/m) / (n + m)
    MatchedRankBiserial, // (R+ - R-) / (R+ + R-)
    ShareOfPositives,    // positive differences among the non-zero ones
    OddsRatio,           // odds of lying above the median, sample 1 against sample 2
};

// How a figure's value (a p-value) or its interval was computed.
enum class Method {
    None,              // a plain formula, no interval
    StudentT,          // Student's t with Supplement::df degrees of freedom
    NoncentralT,       // interval from the noncentral t distribution
    ExactRankSum,      // exact distribution of the rank sum, given the ties
    ExactSignedRank,   // exact distribution of the signed-rank sum, given the ties
    NormalWithTies,    // normal approximation with tie correction
    OrderExact,        // order statistics of the differences, exact null distribution
    OrderNormal,       // order statistics of the differences, normal approximation
    ExactBinomial,     // binomial distribution with p = 1/2
    ClopperPearson,    // exact binomial interval
    FisherExact,       // Fisher's exact test of the 2x2 table
    ConditionalExact,  // conditional maximum likelihood, exact conditional interval
};

// The scale of a standardised mean difference.
enum class Standardiser {
    None,
    Pooled,              // sqrt((SQ1 + SQ2) / (n1 + n2 - 2))
    MeanOfVariances,     // sqrt((s1^2 + s2^2) / 2), with WELCH's degrees of freedom
    DifferencesSd,       // standard deviation of the pair differences
};

// A one- or two-sided interval of confidence 1 - alpha; a one-sided one has
// an infinite end (or the end of the range: 0 for an odds ratio or a share).
struct Interval {
    double lower = 0;
    double upper = 0;
};

struct Figure {
    Measure measure = Measure::PValue;
    // Nothing when it cannot be given; `omitted` says why.
    std::optional<double> value;
    std::optional<Interval> interval;
    Method method = Method::None;
    // Why the value or its interval is left out, in German; empty when
    // nothing is.
    std::string omitted;
};

struct Supplement {
    Alternative alternative = Alternative::TwoSided;
    double alpha = 0.05;
    // Degrees of freedom of the Student-t figures (WELCH's are fractional).
    std::optional<double> df;
    Standardiser standardiser = Standardiser::None;
    bool ties = false; // the rank statistic's data hold ties
    std::vector<Figure> figures;
};

} // namespace zx
