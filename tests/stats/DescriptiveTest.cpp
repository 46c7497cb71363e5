// Descriptive parameters and their listing against an exact computation for
// every data type (data/make_listing_reference.py) and NIST's StRD univariate
// sets, the guards of the arithmetic; the sorts and the exchange of samples.
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "stats/Descriptive.h"
#include "stats/Helpers.h"
#include "stats/Sorting.h"

#include "ReadNumber.h"
#include "ReferenceFile.h"
#include "Samples.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <random>

namespace zx {
namespace {

class Descriptive : public ::testing::Test {
protected:
    void SetUp() override
    {
        rec = std::make_unique<AnalysisRecord>();
        dialogs = std::make_unique<test::ScriptedDialogs>([](const std::string& what) { ADD_FAILURE() << what; });
    }
    void TearDown() override { SetDecimalSeparator('.'); }

    // The samples of a reference case in the record, as data input leaves them.
    void fill(const test::ReferenceCase& c)
    {
        SetUp();
        const auto ints = [&](const char* key) { const auto v = c.numbers(key); return std::vector<int>(v.begin(), v.end()); };
        if (c.kind == "single") {
            test::SetSingleValues(*rec, 1, c.numbers("x"));
            test::SetSingleValues(*rec, 2, c.numbers("y"));
        } else if (c.kind == "classes") {
            test::SetClassGroups(*rec, 1, c.numbers("xm"), ints("xf"));
            test::SetClassGroups(*rec, 2, c.numbers("ym"), ints("yf"));
        } else if (c.kind == "pairs") {
            test::SetPairs(*rec, c.numbers("x"), c.numbers("y"));
        } else {
            rec->Datentyp = 3;
            for (int k : { 1, 2 }) {
                const auto v = c.numbers(k == 1 ? "x" : "y");
                SetSummaryValues(*rec, k, v[0], v[1], static_cast<Long>(v[2]), static_cast<Single>(v[3]), static_cast<Single>(v[4]));
            }
        }
        // Work-table rows that no sample fills must never be read.
        for (int i = 0; i <= AnalysisRecord::MaxRows; ++i)
            rec->SortWerte(i, 3) = rec->SortWerte(i, 4) = -1e6;
        rec->Bezeichnung[1] = "ÄÖÜäöüßÄÖÜX"; // 11 characters in 20 bytes: the listing keeps 10
        rec->Bezeichnung[2] = "PAZIFIK";
    }

    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<test::ScriptedDialogs> dialogs;
};

// Each listing line is its label and the value (if any), in both decimal settings. The
// listing turns from one sample to the other; paired values have one, of the differences.
TEST_F(Descriptive, ListingsMatchTheExactReference)
{
    const auto reference = test::LoadReference("listing_reference.txt");
    ASSERT_GE(reference.size(), 12u);
    for (const auto& c : reference) {
        for (char separator : { '.', ',' }) {
            SCOPED_TRACE(c.name + " with " + separator);
            fill(c);
            SetDecimalSeparator(separator);
            ASSERT_TRUE(ComputeDescriptives(*rec, *dialogs));
            rec->StichprobeNr = 2;
            for (int k = 1; k <= 2; ++k) {
                ASSERT_TRUE(parameter(*rec, *dialogs));
                const bool paired = c.kind == "pairs";
                EXPECT_EQ(rec->StichprobeNr, paired ? 1 : k);
                const auto& values = c.at(paired ? "list1" : "list" + std::to_string(k));
                for (int i = 1; i <= 21; ++i) {
                    std::string value = values.at(static_cast<std::size_t>(i - 1));
                    value = value == "-" ? "" : value;
                    std::replace(value.begin(), value.end(), '.', separator);
                    EXPECT_EQ(rec->ErgText[static_cast<std::size_t>(i)], ParameterLabel(i) + value) << "sample " << k << " line " << i;
                }
                EXPECT_EQ(rec->ErgText[22], paired ? "*Nur bei Klassengruppen  **Nur wenn alle Werte >0\r\n"
                                                     "Es handelt sich hier um deskr.Parameter der Paardifferenzen."
                                                   : "*Nur bei Klassengruppen  **Nur wenn alle Werte >0");
            }
            EXPECT_EQ(rec->Bezeichnung[1], "ÄÖÜäöüßÄÖÜ");
            EXPECT_EQ(rec->Bezeichnung[2], "PAZIFIK");
        }
    }
    EXPECT_STREQ(ParameterLabel(4), "        4) VARIABILITÄTSKOEFFIZIENT    ");
    EXPECT_STREQ(ParameterLabel(22), "");
}

// What the tests read of summary values beside the listing.
TEST_F(Descriptive, SummaryValuesDeriveTheSums)
{
    rec->Datentyp = 3;
    SetSummaryValues(*rec, 1, 10, 2, 25, 14, 6);
    EXPECT_EQ(rec->AbwQuadSumme[1], 96);
    EXPECT_EQ(rec->Summe[1], 250);
    EXPECT_EQ(rec->QuadSumme[1], 2596);
    EXPECT_EQ(rec->QuotientWS[1], 4);
    SetSummaryValues(*rec, 2, 5, 0, 1, 5, 5);
    EXPECT_FALSE(rec->QuotientWS[2]);
    EXPECT_EQ(rec->QuadSumme[2], 25);
}

// Samples the input refuses, should they reach the engine: the guard names the
// cause instead of listing infinity or calling differing values equal.
TEST_F(Descriptive, GuardsOfTheArithmetic)
{
    const std::string overflow = "Error =  6 Überlauf (overflow). Weiter mit OK";
    const std::string underflow = " ist nicht berechenbar: die Werte unterscheiden sich um weniger, als eine Zahl darstellen kann "
                                  "(Zahlenunterlauf). Weiter mit OK";
    struct Case { std::vector<double> values; int datentyp; std::string says; };
    const Case cases[] = {
        { {}, 1, "Error =  5 unzulässige Funktion z.B. Division durch Null (SF=0). Weiter mit OK" },
        { { 7 }, 1, "Error =  5 unzulässige Funktion z.B. Division durch Null (SF=0). Weiter mit OK" },
        { { 1e200, 1, 2, 3, 4 }, 1, overflow },
        { { 1e308, -1e308, 1e308, -1e308, 5 }, 1, overflow },
        { { 1e-308, 2e-308, 3e-308 }, 1, "Die Streuung der 1. Stichprobe" + underflow },
        { { 1e-308, 2e-308, 3e-308 }, 4, "Die Streuung der Paardifferenzen" + underflow },
    };
    for (const auto& c : cases) {
        SetUp();
        if (c.datentyp == 4)
            test::SetPairs(*rec, c.values, std::vector<double>(c.values.size(), 0.0));
        else
            test::SetSingleValues(*rec, 1, c.values);
        rec->Mittelwert[1] = 7;
        EXPECT_FALSE(ComputeMoments(*rec, *dialogs, 1));
        ASSERT_EQ(dialogs->shown().size(), 1u);
        EXPECT_EQ(dialogs->shown()[0].text, c.says);
        EXPECT_EQ(dialogs->shown()[0].title, "Fehler");
        EXPECT_EQ(rec->Meldung, c.says);
        EXPECT_TRUE(c.values.size() >= 2 || rec->Mittelwert[1] == 7) << "nothing computed";
    }
    // Equal values are no underflow; a listing with a value beyond a double is refused whole.
    SetUp();
    test::SetSingleValues(*rec, 1, { 1e-308, 1e-308, 1e-308 });
    EXPECT_TRUE(ComputeMoments(*rec, *dialogs, 1));
    test::SetSingleValues(*rec, 1, { -1.7e308, -1e308, 1e308, 1.7e308 });
    test::SetSingleValues(*rec, 2, { 1, 2, 3 });
    rec->StichprobeNr = 2;
    EXPECT_FALSE(parameter(*rec, *dialogs));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].text,
        "Deskriptive Parameter nicht möglich: MEDIAN-STANDARDFEHLER ist für diese Daten nicht berechenbar (Zahlenüberlauf). Weiter mit OK");
}

