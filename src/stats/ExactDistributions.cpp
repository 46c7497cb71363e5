#include "stats/ExactDistributions.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zx {

std::vector<long long> DoubledRanks(const std::vector<int>& runs)
{
    std::vector<long long> ranks;
    ranks.reserve(runs.size());
    long long before = 0; // places taken by the runs below
    for (int t : runs) {
        ranks.push_back((before + 1) + (before + t));
        before += t;
    }
    return ranks;
}

WholeNumberDistribution::WholeNumberDistribution(long long offset, const std::vector<double>& p)
    : offset_(offset)
    , below_(p.size())
    , above_(p.size())
{
    double sum = 0;
    for (std::size_t i = 0; i < p.size(); ++i)
        below_[i] = std::min(1.0, sum += p[i]);
    sum = 0;
    for (std::size_t i = p.size(); i-- > 0;)
        above_[i] = std::min(1.0, sum += p[i]);
}

double WholeNumberDistribution::atMost(long long w) const
{
    if (w < offset_)
        return 0;
    const auto i = static_cast<unsigned long long>(w - offset_);
    return i >= below_.size() ? 1.0 : below_[i];
}

double WholeNumberDistribution::atLeast(long long w) const
{
    if (w <= offset_)
        return 1;
    const auto i = static_cast<unsigned long long>(w - offset_);
    return i >= above_.size() ? 0.0 : above_[i];
}

WholeNumberDistribution RankSumDistribution(const std::vector<int>& runs, int n)
{
    const int N = std::accumulate(runs.begin(), runs.end(), 0);
    const std::vector<long long> ranks = DoubledRanks(runs);
    const long long total = static_cast<long long>(N) * (N + 1); // all doubled ranks
    // The rank sums of the sample and of the rest add up to `total`: count
    // the smaller of the two.
    const bool rest = n > N - n;
    const int K = rest ? N - n : n;
    // Any K doubled ranks add up to at most the K largest places, doubled.
    const long long top = static_cast<long long>(K) * (2LL * N - K + 1);
    const auto width = static_cast<std::size_t>(top + 1);

    // ways[k][s]: the number of ways to take k values of the runs seen so far
    // with doubled rank sum s; lo[k]..hi[k] the sums that occur.
    std::vector<double> ways(static_cast<std::size_t>(K + 1) * width, 0.0);
    const auto row = [&](int k) { return ways.data() + static_cast<std::size_t>(k) * width; };
    std::vector<long long> lo(static_cast<std::size_t>(K + 1), top + 1), hi(static_cast<std::size_t>(K + 1), -1);
    row(0)[0] = 1;
    lo[0] = hi[0] = 0;
    int seen = 0;
    for (std::size_t g = 0; g < runs.size(); ++g) {
        const int t = runs[g];
        // Taking j of the run's t values adds j times its rank, in C(t, j)
        // ways. Larger k first, so that the rows read are still those
        // before this run.
        for (int k = std::min(K, seen + t); k >= 1; --k) {
            double choose = 1;
            for (int j = 1; j <= std::min(t, k); ++j) {
                choose = choose * (t - j + 1) / j;
                const int from = k - j;
                if (from > seen || lo[static_cast<std::size_t>(from)] > hi[static_cast<std::size_t>(from)])
                    continue;
                const long long shift = j * ranks[g];
                const double* src = row(from);
                double* dst = row(k) + shift;
                for (long long s = lo[static_cast<std::size_t>(from)]; s <= hi[static_cast<std::size_t>(from)]; ++s)
                    dst[s] += choose * src[s];
                lo[static_cast<std::size_t>(k)] = std::min(lo[static_cast<std::size_t>(k)], lo[static_cast<std::size_t>(from)] + shift);
                hi[static_cast<std::size_t>(k)] = std::max(hi[static_cast<std::size_t>(k)], hi[static_cast<std::size_t>(from)] + shift);
            }
        }
        seen += t;
    }

    const long long first = lo[static_cast<std::size_t>(K)];
    const long long last = hi[static_cast<std::size_t>(K)];
    const double* counts = row(K);
    const double all = std::accumulate(counts + first, counts + last + 1, 0.0); // C(N, K)
    std::vector<double> p(static_cast<std::size_t>(last - first + 1));
    for (long long s = first; s <= last; ++s)
        p[static_cast<std::size_t>(rest ? last - s : s - first)] = counts[s] / all;
    return WholeNumberDistribution(rest ? total - last : first, p);
}

