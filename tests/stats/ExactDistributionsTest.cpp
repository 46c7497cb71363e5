// The exact rank distributions against complete enumeration: for random tie
// patterns of up to 16 values, every one of the C(N, n) choices of a sample
// (rank sum, for every n) and every one of the 2^n' signs (signed-rank sum)
// is counted, and both tails are compared at every possible doubled sum and
// one beyond each end.
#include "stats/ExactDistributions.h"

#include <gtest/gtest.h>

#include <bit>
#include <map>
#include <random>

namespace zx {
namespace {

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

TEST(ExactDistributions, AgainstAllSamplesAndAllSigns)
{
    EXPECT_EQ(DoubledRanks({ 1, 2, 1 }), (std::vector<long long> { 2, 5, 8 }));
    // Runs of equal values adding up to N: none, a few, many ties.
    std::mt19937 rng(14);
    std::vector<std::vector<int>> patterns = { { 1 }, { 3 }, std::vector<int>(16, 1), { 16 }, { 8, 8 } };
    for (int N = 2; N <= 16; ++N)
        for (int longest : { 1, 3, 6 }) {
            patterns.emplace_back();
            for (int left = N; left > 0; left -= patterns.back().back())
                patterns.back().push_back(std::min(left, std::uniform_int_distribution<int>(1, longest)(rng)));
        }
    for (const auto& runs : patterns) {
        std::vector<long long> places; // the doubled rank of every place
        const auto doubled = DoubledRanks(runs);
        for (std::size_t g = 0; g < runs.size(); ++g)
            places.insert(places.end(), static_cast<std::size_t>(runs[g]), doubled[g]);
        const int N = static_cast<int>(places.size());
        // bySize[n][W]: the choices of n places with doubled rank sum W;
        // signs[W]: the sign patterns with doubled sum W of the positive ones.
        std::vector<std::map<long long, double>> bySize(static_cast<std::size_t>(N + 1));
        std::map<long long, double> signs;
        for (unsigned mask = 0; mask < (1u << N); ++mask) {
            long long w = 0;
            for (int i = 0; i < N; ++i)
                w += (mask >> i & 1u) ? places[static_cast<std::size_t>(i)] : 0;
            bySize[static_cast<std::size_t>(std::popcount(mask))][w] += 1;
            signs[w] += 1;
        }
        std::string what = "runs";
        for (int t : runs)
            what += " " + std::to_string(t);
        for (int n = 0; n <= N; ++n)
            expectTails(bySize[static_cast<std::size_t>(n)], RankSumDistribution(runs, n), what + ", n = " + std::to_string(n));
        expectTails(signs, SignedRankDistribution(runs), what + ", signs");
    }
}

} // namespace
} // namespace zx