struct NistSet { std::vector<double> data; double mean = 0, sd = 0; };

// A StRD file: the certified mean and standard deviation after the ':' of
// lines 41 and 42, the data from line 61.
NistSet loadNist(const std::string& name)
{
    std::ifstream in(std::string(ZX_TEST_DATA_DIR) + "/data/nist-strd/" + name + ".dat");
    NistSet set;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (number == 41)
            set.mean = test::ReadNumber(line.substr(line.rfind(':') + 1));
        else if (number == 42)
            set.sd = test::ReadNumber(line.substr(line.rfind(':') + 1));
        else if (number >= 61 && line.find_first_not_of(" \r") != std::string::npos)
            set.data.push_back(test::ReadNumber(line));
    }
    return set;
}

// Log relative error: the number of correct significant digits.
double lre(double got, double certified)
{
    const double rel = std::fabs(got - certified) / std::fabs(certified);
    return rel == 0 ? 16 : -std::log10(rel);
}

TEST_F(Descriptive, NistStrdUnivariate)
{
    // Just below the digits reachable from the data stored as doubles (exact statistics of
    // the rounded inputs), which bound what any method can give.
    struct Case { const char* name; double meanDigits, sdDigits; };
    const Case cases[] = {
        { "PiDigits", 15, 14 }, { "Lottery", 15, 14 }, { "Lew", 15, 14 }, { "Mavro", 15, 12.9 },
        { "Michelso", 15, 13.5 }, { "NumAcc1", 15, 14 }, { "NumAcc2", 15, 14 }, { "NumAcc3", 15, 9.3 },
        { "NumAcc4", 15, 8.1 },
    };
    for (const auto& c : cases) {
        const NistSet set = loadNist(c.name);
        ASSERT_GT(set.data.size(), 2u) << c.name;
        if (set.data.size() <= 500) {
            test::SetSingleValues(*rec, 1, set.data);
        } else {
            // Beyond a sample's 500 rows: each distinct value once with its count.
            std::map<double, int> counts;
            for (double v : set.data)
                ++counts[v];
            std::vector<double> mids;
            std::vector<int> freqs;
            for (auto [v, f] : counts) {
                mids.push_back(v);
                freqs.push_back(f);
            }
            test::SetClassGroups(*rec, 1, mids, freqs);
        }
        ASSERT_TRUE(ComputeMoments(*rec, *dialogs, 1));
        EXPECT_GE(lre(rec->Mittelwert[1], set.mean), c.meanDigits) << c.name;
        EXPECT_GE(lre(rec->StdAbw[1], set.sd), c.sdDigits) << c.name;
    }
}


