// The 21 descriptive parameters of a sample and their listing.
//
// Each routine works on sample k (1 or 2) of the analysis record and writes
// its per-sample fields. For paired values (Datentyp 4) every parameter
// describes the pair differences and is stored under k = 1. A parameter that
// is not defined for the data (a position outside the sample, a geometric
// mean of non-positive values, a coefficient of variation for a mean of 0)
// is left empty and listed as its label alone.
#pragma once

#include "core/AnalysisRecord.h"

#include <optional>

namespace zx {

class Dialogs;

// Sums, mean, sum of squared deviations, variance, standard deviation,
// coefficient of variation and standard error. Sums are compensated and the
// squared deviations are taken about the mean, so that data with a large
// mean and a small spread keep their digits. An empty sample (or one of
// size 1, whose variance does not exist) shows the arithmetic guard's message
// and returns false; nothing is computed then.
bool ComputeMoments(AnalysisRecord& record, Dialogs& dialogs, int k);

// Smallest and largest value (class groups: the outer class boundaries), in
// single precision. Single and paired values read the sorted column.
void ComputeMinMax(AnalysisRecord& record, int k);

// Median, quartiles and the median's standard error of single values or
// pair differences, from the sorted column.
void ComputeMedianQuartiles(AnalysisRecord& record, int k);

// The same for class groups, interpolated within the class.
void ComputeClassMedianQuartiles(AnalysisRecord& record, int k);

// Mode of class groups, interpolated in the first class of largest frequency.
void ComputeClassMode(AnalysisRecord& record, int k);

// Moment coefficients of skewness and excess of class groups.
void ComputeSkewnessExcess(AnalysisRecord& record, int k);

void ComputeGeometricMean(AnalysisRecord& record, int k);
void ComputeHarmonicMean(AnalysisRecord& record, int k);

struct Percentiles {
    Variant p10;
    Variant p90;
};
Percentiles ComputePercentiles(const AnalysisRecord& record, int k);

// Summary values (Datentyp 3) of sample k from the five numbers the user
// entered, with everything derived from them. A mean of 0 leaves the
// coefficient of variation empty; a standard deviation of 0 leaves the
// quotient of range and standard deviation empty.
void SetSummaryValues(AnalysisRecord& record, int k, double mean, double stdDev, Long n, Single maximum, Single minimum);

// What the test choice computes for both samples (paired values: the
// differences only; summary values: nothing, they were set at input).
// False when the arithmetic guard stopped it.
bool ComputeDescriptives(AnalysisRecord& record, Dialogs& dialogs);

// What the listing of sample k computes beyond the test choice's values: the
// mode, the geometric and harmonic means, skewness and excess are cleared and
// computed afresh with the order statistics they rest on. Gives the
// percentiles, or nothing when the arithmetic guard stopped it.
std::optional<Percentiles> ComputeListedParameters(AnalysisRecord& record, Dialogs& dialogs, int k);

// The listing of one sample into ErgText lines 1 to 22. Switches
// StichprobeNr to the other sample first (paired values: always 1),
// recomputes what the listing needs and shortens the sample names to ten
// characters. False when the arithmetic guard stopped it.
bool parameter(AnalysisRecord& record, Dialogs& dialogs);

// The labels of the listing's lines 1 to 21, 39 characters each.
const char* ParameterLabel(int line);

// The message of the arithmetic guard for an error number ("Error =  5 ...").
std::string GuardMessage(int errorNumber);

} // namespace zx