WholeNumberDistribution SignedRankDistribution(const std::vector<int>& runs)
{
    const std::vector<long long> ranks = DoubledRanks(runs);
    long long top = 0;
    for (std::size_t g = 0; g < runs.size(); ++g)
        top += runs[g] * ranks[g];
    // p[s] = P(W+ = s) over the differences seen so far; each new one adds
    // its rank or not, with probability 1/2 each.
    std::vector<double> p(static_cast<std::size_t>(top + 1), 0.0);
    p[0] = 1;
    long long reach = 0;
    for (std::size_t g = 0; g < runs.size(); ++g) {
        const long long r = ranks[g];
        for (int i = 0; i < runs[g]; ++i) {
            reach += r;
            for (long long s = reach; s >= r; --s)
                p[static_cast<std::size_t>(s)] = 0.5 * (p[static_cast<std::size_t>(s)] + p[static_cast<std::size_t>(s - r)]);
            for (long long s = r - 1; s >= 0; --s)
                p[static_cast<std::size_t>(s)] *= 0.5;
        }
    }
    return WholeNumberDistribution(0, p);
}

namespace {

double logChoose(long long n, long long k)
{
    return std::lgamma(static_cast<double>(n) + 1) - std::lgamma(static_cast<double>(k) + 1)
        - std::lgamma(static_cast<double>(n - k) + 1);
}

} // namespace

TableDistribution::TableDistribution(long long row1, long long row2, long long column1)
    : lowest_(std::max(0LL, column1 - row2))
{
    const long long highest = std::min(row1, column1);
    for (long long x = lowest_; x <= highest; ++x)
        logWeight_.push_back(logChoose(row1, x) + logChoose(row2, column1 - x));
}

std::vector<double> TableDistribution::probabilities(double logPsi) const
{
    std::vector<double> p(logWeight_.size());
    for (std::size_t i = 0; i < p.size(); ++i)
        p[i] = logWeight_[i] + static_cast<double>(lowest_ + static_cast<long long>(i)) * logPsi;
    const double largest = *std::max_element(p.begin(), p.end());
    double sum = 0;
    for (double& v : p)
        sum += v = std::exp(v - largest);
    for (double& v : p)
        v /= sum;
    return p;
}

double TableDistribution::atMost(long long x, double logPsi) const
{
    const auto p = probabilities(logPsi);
    double sum = 0;
    for (long long v = lowest_; v <= std::min(x, highest()); ++v)
        sum += p[static_cast<std::size_t>(v - lowest_)];
    return std::min(1.0, sum);
}

double TableDistribution::atLeast(long long x, double logPsi) const
{
    const auto p = probabilities(logPsi);
    double sum = 0;
    for (long long v = highest(); v >= std::max(x, lowest_); --v)
        sum += p[static_cast<std::size_t>(v - lowest_)];
    return std::min(1.0, sum);
}

double TableDistribution::mean(double logPsi) const
{
    const auto p = probabilities(logPsi);
    double sum = 0;
    for (std::size_t i = 0; i < p.size(); ++i)
        sum += static_cast<double>(lowest_ + static_cast<long long>(i)) * p[i];
    return sum;
}

double TableDistribution::twoSided(long long x) const
{
    const auto p = probabilities(0);
    if (x < lowest_ || x > highest())
        return 0;
    // Tables as likely as the observed one up to rounding count as well.
    const double limit = p[static_cast<std::size_t>(x - lowest_)] * (1 + 1e-7);
    double sum = 0;
    for (double v : p)
        if (v <= limit)
            sum += v;
    return std::min(1.0, sum);
}

} // namespace zx
