// Comparisons of paired values on their differences D = x1 - x2: the t-test
// for paired values, the sign test and the WILCOXON signed-rank test.
#pragma once

#include "core/AnalysisRecord.h"
#include "stats/TestOutcome.h"

#include <vector>

namespace zx {

// Differenzen(1..AnzahlWerte(1)).
std::vector<double> PairDifferences(const AnalysisRecord& record);

// t = |mean(D) sqrt(n) / s(D)| with n - 1 degrees of freedom.
struct PairedTResult {
    long long df = 0;
    double critical = 0;
    double t = 0;
    Verdict verdict = Verdict::Random;
};
Computed<PairedTResult> ComputePairedTTest(long long n, double meanDifference, double sdDifference, float levelPercent,
    Alternative alternative);
void WritePairedTTest(const PairedTResult& result, Report& lines);

// Sign test: p positive and q negative differences (zeros left out),
// chi^2 = (p - q)^2 / (p + q) against chi-square with one degree of freedom.
struct SignTestResult {
    long long p = 0;
    long long q = 0;
    double critical = 0;
    double chi2 = 0;
    Verdict verdict = Verdict::Random;
};
Computed<SignTestResult> ComputeSignTest(const std::vector<double>& differences, float levelPercent, Alternative alternative);
void WriteSignTest(const SignTestResult& result, Report& lines);

// WILCOXON test on the n' non-zero differences, ranked by |D| with average
// ranks for ties. R = min(R+, R-). For n' = 6..29 R is compared with the
// table; from n' = 30 with the normal approximation
// z = |R - P/4| / sqrt(P (2n' + 1)/24), P = n'(n' + 1), and the tie-corrected
// z' = |R - P/4| / sqrt(P (2n' + 1)/24 - sum(t^3 - t)/48), which decides.
struct WilcoxonResult {
    int nPrime = 0;
    double rPlus = 0;
    double rMinus = 0;
    double R = 0;
    long long tieSum = 0; // sum of t^3 - t over the runs of equal |D|
    bool normal = false;
    double critical = 0;
    double z = 0;
    double zCorrected = 0;
    Verdict verdict = Verdict::Random;
};
// The number of non-zero differences from which the normal approximation
// takes over; the table ends one below.
inline constexpr int kWilcoxonNormalFrom = 30;
inline constexpr int kWilcoxonTableFrom = 6;
int NonZeroCount(const std::vector<double>& differences);
Computed<WilcoxonResult> ComputeWilcoxon(const std::vector<double>& differences, float levelPercent, Alternative alternative);
void WriteWilcoxon(const WilcoxonResult& result, Report& lines);

inline constexpr const char* kPairedTTitle = "t-Test für Wertepaare";
inline constexpr const char* kSignTitle = "VORZEICHEN-Test";
inline constexpr const char* kWilcoxonTitle = "WILCOXON-Test";

} // namespace zx
