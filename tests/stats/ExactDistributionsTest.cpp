// The exact rank distributions against complete enumeration: for random tie
// patterns of up to 16 values, every one of the C(N, n) choices of a sample
// (rank sum, for every n) and every one of the 2^n' signs (signed-rank sum)
// is counted, and both tails are compared at every possible doubled sum.
#include "stats/ExactDistributions.h"

#include <gtest/gtest.h>

#include <bit>
#include <map>
#include <random>

namespace zx {
namespace {

// Random runs of equal values adding up to N: no ties, a few, many.
std::vector<std::vector<int>> tiePatterns()
{
    std::mt19937 rng(14);
    std::vector<std::vector<int>> patterns = { { 1 }, { 3 }, { 1, 1 }, std::vector<int>(16, 1), { 16 }, { 8, 8 } };
    for (int N = 2; N <= 16; ++N)
        for (int longest : { 1, 3, 6 }) {
            std::vector<int> runs;
            for (int left = N; left > 0;) {
                const int t = std::min(left, std::uniform_int_distribution<int>(1, longest)(rng));
                runs.push_back(t);
                left -= t;
            }
            patterns.push_back(runs);
        }
    return patterns;
}

// The doubled rank of every place, from the runs.
std::vector<long long> placeRanks(const std::vector<int>& runs)
{
    const auto doubled = DoubledRanks(runs);
    std::vector<long long> places;
    for (std::size_t g = 0; g < runs.size(); ++g)
        places.insert(places.end(), static_cast<std::size_t>(runs[g]), doubled[g]);
    return places;
}

// Counted sums -> the two tails at every sum from one below the smallest to
// one above the largest, against the distribution.
void expectTails(const std::map<long long, double>& counts, const WholeNumberDistribution& d, const std::string& what)
{
    double all = 0;
    for (const auto& [w, c] : counts)
        all += c;
    for (long long w = counts.begin()->first - 1; w <= counts.rbegin()->first + 1; ++w) {
        double below = 0, above = 0;
        for (const auto& [v, c] : counts) {
            below += v <= w ? c : 0;
            above += v >= w ? c : 0;
        }
        ASSERT_NEAR(d.atMost(w), below / all, 1e-13) << what << " W = " << w;
        ASSERT_NEAR(d.atLeast(w), above / all, 1e-13) << what << " W = " << w;
    }
}

std::string describe(const std::vector<int>& runs, int n)
{
    std::string s = "runs";
    for (int t : runs)
        s += " " + std::to_string(t);
    return s + ", n = " + std::to_string(n);
}

TEST(ExactDistributions, DoubledRanksAreTheRunsMidRanksTwice)
{
    EXPECT_EQ(DoubledRanks({ 1, 2, 1 }), (std::vector<long long> { 2, 5, 8 }));
    EXPECT_EQ(DoubledRanks({ 3, 1 }), (std::vector<long long> { 4, 8 }));
}

TEST(ExactDistributions, RankSumAgainstAllSamples)
{
    for (const auto& runs : tiePatterns()) {
        const auto places = placeRanks(runs);
        const int N = static_cast<int>(places.size());
        // counts[n][W]: the samples of n places with doubled rank sum W.
        std::vector<std::map<long long, double>> counts(static_cast<std::size_t>(N + 1));
        for (unsigned mask = 0; mask < (1u << N); ++mask) {
            long long w = 0;
            for (int i = 0; i < N; ++i)
                w += (mask >> i & 1u) ? places[static_cast<std::size_t>(i)] : 0;
            counts[static_cast<std::size_t>(std::popcount(mask))][w] += 1;
        }
        for (int n = 0; n <= N; ++n)
            expectTails(counts[static_cast<std::size_t>(n)], RankSumDistribution(runs, n), describe(runs, n));
    }
}

TEST(ExactDistributions, SignedRankAgainstAllSigns)
{
    for (const auto& runs : tiePatterns()) {
        const auto places = placeRanks(runs);
        const int n = static_cast<int>(places.size());
        std::map<long long, double> counts;
        for (unsigned mask = 0; mask < (1u << n); ++mask) {
            long long w = 0;
            for (int i = 0; i < n; ++i)
                w += (mask >> i & 1u) ? places[static_cast<std::size_t>(i)] : 0;
            counts[w] += 1;
        }
        expectTails(counts, SignedRankDistribution(runs), describe(runs, n));
    }
}

} // namespace
} // namespace zx
