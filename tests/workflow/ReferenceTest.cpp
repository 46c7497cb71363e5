// The nine tests through "Ergebnisse", each alternative at 5 %, against SciPy
// (data/make_test_reference.py): the figures, verdict and printed statistic.
#include "ResultsFixture.h"

#include "ReferenceFile.h"

#include <cmath>
#include <map>

namespace zx {
namespace {

using Figures = std::map<std::string, double>;

// The reference's numbers under the names of the command's figures.
// `swapped`: the U-test put the smaller sample first.
Figures Expected(const test::ReferenceCase& c, const std::string& test, bool swapped)
{
    auto n = [&c](const char* key) { return c.number(key); };
    if (test == "t" || test == "pairedt")
        return { { "value", n("t") }, { "df", n("t_df") } };
    if (test == "welch")
        return { { "value", n("welch_t") }, { "f", n("welch_f") }, { "df", n("welch_df") } };
    if (test == "median") {
        const auto t = c.numbers("median_table");
        return { { "value", n("median_chi2") }, { "df", 1 }, { "median", n("median") }, { "L1", t[0] }, { "H1", t[1] }, { "L2", t[2] }, { "H2", t[3] } };
    }
    if (test == "sign")
        return { { "value", n("sign_chi2") }, { "df", 1 }, { "p", n("p") }, { "q", n("q") } };
    if (test == "wilcoxon") {
        const bool normal = n("n_prime") >= 30;
        Figures f { { "n'", n("n_prime") }, { "R+", n("r_plus") }, { "R-", n("r_minus") }, { "value", n(normal ? "w_z" : "w_statistic") } };
        if (normal)
            f["corrected"] = n("w_z_ties");
        return f;
    }
    const double nx = static_cast<double>(c.numbers("x").size()), ny = static_cast<double>(c.numbers("y").size());
    const bool normal = nx > 25 || ny > 25;
    Figures f { { "R1", n(swapped ? "R2" : "R1") }, { "R2", n(swapped ? "R1" : "R2") }, { "n", swapped ? ny : nx }, { "m", swapped ? nx : ny } };
    f["value"] = normal ? n("u_z") : f["R1"];
    if (normal && n("tie_sum") > 0)
        f["corrected"] = n("u_z_ties");
    return f;
}

// The U-test puts the smaller sample first and says so.
const char* kExchanged = "Beim U-Test muß n < m eingegeben werden.\r\nn < > m werden durch Zerantix vertauscht\r\n"
                         "Bei der Ha-Wahl muß dies berücksichtigt werden.\r\nZum Fortsetzen drucken Sie OK.";

class Reference : public test::ResultsTestBase {
protected:
    void fill(const test::ReferenceCase& c)
    {
        if (c.kind == "paired")
            return differences(c.numbers("d"));
        if (!c.has("classes"))
            return single(c.numbers("x"), c.numbers("y"));
        std::vector<std::vector<double>> parts(4); // "mx... | fx... ; my... | fy..."
        std::size_t part = 0;
        for (const auto& token : c.at("classes"))
            token == "|" || token == ";" ? void(++part) : parts[part].push_back(test::ReadNumber(token));
        test::SetClassGroups(*rec, 1, parts[0], std::vector<int>(parts[1].begin(), parts[1].end()));
        test::SetClassGroups(*rec, 2, parts[2], std::vector<int>(parts[3].begin(), parts[3].end()));
    }
};

TEST_F(Reference, NineTestsThroughTheCommand)
{
    const std::map<std::string, const char*> names = { { "t", TestNames::TTestZwei }, { "welch", TestNames::Welch }, { "u", TestNames::UTest },
        { "median", TestNames::Median }, { "pairedt", TestNames::TTestPaare }, { "sign", TestNames::Vorzeichen }, { "wilcoxon", TestNames::Wilcoxon } };
    const std::map<std::string, std::string> verdicts = { { "S", "signifikant" }, { "R", "zufällig" }, { "D", "gegen die Richtung" } };
    int runs = 0;
    for (const auto& c : test::LoadReference("test_reference.txt")) {
        std::vector<std::string> tests = { "pairedt", "sign", "wilcoxon" };
        if (c.kind == "independent")
            tests = c.has("classes") ? std::vector<std::string> { "t", "welch" } : std::vector<std::string> { "t", "welch", "u", "median" };
        for (const std::string& test : tests) {
            for (const std::string ha : { "N", "J2", "J3" }) {
                SCOPED_TRACE(c.name + " " + test + " " + ha);
                SetUp();
                fill(c);
                choose(names.at(test), ha);
                const bool swapped = test == "u" && c.numbers("x").size() > c.numbers("y").size();
                EXPECT_EQ(messages("Fehler"), swapped ? std::vector<std::string> { kExchanged } : std::vector<std::string> {});
                dialogs->input("5");
                ASSERT_EQ(run(), ResultsOutcome::Shown);
                ++runs;
                Figures want = Expected(c, test, swapped), got(rec->Pruefgroessen->counts.begin(), rec->Pruefgroessen->counts.end());
                got["value"] = rec->Pruefgroessen->value;
                if (rec->Pruefgroessen->corrected)
                    got["corrected"] = *rec->Pruefgroessen->corrected;
                if (rec->Pruefgroessen->df)
                    got["df"] = *rec->Pruefgroessen->df;
                ASSERT_EQ(got.size(), want.size());
                for (const auto& [name, value] : want)
                    EXPECT_NEAR(got[name], value, 1e-9 * std::max(1.0, std::fabs(value))) << name;
                // With the samples exchanged, "µ1 < µ2" asks what "µ1 > µ2" asked before.
                const std::string key = "verdict_" + test + "_" + (swapped && ha != "N" ? (ha == "J2" ? "J3" : "J2") : ha);
                if (c.has(key) && verdicts.count(c.at(key).at(0))) {
                    EXPECT_EQ(rec->Pruefgroessen->verdict, verdicts.at(c.at(key).at(0)));
                }
                // The statistic as printed: the first "(berechnet)" line.
                auto line = std::find_if(rec->ErgText.begin() + 5, rec->ErgText.begin() + 9,
                    [](const std::string& l) { return l.find("(berechnet)") != std::string::npos; });
                ASSERT_NE(line, rec->ErgText.begin() + 9);
                const std::string& statistic = rec->Pruefgroessen->statistic;
                EXPECT_EQ(line->substr(line->find("= ") + 2), statistic == "Ux" || statistic == "R" ? CStr(want["value"]) : Format(want["value"], "0.0000"));
            }
        }
    }
    EXPECT_EQ(runs, 3 * (14 * 4 + 2 + 7 * 3)); // every case of the file
}

} // namespace
} // namespace zx
