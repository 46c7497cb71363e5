// Mean comparisons of two independent samples from their summary values:
// the two-sample t-test, the WELCH test (unequal variances), the LORD test
// (ranges instead of standard deviations) and the WEIR test (unequal
// variances, fixed limit 2). They read only sizes, means, variances and
// ranges, so single values, class groups and summary values are alike here.
#pragma once

#include "core/AnalysisRecord.h"
#include "stats/TestOutcome.h"

namespace zx {

struct SampleSummary {
    long long n = 0;
    double mean = 0;
    double variance = 0;
    double sumSquaredDeviations = 0; // AbwQuadSumme
    Single minimum = 0;
    Single maximum = 0;
};

// The descriptive values of sample k as the test choice left them.
SampleSummary SummaryOf(const AnalysisRecord& record, int k);

// Two-sample t-test with the pooled variance:
// t = |x1 - x2| / s * sqrt(n1 n2 / N), s^2 = (SQ1 + SQ2) / (N - 2), df = N - 2.
struct TTestResult {
    long long df = 0;
    double critical = 0;
    double t = 0;
    Verdict verdict = Verdict::Random;
};
Computed<TTestResult> ComputeTTest(const SampleSummary& a, const SampleSummary& b, float levelPercent, Alternative alternative);
void WriteTTest(const TTestResult& result, Report& lines);

// WELCH test: t = |x1 - x2| / sqrt(A + B), A = s1^2/n1, B = s2^2/n2, with
// Welch-Satterthwaite's f = (A + B)^2 / (A^2/(n1-1) + B^2/(n2-1)) rounded down
// to whole degrees of freedom.
struct WelchResult {
    double f = 0;
    int df = 0;
    double critical = 0;
    double t = 0;
    Verdict verdict = Verdict::Random;
};
Computed<WelchResult> ComputeWelch(const SampleSummary& a, const SampleSummary& b, float levelPercent, Alternative alternative);
void WriteWelch(const WelchResult& result, Report& lines);

// LORD test: u = |x1 - x2| / ((w1 + w2) / 2) with the ranges w, against
// Lord's table for n = n1 (3 to 20) at 5 % or 1 %.
inline constexpr int kLordTableMin = 3;
inline constexpr int kLordTableMax = 20;
struct LordResult {
    int n = 0;
    double critical = 0;
    double u = 0;
    Verdict verdict = Verdict::Random;
};
Computed<LordResult> ComputeLord(const SampleSummary& a, const SampleSummary& b, float levelPercent, Alternative alternative);
void WriteLord(const LordResult& result, Report& lines);
// The refusal of a first sample of more than 20 values, as it has always read.
std::string LordTooLargeMessage();

// WEIR test, always two-sided: t = |x1 - x2| / s with
// s^2 = (SQ1 + SQ2) / (n1 + n2 - 4) * (1/n1 + 1/n2); significant from t = 2.
struct WeirResult {
    double t = 0;
    Verdict verdict = Verdict::Random;
};
Computed<WeirResult> ComputeWeir(const SampleSummary& a, const SampleSummary& b);
void WriteWeir(const WeirResult& result, Report& lines);

// Names the refusal messages give the tests.
inline constexpr const char* kTTestTitle = "t-Test für Zweistichproben";
inline constexpr const char* kWelchTitle = "WELCH-Test";
inline constexpr const char* kLordTitle = "LORD-Test";
inline constexpr const char* kWeirTitle = "WEIR-Test";

} // namespace zx
