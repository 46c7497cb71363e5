// Distribution-free comparisons of two independent samples of single values:
// the U-test of MANN and WHITNEY and the MEDIAN test.
#pragma once

#include "core/AnalysisRecord.h"
#include "stats/TestOutcome.h"

#include <optional>
#include <vector>

namespace zx {

// The rows 1..AnzahlWerte(k) of sample k of single values.
std::vector<double> SampleValues(const AnalysisRecord& record, int k);

// U-test on the pooled ranks (average ranks for ties).
// R1, R2: rank sums; U1 = n m + n(n+1)/2 - R1, U2 = n m + m(m+1)/2 - R2.
// Small samples (n, m <= 25, n <= m): Ux = R1 against the table's lower
// limit U and the upper limit Uo = n(n + m + 1) - U.
// Larger samples: Ux = min(U1, U2), z = |Ux - n m/2| / sqrt(n m (N+1)/12)
// and, with ties, WALTER's z' = |Ux - n m/2| / sqrt(q (S - T)) with
// q = n m / (N (N-1)), S = (N^3 - N)/12 and T = sum(t^3 - t)/12 over the runs
// of t equal values; critical value the normal quantile of level/200.
struct UTestResult {
    Alternative alternative = Alternative::TwoSided;
    int n = 0;
    int m = 0;
    double R1 = 0;
    double R2 = 0;
    double U1 = 0;
    double U2 = 0;
    long long tieSum = 0; // sum of t^3 - t; T = tieSum / 12
    bool normal = false;  // normal approximation (n > kUTableMax or m > kUTableMax)
    // Small samples.
    Single U = 0;
    Single Uo = 0;
    Single Ux = 0;
    // Normal approximation.
    double critical = 0;
    double z = 0;
    std::optional<double> zCorrected; // only with ties
    Verdict verdict = Verdict::Random;
};
Computed<UTestResult> ComputeUTest(const std::vector<double>& x, const std::vector<double>& y, float levelPercent, Alternative alternative);
void WriteUTest(const UTestResult& result, Report& lines);

// MEDIAN test: the 2x2 table of the values below (L) and above (H) the
// median of the pooled samples, values equal to it left out;
// chi^2 = (N - 1)(L1 H2 - H1 L2)^2 / ((L1 + H1)(L2 + H2)(L1 + L2)(H1 + H2))
// with N = n + m, against chi-square with one degree of freedom.
struct MedianResult {
    double median = 0;
    long long L1 = 0;
    long long H1 = 0;
    long long L2 = 0;
    long long H2 = 0;
    long long N = 0;
    double critical = 0;
    double chi2 = 0;
    Verdict verdict = Verdict::Random;
};
Computed<MedianResult> ComputeMedianTest(const std::vector<double>& x, const std::vector<double>& y, float levelPercent, Alternative alternative);
void WriteMedianTest(const MedianResult& result, Report& lines);

// Up to this size of both samples the U-test reads its table; beyond it the
// normal approximation decides.
inline constexpr int kUTableMax = 25;

inline constexpr const char* kUTestTitle = "U-Test";
inline constexpr const char* kMedianTitle = "MEDIAN-Test";

} // namespace zx
