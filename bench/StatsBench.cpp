// Timings of the statistics engine: the descriptive parameters and the sort
// on a full sample of 500 values, the distribution functions, and the
// report's additions with the exact rank distributions at their limits.
#include "core/AnalysisRecord.h"
#include "core/Dialogs.h"
#include "stats/Descriptive.h"
#include "stats/Distributions.h"
#include "stats/EffectSizes.h"
#include "stats/ExactDistributions.h"
#include "stats/Sorting.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

class NoDialogs : public zx::Dialogs {
public:
    void ShowMessage(const std::string&, const std::string&) override { }
    std::optional<std::string> InputBox(const std::string&, const std::string&) override { return std::nullopt; }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    bool AskOkCancel(const std::string&, const std::string&) override { return false; }
};

std::unique_ptr<zx::AnalysisRecord> fullSamples()
{
    auto r = std::make_unique<zx::AnalysisRecord>();
    r->Datentyp = 1;
    std::mt19937 rng(1);
    std::normal_distribution<double> value(50, 10);
    for (int k = 1; k <= 2; ++k) {
        r->AnzahlWerte[k] = 500;
        for (int i = 1; i <= 500; ++i) {
            r->Werte(i, k) = value(rng);
            r->Haeufigkeit(i, k) = 1;
        }
    }
    return r;
}

void SortFiveHundred(benchmark::State& state)
{
    auto r = fullSamples();
    for (auto _ : state) {
        zx::SortSample(*r, 1);
        benchmark::DoNotOptimize(r->SortWerte(250, 3));
    }
}
BENCHMARK(SortFiveHundred);

// What "Wahl des TESTS" computes for two samples of 500 values.
void TestChoiceDescriptives(benchmark::State& state)
{
    auto r = fullSamples();
    NoDialogs dialogs;
    for (auto _ : state) {
        zx::ComputeDescriptives(*r, dialogs);
        benchmark::DoNotOptimize(r->Median[2]);
    }
}
BENCHMARK(TestChoiceDescriptives);

// The listing of one sample of 500 values, all 21 parameters.
void ParameterListing(benchmark::State& state)
{
    auto r = fullSamples();
    NoDialogs dialogs;
    zx::ComputeDescriptives(*r, dialogs);
    for (auto _ : state) {
        r->StichprobeNr = 2;
        zx::parameter(*r, dialogs);
        benchmark::DoNotOptimize(r->ErgText[21]);
    }
}
BENCHMARK(ParameterListing);

void Normal(benchmark::State& state)
{
    const auto mode = static_cast<zx::DistMode>(state.range(0));
    const double x = mode == zx::DistMode::Probability ? 1.7 : 0.0123;
    for (auto _ : state)
        benchmark::DoNotOptimize(zx::NormalZ(mode, x));
}
BENCHMARK(Normal)->Arg(1)->Arg(2);

void StudentT(benchmark::State& state)
{
    const auto mode = static_cast<zx::DistMode>(state.range(0));
    const double x = mode == zx::DistMode::Probability ? 2.1 : 0.025;
    for (auto _ : state)
        benchmark::DoNotOptimize(zx::StudentT(mode, static_cast<int>(state.range(1)), x));
}
BENCHMARK(StudentT)->Args({ 1, 18 })->Args({ 1, 498 })->Args({ 2, 18 })->Args({ 2, 498 });

void ChiSquare(benchmark::State& state)
{
    const auto mode = static_cast<zx::DistMode>(state.range(0));
    const double x = mode == zx::DistMode::Probability ? 3.0 : 0.05;
    for (auto _ : state)
        benchmark::DoNotOptimize(zx::ChiSquare(mode, static_cast<int>(state.range(1)), x));
}
BENCHMARK(ChiSquare)->Args({ 1, 1 })->Args({ 1, 30 })->Args({ 2, 1 })->Args({ 2, 30 })->Args({ 2, 100 });

void FisherF(benchmark::State& state)
{
    const auto mode = static_cast<zx::DistMode>(state.range(0));
    const int df1 = static_cast<int>(state.range(1));
    const int df2 = static_cast<int>(state.range(2));
    const double x = mode == zx::DistMode::Probability ? 2.0 : 0.05;
    for (auto _ : state)
        benchmark::DoNotOptimize(zx::FisherF(mode, df1, df2, x));
}
// Small degrees of freedom, large ones (bisection over long series), and
// both above 30 (Paulson).
BENCHMARK(FisherF)->Args({ 1, 10, 15 })->Args({ 1, 20, 499 })->Args({ 2, 10, 15 })->Args({ 2, 20, 499 })->Args({ 2, 499, 30 })->Args({ 2, 100, 200 });

// The exact distributions at their limits: U-test N = 100 with n = m = 50,
// WILCOXON n' = 200; without ties (arg 1) and with runs of two (arg 2).
void ExactRankSum(benchmark::State& state)
{
    const std::vector<int> runs(static_cast<std::size_t>(100 / state.range(0)), static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(zx::RankSumDistribution(runs, 50).atMost(5000));
}
BENCHMARK(ExactRankSum)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void ExactSignedRank(benchmark::State& state)
{
    const std::vector<int> runs(static_cast<std::size_t>(200 / state.range(0)), static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(zx::SignedRankDistribution(runs).atMost(20000));
}
BENCHMARK(ExactSignedRank)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

std::vector<double> normalSample(int size, double mean, unsigned seed)
{
    std::mt19937 rng(seed);
    std::normal_distribution<double> value(mean, 10);
    std::vector<double> v;
    for (int i = 0; i < size; ++i)
        v.push_back(value(rng));
    return v;
}

// All additions of a U-test with n = m = arg (exact up to 50 + 50, normal
// with 250000 differences for 500 + 500), and of a WILCOXON test with arg
// differences.
void UTestAdditions(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const auto x = normalSample(n, 50, 1), y = normalSample(n, 53, 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(zx::UTestSupplement(x, y, 0.05, zx::Alternative::TwoSided));
}
BENCHMARK(UTestAdditions)->Arg(50)->Arg(500)->Unit(benchmark::kMillisecond);

void WilcoxonAdditions(benchmark::State& state)
{
    const auto d = normalSample(static_cast<int>(state.range(0)), 2, 3);
    for (auto _ : state)
        benchmark::DoNotOptimize(zx::WilcoxonSupplement(d, 0.05, zx::Alternative::TwoSided));
}
BENCHMARK(WilcoxonAdditions)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);

// The t-test's additions: p, interval, d and g with the noncentral t.
void TTestAdditions(benchmark::State& state)
{
    zx::SampleSummary a { 14, 24.93, 0.77, 10.0, 0, 0 }, b { 12, 23.44, 0.38, 4.2, 0, 0 };
    for (auto _ : state)
        benchmark::DoNotOptimize(zx::TTestSupplement(a, b, 0.05, zx::Alternative::TwoSided));
}
BENCHMARK(TTestAdditions)->Unit(benchmark::kMillisecond);

} // namespace
