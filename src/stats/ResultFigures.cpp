#include "stats/ResultFigures.h"

namespace zx {

namespace {

const char* word(Verdict v)
{
    switch (v) {
    case Verdict::Significant: return "signifikant";
    case Verdict::Random: return "zufällig";
    case Verdict::AgainstDirection: return "gegen die Richtung";
    }
    return "";
}

TestFigures figures(const char* statistic, double value, Verdict verdict)
{
    TestFigures f;
    f.statistic = statistic;
    f.value = value;
    f.verdict = word(verdict);
    return f;
}

// A t statistic with its degrees of freedom and critical value (t-test,
// WELCH, paired t-test).
template <typename Result>
TestFigures tFigures(const Result& r)
{
    TestFigures f = figures("t", r.t, r.verdict);
    f.df = static_cast<double>(r.df);
    f.critical = r.critical;
    return f;
}

} // namespace

TestFigures FiguresOf(const TTestResult& r)
{
    return tFigures(r);
}

TestFigures FiguresOf(const WelchResult& r)
{
    TestFigures f = tFigures(r);
    f.counts = { { "f", r.f } }; // Welch-Satterthwaite's degrees of freedom before rounding down
    return f;
}

TestFigures FiguresOf(const LordResult& r)
{
    TestFigures f = figures("u", r.u, r.verdict);
    f.critical = r.critical;
    f.counts = { { "n", r.n } };
    return f;
}

TestFigures FiguresOf(const WeirResult& r)
{
    TestFigures f = figures("t", r.t, r.verdict);
    f.critical = 2;
    return f;
}

TestFigures FiguresOf(const UTestResult& r)
{
    TestFigures f = r.normal ? figures("z", r.z, r.verdict) : figures("Ux", r.Ux, r.verdict);
    if (r.normal) {
        f.corrected = r.zCorrected;
        f.critical = r.critical;
    } else {
        f.critical = r.alternative == Alternative::Greater ? r.Uo : r.U;
        if (r.alternative == Alternative::TwoSided)
            f.criticalUpper = r.Uo;
    }
    f.counts = { { "n", r.n }, { "m", r.m }, { "R1", r.R1 }, { "R2", r.R2 } };
    return f;
}

TestFigures FiguresOf(const MedianResult& r)
{
    TestFigures f = figures("Chi²", r.chi2, r.verdict);
    f.df = 1;
    f.critical = r.critical;
    f.counts = { { "median", r.median }, { "L1", static_cast<double>(r.L1) }, { "H1", static_cast<double>(r.H1) },
        { "L2", static_cast<double>(r.L2) }, { "H2", static_cast<double>(r.H2) } };
    return f;
}

TestFigures FiguresOf(const PairedTResult& r)
{
    return tFigures(r);
}

TestFigures FiguresOf(const SignTestResult& r)
{
    TestFigures f = figures("Chi²", r.chi2, r.verdict);
    f.df = 1;
    f.critical = r.critical;
    f.counts = { { "p", static_cast<double>(r.p) }, { "q", static_cast<double>(r.q) } };
    return f;
}

TestFigures FiguresOf(const WilcoxonResult& r)
{
    TestFigures f = r.normal ? figures("z", r.z, r.verdict) : figures("R", r.R, r.verdict);
    if (r.normal)
        f.corrected = r.zCorrected;
    f.critical = r.critical;
    f.counts = { { "n'", r.nPrime }, { "R+", r.rPlus }, { "R-", r.rMinus } };
    return f;
}

} // namespace zx
