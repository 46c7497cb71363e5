// The comparison of the variability of the two samples: the F-test for
// independent samples and, for paired values, the t-test for dependent
// samples (PITMAN and MORGAN), which allows for the correlation of the pairs.
#pragma once

#include "core/AnalysisRecord.h"
#include "stats/IndependentTests.h"
#include "stats/TestOutcome.h"

#include <vector>

namespace zx {

// F = larger variance / smaller variance with v1 = n - 1 of the larger and
// v2 of the smaller; critical value the F quantile of level/100 (one-sided:
// the larger variance is always on top, and alpha is not halved).
struct FTestResult {
    int v1 = 0;
    int v2 = 0;
    double F = 0;
    double critical = 0;
    bool significant = false; // F >= critical
};
Computed<FTestResult> ComputeFTest(const SampleSummary& a, const SampleSummary& b, float levelPercent);

// t = |V1 - V2| sqrt(n - 2) / sqrt(4 V1 V2 (1 - r^2)) of the two columns of
// the pairs, r^2 at most 0.999; critical value the one-sided 5 % point of t
// with n - 2 degrees of freedom, whatever level was asked.
struct PairedVarianceResult {
    int df = 0;
    double variance1 = 0;
    double variance2 = 0;
    double r2 = 0;
    double t = 0;
    double critical = 0;
    bool significant = false; // t >= critical
};
Computed<PairedVarianceResult> ComputePairedVarianceTest(const std::vector<double>& x, const std::vector<double>& y);

// The level of the paired variance test, fixed.
inline constexpr float kPairedVarianceLevel = 5;

// The whole test on the record: clears report lines 1 to 50 and writes the
// report into lines 0 to 14, sets VarPruef ("J", "N", or " " when the data
// allow no comparison, which line 12 then explains) and turns an Irrtum of
// 50 into 5; paired values always use 5. The paired test reads the two
// columns and leaves the descriptive values of the differences as they are.
void VarianceTest(AnalysisRecord& record);

} // namespace zx