// Rows 1..n end in ascending order as the same rows, bit for bit (a moved
// 0.1 must still tie with an unmoved one); row 0 and rows above n stay.
TEST(ShellSortPairs, SortsRowsOneToNWithTheirTags)
{
    std::mt19937 rng(20261206);
    for (int n : { 0, 1, 2, 3, 7, 8, 9, 31, 64, 1000 }) {
        std::uniform_int_distribution<int> pick(0, std::max(2, n / 4));
        PairTable t(1, { -99, -99 });
        for (int i = 0; i < n + 2; ++i)
            t.push_back({ pick(rng) * 0.1 - 3.3, static_cast<double>(1 + i % 2) });
        const PairTable before = t;
        ShellSortPairs(n, t);
        auto sorted = std::vector(before.begin() + 1, before.begin() + 1 + n);
        std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a[0] < b[0]; });
        for (int i = 1; i <= n; ++i)
            ASSERT_EQ(std::memcmp(&t[i][0], &sorted[i - 1][0], sizeof(double)), 0) << "n " << n << " row " << i;
        auto rows = std::vector(t.begin() + 1, t.begin() + 1 + n), expected = std::vector(before.begin() + 1, before.begin() + 1 + n);
        std::sort(rows.begin(), rows.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(rows, expected) << "tags travel with their values, n " << n;
        EXPECT_TRUE(std::equal(t.begin() + n + 1, t.end(), before.begin() + n + 1) && t[0] == before[0]) << n;
    }
    PairTable small(3, { 1, 1 });
    EXPECT_THROW(ShellSortPairs(5, small), std::out_of_range);
}

