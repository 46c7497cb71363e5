// Exact null distributions of the rank statistics given the ties, and the
// conditional distribution of a 2x2 table.
//
// Ranks are doubled, so that the mean rank of a run of equal values is a
// whole number: a run on the places a..b has the doubled rank a + b. The
// distributions are then counted on a grid of whole numbers, ties included,
// without any approximation.
#pragma once

#include <vector>

namespace zx {

// The doubled mean ranks of runs of equal values, given the run lengths in
// ascending order of the values: runs {1, 2, 1} give {2, 5, 8}.
std::vector<long long> DoubledRanks(const std::vector<int>& runs);

// A distribution on the whole numbers offset, offset + 1, ..., read by its
// two tails.
class WholeNumberDistribution {
public:
    // p[i] = P(W = offset + i).
    WholeNumberDistribution(long long offset, const std::vector<double>& p);
    double atMost(long long w) const;  // P(W <= w)
    double atLeast(long long w) const; // P(W >= w)

private:
    long long offset_ = 0;
    // Each tail summed from its own end, so that small tails keep their digits.
    std::vector<double> below_; // P(W <= offset + i)
    std::vector<double> above_; // P(W >= offset + i)
};

// The doubled rank sum W of a sample of n values among N pooled ones, when all
// C(N, n) ways to choose the sample's places are equally likely (the null
// hypothesis of the U-test, conditional on the ties). runs: the lengths of the
// runs of equal pooled values in ascending order (they add up to N);
// 0 <= n <= N.
WholeNumberDistribution RankSumDistribution(const std::vector<int>& runs, int n);

// The doubled sum W+ of the ranks of the positive differences among n'
// non-zero ones, each sign + or - with probability 1/2 (the null hypothesis
// of the WILCOXON test, conditional on the ties among |D|). runs: the lengths
// of the runs of equal |D| in ascending order.
WholeNumberDistribution SignedRankDistribution(const std::vector<int>& runs);

// The upper-left cell x of a 2x2 table with fixed margins (row sums row1 and
// row2, first column sum column1) under the odds ratio psi: Fisher's
// noncentral hypergeometric distribution, P(x) proportional to
// C(row1, x) C(row2, column1 - x) psi^x.
class TableDistribution {
public:
    TableDistribution(long long row1, long long row2, long long column1);
    long long lowest() const { return lowest_; }
    long long highest() const { return lowest_ + static_cast<long long>(logWeight_.size()) - 1; }
    // Tails under the odds ratio exp(logPsi) (0: the null hypothesis).
    double atMost(long long x, double logPsi = 0) const;
    double atLeast(long long x, double logPsi = 0) const;
    double mean(double logPsi) const;
    // Fisher's two-sided p-value: the probability of all tables no more
    // likely than the observed one under the null hypothesis.
    double twoSided(long long x) const;

private:
    std::vector<double> probabilities(double logPsi) const;
    long long lowest_ = 0;
    std::vector<double> logWeight_; // log C(row1, x) + log C(row2, column1 - x)
};

} // namespace zx
