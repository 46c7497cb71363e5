// The nine tests against SciPy (data/test_reference.txt, written by
// data/make_test_reference.py): statistics, degrees of freedom, rank sums
// with ties, tie terms, the corrected z values, the median's 2x2 table, and
// the verdicts at 5 % for each alternative, on samples held in records the
// way data input and the test choice fill them. The printed lines are
// checked through the whole "Ergebnisse" command.
#include "Computed.h"
#include "ResultsFixture.h"

#include "core/TestNames.h"
#include "stats/IndependentTests.h"
#include "stats/PairedTests.h"
#include "stats/RankTests.h"

#include "ReadNumber.h"

#include <cmath>

namespace zx {
namespace {

using test::ok;
using test::ReferenceCase;

const std::vector<ReferenceCase>& cases()
{
    static const auto all = test::LoadReference("test_reference.txt");
    return all;
}

void expectClose(double actual, double expected, double relative, const std::string& what)
{
    EXPECT_NEAR(actual, expected, relative * std::max(1.0, std::fabs(expected))) << what;
}

// The reference's verdict letter for a test and an alternative; nothing
// when it is too close to call or not given.
std::optional<Verdict> expectedVerdict(const ReferenceCase& c, const std::string& test, const std::string& ha)
{
    const std::string key = "verdict_" + test + "_" + ha;
    if (!c.has(key))
        return std::nullopt;
    const std::string v = c.at(key).at(0);
    if (v == "S")
        return Verdict::Significant;
    if (v == "R")
        return Verdict::Random;
    if (v == "D")
        return Verdict::AgainstDirection;
    return std::nullopt;
}

const char* kHas[] = { "N", "J2", "J3" };

class Reference : public test::ResultsTestBase {
protected:
    // The case's samples in the record: single values, or class groups
    // where the case gives them.
    void fill(const ReferenceCase& c)
    {
        SetUp();
        if (c.kind == "paired") {
            data().differences(c.numbers("d"));
            return;
        }
        if (!c.has("classes")) {
            data().singleValues(c.numbers("x"), c.numbers("y"));
            return;
        }
        // "mx... | fx... ; my... | fy..."
        std::vector<std::vector<double>> parts(4);
        int part = 0;
        for (const auto& token : c.at("classes")) {
            if (token == "|" || token == ";")
                ++part;
            else
                parts[static_cast<std::size_t>(part)].push_back(test::ReadNumber(token));
        }
        const auto ints = [](const std::vector<double>& v) { return std::vector<int>(v.begin(), v.end()); };
        data().classGroups(parts[0], ints(parts[1]), parts[2], ints(parts[3]));
    }