TEST(SortSample, EachDataTypeIntoItsColumn)
{
    auto r = std::make_unique<AnalysisRecord>();
    test::SetSingleValues(*r, 1, { 9, 8, 1 });
    test::SetSingleValues(*r, 2, { 5, 3 });
    SortSample(*r, 1);
    SortSample(*r, 2);
    EXPECT_EQ((std::vector<Variant> { r->SortWerte(1, 3), r->SortWerte(2, 3), r->SortWerte(3, 3), r->SortWerte(1, 4), r->SortWerte(2, 4) }),
        (std::vector<Variant> { 1.0, 8.0, 9.0, 3.0, 5.0 }));

    // Paired values: |d| of the non-zero differences with their signs, or the differences.
    test::SetPairs(*r, { 2, 0, -1, -3, 5 }, { 0, 0, 0, 0, 5 });
    SortSample(*r, 1);
    EXPECT_EQ((std::vector<Variant> { r->SortWerte(1, 3), r->SortWerte(2, 3), r->SortWerte(3, 3) }), (std::vector<Variant> { 1.0, 2.0, 3.0 }));
    EXPECT_EQ((std::vector<Variant> { r->SortWerte(1, 4), r->SortWerte(2, 4), r->SortWerte(3, 4) }), (std::vector<Variant> { -1.0, 1.0, -1.0 }));
    SortSample(*r, kSortDifferences);
    EXPECT_EQ((std::vector<Variant> { r->SortWerte(1, 3), r->SortWerte(2, 3), r->SortWerte(5, 3), r->SortWerte(1, 4) }),
        (std::vector<Variant> { -3.0, -1.0, 2.0, -1.0 })) << "column 4 untouched";

    r->Datentyp = 2; // class groups are not sorted
    SortSample(*r, 1);
    EXPECT_EQ(r->SortWerte(1, 3), -3.0);
}

// Sizes in both orders: every row of the larger sample, whichever comes first.
TEST(SwapSamples, ExchangesEverythingThatBelongsToASample)
{
    for (auto [n, m] : { std::pair { 5, 3 }, std::pair { 3, 5 } }) {
        auto r = std::make_unique<AnalysisRecord>();
        for (int k : { 1, 2 }) {
            const int size = k == 1 ? n : m;
            r->AnzahlWerte[k] = static_cast<Integer>(size);
            for (int i = 1; i <= size; ++i) {
                r->SortWerte(i, k + 2) = r->Werte(i, k) = 100 * k + i;
                r->Haeufigkeit(i, k) = static_cast<Integer>(10 * k + i);
            }
            r->Bezeichnung[k] = k == 1 ? "ATLANTIK" : "PAZIFIK";
            r->Maximum[k] = static_cast<Single>(k);
        }
        r->VarKoeff[2] = 12.5;
        SwapSamples(*r);
        for (int k : { 1, 2 }) {
            const int other = 3 - k, size = k == 1 ? m : n;
            EXPECT_EQ(r->AnzahlWerte[k], size);
            for (int i = 1; i <= size; ++i)
                EXPECT_TRUE(r->Werte(i, k) == 100 * other + i && r->SortWerte(i, k + 2) == 100 * other + i
                    && r->Haeufigkeit(i, k) == 10 * other + i) << n << " " << m << " row " << i;
            EXPECT_EQ(r->Maximum[k], other);
        }
        EXPECT_EQ(r->Bezeichnung[1], "PAZIFIK");
        EXPECT_EQ(r->VarKoeff[1], 12.5);
        EXPECT_FALSE(r->VarKoeff[2]);
    }
}

} // namespace
} // namespace zx
