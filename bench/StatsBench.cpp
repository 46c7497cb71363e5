// Timings of the statistics engine: the descriptive parameters and the sort
// on a full sample of 500 values, and the distribution functions.
#include "core/AnalysisRecord.h"
#include "core/Dialogs.h"
#include "stats/Descriptive.h"
#include "stats/Distributions.h"
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

} // namespace