    // Runs "Ergebnisse" for a test and an alternative at 5 %.
    void runAtFive(const ReferenceCase& c, const char* testName, const std::string& ha)
    {
        fill(c);
        test::RecordBuilder(*rec).choose(testName, ha);
        dialogs->input("5");
        EXPECT_EQ(run(), ResultsOutcome::Shown) << c.name << " " << testName << " " << ha;
    }
};

TEST_F(Reference, FileIsComplete)
{
    int independent = 0, paired = 0;
    for (const auto& c : cases())
        (c.kind == "paired" ? paired : independent) += 1;
    EXPECT_EQ(independent, 15);
    EXPECT_EQ(paired, 7);
}

TEST_F(Reference, TTestAndWelch)
{
    for (const auto& c : cases()) {
        if (c.kind != "independent")
            continue;
        SCOPED_TRACE(c.name);
        fill(c);
        test::RecordBuilder(*rec).choose(TestNames::TTestZwei, "N");
        const auto a = SummaryOf(*rec, 1), b = SummaryOf(*rec, 2);
        for (const std::string ha : kHas) {
            const auto alternative = *AlternativeOf(ha);
            const auto t = ok(ComputeTTest(a, b, 5, alternative));
            EXPECT_EQ(t.df, static_cast<long long>(c.number("t_df")));
            expectClose(t.t, c.number("t"), 1e-11, "t");
            if (const auto v = expectedVerdict(c, "t", ha)) {
                EXPECT_EQ(t.verdict, *v) << "t-test " << ha;
            }

            const auto w = ok(ComputeWelch(a, b, 5, alternative));
            expectClose(w.t, c.number("welch_t"), 1e-11, "Welch t");
            expectClose(w.f, c.number("welch_f"), 1e-11, "Welch f");
            EXPECT_EQ(w.df, static_cast<int>(std::floor(c.number("welch_f"))));
            if (const auto v = expectedVerdict(c, "welch", ha)) {
                EXPECT_EQ(w.verdict, *v) << "Welch " << ha;
            }
        }

        // The printed statistic through the whole command.
        runAtFive(c, TestNames::TTestZwei, "N");
        EXPECT_EQ(rec->ErgText[5], "      Freiheitsgrade              = " + c.at("t_df").at(0));
        EXPECT_EQ(rec->ErgText[7], "      t-Wert (berechnet)          = " + Format(c.number("t"), "#0.0000"));
        runAtFive(c, TestNames::Welch, "J2");
        EXPECT_EQ(rec->ErgText[7], "      t-Wert (berechnet)     = " + Format(c.number("welch_t"), "0.0000"));
    }
}

TEST_F(Reference, UTest)
{
    for (const auto& c : cases()) {
        if (c.kind != "independent" || c.has("classes"))
            continue;
        SCOPED_TRACE(c.name);
        const auto x = c.numbers("x"), y = c.numbers("y");
        const double n = static_cast<double>(x.size()), m = static_cast<double>(y.size());
        const bool small = x.size() <= 25 && y.size() <= 25;
        if (small && x.size() > y.size())
            continue;
        for (const std::string ha : kHas) {
            const auto r = ok(ComputeUTest(x, y, 5, *AlternativeOf(ha)));
            EXPECT_EQ(r.R1, c.number("R1"));
            EXPECT_EQ(r.R2, c.number("R2"));
            EXPECT_EQ(r.U2, c.number("Ux"));
            EXPECT_EQ(r.U1, n * m - c.number("Ux"));
            EXPECT_EQ(r.tieSum, static_cast<long long>(c.number("tie_sum")));
            EXPECT_EQ(r.normal, !small);
            if (!small) {
                expectClose(r.z, c.number("u_z"), 1e-11, "z");
                ASSERT_EQ(r.zCorrected.has_value(), r.tieSum > 0);
                // Without ties SciPy's corrected z is the plain one.
                expectClose(r.zCorrected.value_or(r.z), c.number("u_z_ties"), 1e-9, "corrected z");
            }
            if (const auto v = expectedVerdict(c, "u", ha)) {
                EXPECT_EQ(r.verdict, *v) << "U-test " << ha;
            }
        }
        // Two full samples of 500 reach the command like any other.
        runAtFive(c, TestNames::UTest, "N");
        if (!small) {
            EXPECT_EQ(rec->ErgText[7], "      Z-Wert (berechnet)           = " + Format(c.number("u_z"), "0.0000"));
            EXPECT_EQ(rec->ErgText[8],
                "      Z-Wert (berechnet/Korrigiert)= " + (c.number("tie_sum") > 0 ? Format(c.number("u_z_ties"), "0.0000") : ""));
        } else {
            EXPECT_EQ(rec->ErgText[7], "      Ux-Wert (berechnet)    = " + CStrSingle(static_cast<float>(c.number("R1"))));
        }
    }
}

TEST_F(Reference, MedianTest)
{
    for (const auto& c : cases()) {
        if (c.kind != "independent" || c.has("classes"))
            continue;
        SCOPED_TRACE(c.name);
        const auto x = c.numbers("x"), y = c.numbers("y");
        const auto table = c.numbers("median_table");
        const double N = static_cast<double>(x.size() + y.size());
        const double inTable = table[0] + table[1] + table[2] + table[3];
        for (const std::string ha : kHas) {
            const auto r = ok(ComputeMedianTest(x, y, 5, *AlternativeOf(ha)));
            EXPECT_EQ(r.median, c.number("median"));
            EXPECT_EQ(r.L1, table[0]);
            EXPECT_EQ(r.H1, table[1]);
            EXPECT_EQ(r.L2, table[2]);
            EXPECT_EQ(r.H2, table[3]);
            // The program's chi-square has N - 1 in front where SciPy has
            // the number of values in the table.
            expectClose(r.chi2, c.number("median_chi2_scipy") * (N - 1) / inTable, 1e-12, "chi2");
            if (const auto v = expectedVerdict(c, "median", ha)) {
                EXPECT_EQ(r.verdict, *v) << "MEDIAN " << ha;
            }
        }
        runAtFive(c, TestNames::Median, "J3");
        EXPECT_EQ(rec->ErgText[5], "          Median                 = " + CStr(c.number("median")) + "\r\n"
                + "          Werte n + m            = " + std::to_string(static_cast<int>(inTable)));
        EXPECT_EQ(rec->ErgText[8],
            "          Chi²-Wert (berechnet)  = " + Format(c.number("median_chi2_scipy") * (N - 1) / inTable, "0.0000"));
    }
}

TEST_F(Reference, PairedTests)
{
    for (const auto& c : cases()) {
        if (c.kind != "paired")
            continue;
        SCOPED_TRACE(c.name);
        fill(c);
        test::RecordBuilder(*rec).choose(TestNames::TTestPaare, "N");
        const auto d = c.numbers("d");
        for (const std::string ha : kHas) {
            const auto alternative = *AlternativeOf(ha);
            const auto t = ok(ComputePairedTTest(rec->Umfang[1], rec->Mittelwert[1], rec->StdAbw[1], 5, alternative));
            EXPECT_EQ(t.df, static_cast<long long>(c.number("t_df")));
            expectClose(t.t, c.number("t"), 1e-10, "paired t");
            if (const auto v = expectedVerdict(c, "pairedt", ha)) {
                EXPECT_EQ(t.verdict, *v) << "paired t " << ha;
            }

            const auto s = ok(ComputeSignTest(d, 5, alternative));
            EXPECT_EQ(s.p, static_cast<long long>(c.number("p")));
            EXPECT_EQ(s.q, static_cast<long long>(c.number("q")));
            expectClose(s.chi2, c.number("sign_chi2"), 1e-12, "sign chi2");
            if (const auto v = expectedVerdict(c, "sign", ha)) {
                EXPECT_EQ(s.verdict, *v) << "sign " << ha;
            }

            const auto w = ok(ComputeWilcoxon(d, 5, alternative));
            EXPECT_EQ(w.nPrime, static_cast<int>(c.number("n_prime")));
            EXPECT_EQ(w.rPlus, c.number("r_plus"));
            EXPECT_EQ(w.rMinus, c.number("r_minus"));
            EXPECT_EQ(w.R, c.number("w_statistic"));
            EXPECT_EQ(w.tieSum, static_cast<long long>(c.number("tie_sum")));
            EXPECT_EQ(w.normal, w.nPrime >= 30);
            if (w.normal) {
                expectClose(w.z, c.number("w_z"), 1e-11, "Wilcoxon z");
                expectClose(w.zCorrected, c.number("w_z_ties"), 1e-9, "Wilcoxon corrected z");
            }
            if (const auto v = expectedVerdict(c, "wilcoxon", ha)) {
                EXPECT_EQ(w.verdict, *v) << "WILCOXON " << ha;
            }
        }

        runAtFive(c, TestNames::TTestPaare, "J3");
        EXPECT_EQ(rec->ErgText[5], "      Freiheitsgrade         = " + c.at("t_df").at(0));
        EXPECT_EQ(rec->ErgText[7], "      t-Wert (berechnet)     = " + Format(c.number("t"), "0.0000"));
        runAtFive(c, TestNames::Vorzeichen, "N");
        EXPECT_EQ(rec->ErgText[7], "      Chi²-Wert (berechnet)   = " + Format(c.number("sign_chi2"), "0.0000"));
        runAtFive(c, TestNames::Wilcoxon, "N");
        if (c.number("n_prime") >= 30) {
            EXPECT_EQ(rec->ErgText[7], "      Z-Wert (berechnet)             = " + Format(c.number("w_z"), "0.0000"));
            EXPECT_EQ(rec->ErgText[8], "      Z-Wert (berechnet/Korrigiert)  = " + Format(c.number("w_z_ties"), "0.0000"));
        } else {
            EXPECT_EQ(rec->ErgText[7], "      R-Wert (berechnet)     = " + CStr(c.number("w_statistic")));
        }
    }
}

} // namespace
} // namespace zx
