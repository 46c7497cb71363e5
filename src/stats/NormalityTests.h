// The checks of a sample for a significant deviation from the normal
// distribution: KOLMOGOROFF-SMIRNOV, SHAPIRO-WILK and DAVID et al.
//
// Each test has a pure computation into a small result (statistic, limits,
// verdict) or a Refusal when the sample cannot be judged, its critical-value
// lookup, and a writer of the sample's report lines. The record-level
// procedures (KSTest, ShapiroWilkTest, DavidTest) tie them together for
// sample k of the analysis record; the frame of the report (heading, level,
// closing lines) is written around them by the caller.
#pragma once

#include "core/AnalysisRecord.h"
#include "stats/TestOutcome.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zx {

enum class NormalityTest { KolmogorovSmirnov, ShapiroWilk, David };

// A value of a sample with its frequency (1 for single values and pair
// differences).
struct WeightedValue {
    double x = 0;
    double f = 1;
};

// The error probability as the normality tables take it: the typed percent
// over 100, and exactly 0.001 for 0.1 % (whose Single is not exactly 0.1).
double CheckAlpha(float levelPercent);

// ---- KOLMOGOROFF-SMIRNOV

// DK of rows in ascending order, against the normal distribution with the
// sample's mean and standard deviation: d_i = Phi(z_i) - F_i with the
// empirical distribution function F after row i, and DK = |min d| + |max d|.
// Nothing when the standard deviation is not positive.
std::optional<double> KSStatistic(std::span<const WeightedValue> rows, double mean, double sd);

// Critical DK for n at alpha 0.10, 0.05 or 0.01 (exactly): the table for
// n = 4..30, c / sqrt(n) beyond it, and the row of 4 scaled by n / 4 below
// it. Nothing for another alpha.
std::optional<double> KSLimit(long n, double alpha);

struct KSResult {
    double limit = 0;
    double dk = 0;
    bool significant = false; // DK >= limit
};
Computed<KSResult> ComputeKS(std::span<const WeightedValue> rows, long n, double mean, double sd, float levelPercent);

// ---- SHAPIRO-WILK

// Coefficients a(n), a(n-1), ... of the published table for n = 2..50;
// empty for any other n.
std::span<const double> ShapiroWilkCoefficients(int n);

// W = b^2 / SS of values in ascending order, b = sum a_i (x(n+1-i) - x(i)).
// Nothing outside n = 3..50 or for a sum of squares of 0.
std::optional<double> ShapiroWilkW(std::span<const double> sorted);

// Percentage point of W for n = 3..50 at alpha 0.50, 0.10, 0.05 or 0.01
// (exactly); nothing otherwise.
std::optional<double> ShapiroWilkLimit(int n, double alpha);

inline constexpr int kShapiroWilkMin = 3;
inline constexpr int kShapiroWilkMax = 50;

struct ShapiroWilkResult {
    double limit = 0;
    double w = 0;
    bool significant = false; // W <= limit
};
Computed<ShapiroWilkResult> ComputeShapiroWilk(std::span<const double> sorted, float levelPercent);

// ---- DAVID et al.

struct DavidBounds {
    double lower = 0;
    double upper = 0;
};
// Lower and upper critical R/s for n = 3..1000 at alpha 0.10, 0.05, 0.01 or
// 0.001 (exactly), interpolated linearly between the rows of the table;
// nothing for another n or alpha.
std::optional<DavidBounds> DavidLimits(long n, double alpha);

// The last size of the table; larger samples are judged with its row.
inline constexpr long kDavidTableMax = 1000;

struct DavidResult {
    DavidBounds bounds;
    double ratio = 0; // R/s
    bool significant = false; // R/s <= lower or R/s >= upper
    bool beyondTable = false; // n above the table: its last row was used
};
Computed<DavidResult> ComputeDavid(long n, double range, double sd, float levelPercent);

// ---- The tests on sample k of the record

// The values a test reads of sample k, in ascending order: single values,
// pair differences (k = 1), or the class midpoints with their frequencies.
std::vector<WeightedValue> OrderedValues(const AnalysisRecord& record, int k);
// The rows KOLMOGOROFF-SMIRNOV compares: the ordered values, class groups at
// their upper class limits (half the width of the first two classes above
// the midpoints).
std::vector<WeightedValue> KSRows(const AnalysisRecord& record, int k);

// The size the test's size check reads: Umfang(k) for KOLMOGOROFF-SMIRNOV
// and DAVID, the number of values AnzahlWerte(k) for SHAPIRO-WILK.
long TestedSize(const AnalysisRecord& record, NormalityTest test, int k);
// The message of a sample too small (or, for SHAPIRO-WILK, too large) for
// the test; nothing when the size is fine.
std::optional<std::string> SizeRefusal(NormalityTest test, long size);

struct SampleFinding {
    bool tested = false;      // a verdict was reached
    bool significant = false; // ... and it was a deviation
    // A "Fehler" box the caller shows, when the sample lacks what the test
    // needs and the user can act on it.
    std::optional<std::string> message;
};

// Each writes the report lines of sample k into record.ErgText (lines 3 to
// 8 for k = 1, 7 to 12 for k = 2), and, for a sample that cannot be judged,
// the reason in place of the verdict. DAVID also stores QuotientWS(k).
SampleFinding KSTest(AnalysisRecord& record, int k, float levelPercent);
SampleFinding ShapiroWilkTest(AnalysisRecord& record, int k, float levelPercent);
SampleFinding DavidTest(AnalysisRecord& record, int k, float levelPercent);

// The frame: line 0 (heading and the test's title) and line 1 (the level);
// and the closing lines 12 (KOLMOGOROFF-SMIRNOV's note on class midpoints),
// 13 and 14.
void WriteNormalityHeading(NormalityTest test, float levelPercent, Report& lines);
void WriteNormalityClosing(NormalityTest test, int datentyp, Report& lines);

} // namespace zx
