// Descriptive parameters and their listing, against worked examples, an
// exact reference computation (data/listing_reference.txt from
// data/make_listing_reference.py) and the certified values of NIST's
// StRD univariate data sets (data/nist-strd/).
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "stats/Descriptive.h"
#include "stats/Sorting.h"
#include "Samples.h"
#include "ScriptedDialogs.h"

#include "ReadNumber.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>

namespace zx {
namespace {

using Kind = test::ScriptedDialogs::Kind;

class Descriptive : public ::testing::Test {
protected:
    void SetUp() override
    {
        rec = std::make_unique<AnalysisRecord>();
        dialogs = std::make_unique<test::ScriptedDialogs>([](const std::string& what) { ADD_FAILURE() << what; });
        SetDecimalSeparator('.');
    }
    void TearDown() override { SetDecimalSeparator('.'); }

    void singleValues(int k, const std::vector<double>& values) { test::SetSingleValues(*rec, k, values); }
    void classGroups(int k, const std::vector<double>& midpoints, const std::vector<int>& frequencies)
    {
        test::SetClassGroups(*rec, k, midpoints, frequencies);
    }
    void pairs(const std::vector<double>& first, const std::vector<double>& second) { test::SetPairs(*rec, first, second); }

    std::unique_ptr<AnalysisRecord> rec;
    std::unique_ptr<test::ScriptedDialogs> dialogs;
};

// Medians and quartiles of 1..K for the sizes the rules distinguish
// (K odd or even, half of K odd or even), the values given shuffled.
TEST_F(Descriptive, MedianAndQuartilesOfSingleValues)
{
    struct Case { int K; double median, q1, q3; };
    const Case cases[] = {
        { 3, 2, 1, 3 }, { 4, 2.5, 1.5, 3.5 }, { 5, 3, 1.5, 4.5 }, { 6, 3.5, 2, 5 },
        { 7, 4, 2, 6 }, { 8, 4.5, 2.5, 6.5 }, { 9, 5, 2.5, 7.5 }, { 10, 5.5, 3, 8 },
    };
    std::mt19937 rng(7);
    for (const auto& c : cases) {
        SCOPED_TRACE("K = " + std::to_string(c.K));
        std::vector<double> v;
        for (int i = 1; i <= c.K; ++i)
            v.push_back(i);
        std::shuffle(v.begin(), v.end(), rng);
        singleValues(1, v);
        SortSample(*rec, 1);
        ComputeMedianQuartiles(*rec, 1);
        EXPECT_EQ(rec->Median[1], c.median);
        EXPECT_EQ(rec->Quartil1[1], c.q1);
        EXPECT_EQ(rec->Quartil3[1], c.q3);
    }
    // 3, 1, 2: quartile distance 2.
    singleValues(1, { 3, 1, 2 });
    SortSample(*rec, 1);
    ComputeMedianQuartiles(*rec, 1);
    EXPECT_EQ(*rec->Quartil3[1] - *rec->Quartil1[1], 2);
}

TEST_F(Descriptive, MedianStandardErrorPositions)
{
    // n = 10: ranks 3 and 8; n = 12: ranks 3 and 9 (sqrt(36) is exactly 6).
    std::vector<double> squares;
    for (int i = 1; i <= 12; ++i)
        squares.push_back(i * i);
    singleValues(1, std::vector<double>(squares.begin(), squares.begin() + 10));
    SortSample(*rec, 1);
    ComputeMedianQuartiles(*rec, 1);
    EXPECT_NEAR(*rec->MedianStdFehler[1], (64.0 - 9.0) / 3.4641, 1e-12);
    singleValues(1, squares);
    SortSample(*rec, 1);
    ComputeMedianQuartiles(*rec, 1);
    EXPECT_NEAR(*rec->MedianStdFehler[1], (81.0 - 9.0) / 3.4641, 1e-12);
    // n = 3 puts the lower rank at 0: no value, even with old data in row 0.
    rec->SortWerte(0, 3) = 1000;
    singleValues(1, { 5, 6, 7 });
    SortSample(*rec, 1);
    ComputeMedianQuartiles(*rec, 1);
    EXPECT_FALSE(rec->MedianStdFehler[1].has_value());
}

TEST_F(Descriptive, PercentilePositionsRoundHalfToEven)
{
    struct Case { int K; int j10, j90; }; // 0 or above K: empty
    const Case cases[] = { { 3, 0, 0 }, { 4, 0, 4 }, { 5, 1, 5 }, { 14, 2, 14 }, { 24, 2, 22 }, { 9, 1, 9 }, { 100, 10, 91 } };
    for (const auto& c : cases) {
        SCOPED_TRACE("K = " + std::to_string(c.K));
        std::vector<double> v;
        for (int i = 1; i <= c.K; ++i)
            v.push_back(10 * i);
        singleValues(1, v);
        // Stale rows beyond K must never be read.
        rec->SortWerte(c.K + 1, 3) = -1;
        rec->SortWerte(0, 3) = -1;
        SortSample(*rec, 1);
        const Percentiles p = ComputePercentiles(*rec, 1);
        EXPECT_EQ(p.p10, c.j10 ? Variant(10.0 * c.j10) : std::nullopt);
        EXPECT_EQ(p.p90, c.j90 ? Variant(10.0 * c.j90) : std::nullopt);
    }
}

TEST_F(Descriptive, ClassGroups)
{
    classGroups(1, { 10, 20, 30, 40 }, { 2, 5, 5, 3 });
    ASSERT_TRUE(ComputeMoments(*rec, *dialogs, 1));
    ComputeMinMax(*rec, 1);
    ComputeClassMedianQuartiles(*rec, 1);
    ComputeClassMode(*rec, 1);
    ComputeSkewnessExcess(*rec, 1);
    EXPECT_EQ(rec->Umfang[1], 15) << "sum of the frequencies";
    EXPECT_DOUBLE_EQ(rec->Mittelwert[1], 26);
    EXPECT_EQ(rec->Minimum[1], 5.0f);
    EXPECT_EQ(rec->Maximum[1], 45.0f);
    EXPECT_DOUBLE_EQ(*rec->Median[1], 26);
    EXPECT_DOUBLE_EQ(*rec->Quartil1[1], 18.5);
    EXPECT_DOUBLE_EQ(*rec->Quartil3[1], 33.5);
    EXPECT_DOUBLE_EQ(*rec->MedianStdFehler[1], 12 / 3.4641); // ranks 5 and 11: 21 and 33
    EXPECT_DOUBLE_EQ(*rec->Modalwert[1], 25) << "first of the two largest classes";
    // scipy.stats.skew / kurtosis (bias=True) of the 15 midpoints
    EXPECT_NEAR(*rec->Schiefe[1], -0.05559935627758274, 1e-13);
    EXPECT_NEAR(*rec->Exzess[1], -0.9394463667820068, 1e-13);
    const Percentiles p = ComputePercentiles(*rec, 1);
    EXPECT_DOUBLE_EQ(*p.p10, 12.5);
    EXPECT_DOUBLE_EQ(*p.p90, 40);
}

TEST_F(Descriptive, ModeInTheLastClassCountsAMissingNeighbourAsZero)
{
    classGroups(1, { 10, 20, 30 }, { 1, 2, 5 });
    ComputeClassMode(*rec, 1);
    EXPECT_DOUBLE_EQ(*rec->Modalwert[1], 25 + 10 * 3.0 / 8);
}

// Classes entered from the largest midpoint down describe the same data.
TEST_F(Descriptive, ClassOrderDoesNotMatter)
{
    classGroups(1, { 10, 20, 30, 40 }, { 2, 5, 5, 3 });
    classGroups(2, { 40, 30, 20, 10 }, { 3, 5, 5, 2 });
    for (int k : { 1, 2 }) {
        ASSERT_TRUE(ComputeMoments(*rec, *dialogs, k));
        ComputeMinMax(*rec, k);
        ComputeClassMedianQuartiles(*rec, k);
        ComputeClassMode(*rec, k);
        ComputeSkewnessExcess(*rec, k);
    }
    EXPECT_EQ(rec->Minimum[1], rec->Minimum[2]);
    EXPECT_EQ(rec->Maximum[1], rec->Maximum[2]);
    EXPECT_EQ(rec->Quartil1[1], rec->Quartil1[2]);
    EXPECT_EQ(rec->Quartil3[1], rec->Quartil3[2]);
    EXPECT_EQ(rec->Median[1], rec->Median[2]);
    EXPECT_EQ(rec->Modalwert[1], rec->Modalwert[2]);
    EXPECT_NEAR(*rec->Schiefe[1], *rec->Schiefe[2], 1e-14);
}

TEST_F(Descriptive, SmallClassSamplesLeaveTheMedianErrorEmpty)
{
    classGroups(1, { 1, 2, 3 }, { 2, 2, 2 }); // n = 6: upper rank 6 is never exceeded
    ASSERT_TRUE(ComputeMoments(*rec, *dialogs, 1));
    ComputeClassMedianQuartiles(*rec, 1);
    EXPECT_FALSE(rec->MedianStdFehler[1].has_value());
    EXPECT_TRUE(rec->Median[1].has_value());
}

TEST_F(Descriptive, GeometricAndHarmonicMeans)
{
    singleValues(1, { 1, 2, 4 });
    ComputeGeometricMean(*rec, 1);
    ComputeHarmonicMean(*rec, 1);
    EXPECT_NEAR(*rec->GeomMittel[1], 2, 1e-15);
    EXPECT_NEAR(*rec->HarmMittel[1], 12.0 / 7, 1e-15);
    for (double bad : { 0.0, -1.0 }) {
        singleValues(1, { 1, bad, 4 });
        ComputeGeometricMean(*rec, 1);
        ComputeHarmonicMean(*rec, 1);
        EXPECT_FALSE(rec->GeomMittel[1].has_value());
        EXPECT_FALSE(rec->HarmMittel[1].has_value());
    }
    classGroups(2, { 1, 2, 4 }, { 1, 2, 1 }); // weighted: values 1, 2, 2, 4
    ComputeGeometricMean(*rec, 2);
    ComputeHarmonicMean(*rec, 2);
    EXPECT_NEAR(*rec->GeomMittel[2], std::pow(16.0, 0.25), 1e-15);
    EXPECT_NEAR(*rec->HarmMittel[2], 4 / 2.25, 1e-15);
}

// The sum of squared deviations about the mean: a one-pass formula gives a
// standard deviation wrong in every digit for these values.
TEST_F(Descriptive, LargeMeanSmallSpreadKeepsItsDigits)
{
    singleValues(1, { 1000000000.1, 1000000000.2, 1000000000.3 });
    ASSERT_TRUE(ComputeMoments(*rec, *dialogs, 1));
    EXPECT_NEAR(rec->StdAbw[1], 0.1, 1e-6);
    EXPECT_NEAR(rec->Mittelwert[1], 1000000000.2, 1e-6);
}

TEST_F(Descriptive, DifferencesThatSumToZeroAreOrdinaryData)
{
    pairs({ 5, 3, 7, 1 }, { 4, 5, 6, 1 }); // differences 1, -2, 1, 0
    ASSERT_TRUE(ComputeDescriptives(*rec, *dialogs));
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(rec->Mittelwert[1], 0);
    EXPECT_FALSE(rec->VarKoeff[1].has_value());
    EXPECT_DOUBLE_EQ(rec->Varianz[1], 2);
    EXPECT_EQ(rec->Minimum[1], -2.0f) << "the smallest difference, not the smallest |difference|";
    EXPECT_EQ(rec->Maximum[1], 1.0f);
    EXPECT_EQ(rec->Median[1], 0.5);
}

TEST_F(Descriptive, NegativeMeanGivesNegativeCoefficientOfVariation)
{
    singleValues(1, { -2, -4, -6 });
    ASSERT_TRUE(ComputeMoments(*rec, *dialogs, 1));
    EXPECT_DOUBLE_EQ(*rec->VarKoeff[1], -50);
}

TEST_F(Descriptive, EmptySampleShowsTheGuardAndComputesNothing)
{
    singleValues(1, {});
    rec->Mittelwert[1] = 7;
    EXPECT_FALSE(ComputeMoments(*rec, *dialogs, 1));
    EXPECT_EQ(rec->Mittelwert[1], 7);
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].title, "Fehler");
    EXPECT_EQ(dialogs->shown()[0].text, "Error =  5 unzulässige Funktion z.B. Division durch Null (SF=0). Weiter mit OK");
    EXPECT_EQ(GuardMessage(6), "Error =  6 Überlauf (overflow). Weiter mit OK");
}

// Values the input refuses, should they reach the engine: the guard names
// overflow and underflow instead of listing infinity or calling differing
// values equal.
TEST_F(Descriptive, OverflowAndUnderflowAreNamed)
{
    struct Case { std::vector<double> values; int datentyp; const char* says; };
    const Case cases[] = {
        { { 1e200, 1, 2, 3, 4 }, 1, "Error =  6 Überlauf (overflow). Weiter mit OK" },
        { { 1e308, -1e308, 1e308, -1e308, 5 }, 1, "Error =  6 Überlauf (overflow). Weiter mit OK" },
        { { 1e-308, 2e-308, 3e-308 }, 1, "Die Streuung der 1. Stichprobe ist nicht berechenbar: die Werte unterscheiden sich "
                                          "um weniger, als eine Zahl darstellen kann (Zahlenunterlauf). Weiter mit OK" },
        { { 1e-308, 2e-308, 3e-308 }, 4, "Die Streuung der Paardifferenzen ist nicht berechenbar: die Werte unterscheiden "
                                          "sich um weniger, als eine Zahl darstellen kann (Zahlenunterlauf). Weiter mit OK" },
    };
    for (const auto& c : cases) {
        SetUp();
        if (c.datentyp == 4)
            pairs(c.values, std::vector<double>(c.values.size(), 0.0));
        else
            singleValues(1, c.values);
        EXPECT_FALSE(ComputeMoments(*rec, *dialogs, 1));
        ASSERT_EQ(dialogs->shown().size(), 1u);
        EXPECT_EQ(dialogs->shown()[0].text, c.says);
    }
    // A listing whose value leaves the range of a double is refused whole.
    SetUp();
    singleValues(1, { -1.7e308, -1e308, 1e308, 1.7e308 });
    singleValues(2, { 1, 2, 3 });
    rec->StichprobeNr = 2;
    EXPECT_FALSE(parameter(*rec, *dialogs));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].text,
        "Deskriptive Parameter nicht möglich: MEDIAN-STANDARDFEHLER ist für diese Daten nicht berechenbar (Zahlenüberlauf). Weiter mit OK");
}

TEST_F(Descriptive, SummaryValues)
{
    rec->Datentyp = 3;
    SetSummaryValues(*rec, 1, 10, 2, 25, 14, 6);
    EXPECT_EQ(rec->Varianz[1], 4);
    EXPECT_EQ(rec->AbwQuadSumme[1], 96);
    EXPECT_EQ(rec->Summe[1], 250);
    EXPECT_EQ(rec->QuadSumme[1], 2596);
    EXPECT_DOUBLE_EQ(rec->StdFehler[1], 0.4);
    EXPECT_EQ(rec->VarKoeff[1], 20);
    EXPECT_EQ(rec->Median[1], 0);
    EXPECT_EQ(rec->QuotientWS[1], 4);
    SetSummaryValues(*rec, 2, 0, 1.5, 12, 2.5f, -3);
    EXPECT_FALSE(rec->VarKoeff[2].has_value()) << "a mean of 0 is data, only the coefficient is undefined";
}

TEST_F(Descriptive, SortModes)
{
    singleValues(1, { 9, 8 });
    singleValues(2, { 5, 3 });
    SortSample(*rec, 1);
    SortSample(*rec, 2);
    EXPECT_EQ(rec->SortWerte(1, 4), 3);
    EXPECT_EQ(rec->SortWerte(2, 4), 5);
    EXPECT_EQ(rec->SortWerte(1, 3), 8) << "sorting sample 2 leaves column 3 alone";
    singleValues(1, { 4 });
    SortSample(*rec, 1);
    EXPECT_EQ(rec->SortWerte(1, 3), 4) << "a single value is still copied";

    pairs({ 2, 0, -1, -3 }, { 0, 0, 0, 0 });
    SortSample(*rec, 1);
    EXPECT_EQ(rec->SortWerte(1, 3), 1);
    EXPECT_EQ(rec->SortWerte(2, 3), 2);
    EXPECT_EQ(rec->SortWerte(3, 3), 3);
    EXPECT_EQ(rec->SortWerte(1, 4), -1);
    EXPECT_EQ(rec->SortWerte(2, 4), 1);
    EXPECT_EQ(rec->SortWerte(3, 4), -1);
    SortSample(*rec, kSortDifferences);
    EXPECT_EQ(rec->SortWerte(1, 3), -3);
    EXPECT_EQ(rec->SortWerte(2, 3), -1);
    EXPECT_EQ(rec->SortWerte(3, 3), 0);
    EXPECT_EQ(rec->SortWerte(4, 3), 2);
    EXPECT_EQ(rec->SortWerte(3, 4), -1) << "the differences mode leaves column 4 alone";

    rec->Datentyp = 2;
    rec->SortWerte(1, 3) = 77;
    SortSample(*rec, 1);
    EXPECT_EQ(rec->SortWerte(1, 3), 77) << "class groups are not sorted";
}

TEST_F(Descriptive, SortOfFiveHundredValuesWithTies)
{
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> pick(0, 60);
    std::vector<double> v;
    for (int i = 0; i < 500; ++i)
        v.push_back(pick(rng) / 10.0);
    singleValues(2, v);
    SortSample(*rec, 2);
    std::vector<double> expected = v;
    std::sort(expected.begin(), expected.end());
    for (int i = 1; i <= 500; ++i)
        ASSERT_EQ(rec->SortWerte(i, 4), expected[static_cast<std::size_t>(i - 1)]) << "row " << i;
}

// ---- The listing, against the exact reference in both regional settings.

std::map<std::string, std::vector<std::string>> loadListings()
{
    std::ifstream in(std::string(ZX_TEST_DATA_DIR) + "/data/listing_reference.txt");
    std::map<std::string, std::vector<std::string>> blocks;
    std::string line, key;
    while (std::getline(in, line)) {
        if (line.rfind("== ", 0) == 0) {
            key = line.substr(3);
            continue;
        }
        const auto crlf = line.find("\\r\\n");
        if (crlf != std::string::npos)
            line.replace(crlf, 4, "\r\n");
        blocks[key].push_back(line);
    }
    return blocks;
}

void expectListing(const AnalysisRecord& r, const std::vector<std::string>& expected)
{
    ASSERT_EQ(expected.size(), 22u);
    for (int i = 1; i <= 22; ++i)
        EXPECT_EQ(r.ErgText[static_cast<std::size_t>(i)], expected[static_cast<std::size_t>(i - 1)]) << "line " << i;
}

TEST_F(Descriptive, ListingsMatchTheExactReference)
{
    const auto reference = loadListings();
    ASSERT_FALSE(reference.empty());
    for (char sep : { '.', ',' }) {
        SCOPED_TRACE(std::string("separator ") + sep);
        SetDecimalSeparator(sep);
        const std::string s(1, sep);

        SetUp();
        SetDecimalSeparator(sep);
        singleValues(1, { 3.5, 4, 2.25, 5, 6 });
        singleValues(2, { 1, 2, 3, 4, 0, -2, 7.5, 8 });
        ASSERT_TRUE(ComputeDescriptives(*rec, *dialogs));
        rec->StichprobeNr = 2;
        ASSERT_TRUE(parameter(*rec, *dialogs));
        EXPECT_EQ(rec->StichprobeNr, 1);
        expectListing(*rec, reference.at("einzel 1 " + s));
        ASSERT_TRUE(parameter(*rec, *dialogs));
        EXPECT_EQ(rec->StichprobeNr, 2);
        expectListing(*rec, reference.at("einzel 2 " + s));

        SetUp();
        SetDecimalSeparator(sep);
        classGroups(1, { 10, 20, 30, 40 }, { 2, 5, 5, 3 });
        classGroups(2, { 85, 95, 105, 115, 125, 135, 145, 155 }, { 1, 3, 6, 10, 13, 9, 5, 2 });
        ASSERT_TRUE(ComputeDescriptives(*rec, *dialogs));
        rec->StichprobeNr = 2;
        ASSERT_TRUE(parameter(*rec, *dialogs));
        expectListing(*rec, reference.at("klassen 1 " + s));
        ASSERT_TRUE(parameter(*rec, *dialogs));
        expectListing(*rec, reference.at("klassen 2 " + s));

        SetUp();
        SetDecimalSeparator(sep);
        pairs({ 152, 148, 160, 141, 155, 163, 149, 158, 145, 151, 166, 157 },
            { 143, 145, 149, 140, 146, 150, 147, 149, 141, 146, 155, 150 });
        ASSERT_TRUE(ComputeDescriptives(*rec, *dialogs));
        rec->StichprobeNr = 2;
        ASSERT_TRUE(parameter(*rec, *dialogs));
        EXPECT_EQ(rec->StichprobeNr, 1);
        expectListing(*rec, reference.at("paare 1 " + s));
        ASSERT_TRUE(parameter(*rec, *dialogs));
        EXPECT_EQ(rec->StichprobeNr, 1) << "paired values stay at 1";

        SetUp();
        SetDecimalSeparator(sep);
        pairs({ 5, 3, 7, 1, 2.5 }, { 4, 5, 6, 1, 2.5 });
        ASSERT_TRUE(ComputeDescriptives(*rec, *dialogs));
        ASSERT_TRUE(parameter(*rec, *dialogs));
        expectListing(*rec, reference.at("nullsumme 1 " + s));

        SetUp();
        SetDecimalSeparator(sep);
        rec->Datentyp = 3;
        SetSummaryValues(*rec, 1, 10, 2, 25, 14, 6);
        SetSummaryValues(*rec, 2, 0, 1.5, 12, 2.5f, -3);
        rec->StichprobeNr = 2;
        ASSERT_TRUE(parameter(*rec, *dialogs));
        expectListing(*rec, reference.at("kennwerte 1 " + s));
        ASSERT_TRUE(parameter(*rec, *dialogs));
        expectListing(*rec, reference.at("kennwerte 2 " + s));
        EXPECT_TRUE(dialogs->shown().empty());
    }
}

TEST_F(Descriptive, ListingShortensNamesToTenCharacters)
{
    singleValues(1, { 1, 2, 3 });
    singleValues(2, { 4, 5, 6 });
    rec->Bezeichnung[1] = "ÄÖÜäöüßÄÖÜX"; // 11 characters, 20 bytes
    rec->Bezeichnung[2] = "PAZIFIK";
    ASSERT_TRUE(ComputeDescriptives(*rec, *dialogs));
    ASSERT_TRUE(parameter(*rec, *dialogs));
    EXPECT_EQ(rec->Bezeichnung[1], "ÄÖÜäöüßÄÖÜ");
    EXPECT_EQ(rec->Bezeichnung[2], "PAZIFIK");
}

TEST_F(Descriptive, MinimumInSinglePrecision)
{
    SetDecimalSeparator(',');
    singleValues(1, { 0.1, 0.2, 0.3 });
    singleValues(2, { 1, 2, 3 });
    ASSERT_TRUE(ComputeDescriptives(*rec, *dialogs));
    ASSERT_TRUE(parameter(*rec, *dialogs));
    EXPECT_EQ(rec->ErgText[16], std::string(ParameterLabel(16)) + "0,1000");
    EXPECT_EQ(rec->Minimum[1], 0.1f);
}

// ---- NIST StRD univariate: certified mean and standard deviation.

struct NistSet {
    std::vector<double> data;
    double mean = 0;
    double sd = 0;
};

NistSet loadNist(const std::string& name)
{
    std::ifstream in(std::string(ZX_TEST_DATA_DIR) + "/data/nist-strd/" + name + ".dat");
    NistSet set;
    std::string line;
    int number = 0;
    auto lastToken = [](const std::string& l) {
        std::istringstream s(l.substr(l.rfind(':') + 1));
        std::string t;
        s >> t;
        return test::ReadNumber(t);
    };
    while (std::getline(in, line)) {
        ++number;
        if (number == 41)
            set.mean = lastToken(line);
        else if (number == 42)
            set.sd = lastToken(line);
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
    // The digits reachable from data stored as doubles (exact statistics of
    // the rounded inputs) bound what any method can give; these minimums sit
    // just below them.
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
            singleValues(1, set.data);
            ASSERT_TRUE(ComputeMoments(*rec, *dialogs, 1));
            const double meanDigits = lre(rec->Mittelwert[1], set.mean);
            const double sdDigits = lre(rec->StdAbw[1], set.sd);
            std::printf("%-9s n=%4zu  mean %.1f digits, sd %.1f digits\n", c.name, set.data.size(), meanDigits, sdDigits);
            EXPECT_GE(meanDigits, c.meanDigits) << c.name;
            EXPECT_GE(sdDigits, c.sdDigits) << c.name;
        } else {
            // A sample holds at most 500 rows; the larger sets go in as class
            // groups, each distinct value once with its count.
            std::map<double, int> counts;
            for (double v : set.data)
                ++counts[v];
            ASSERT_LE(counts.size(), 500u) << c.name;
            std::vector<double> mids;
            std::vector<int> freqs;
            for (auto [v, f] : counts) {
                mids.push_back(v);
                freqs.push_back(f);
            }
            classGroups(1, mids, freqs);
            ASSERT_TRUE(ComputeMoments(*rec, *dialogs, 1));
            const double meanDigits = lre(rec->Mittelwert[1], set.mean);
            const double sdDigits = lre(rec->StdAbw[1], set.sd);
            std::printf("%-9s n=%4zu  mean %.1f digits, sd %.1f digits (as class groups)\n", c.name, set.data.size(),
                meanDigits, sdDigits);
            EXPECT_GE(meanDigits, c.meanDigits) << c.name;
            EXPECT_GE(sdDigits, c.sdDigits) << c.name;
        }
    }
}

} // namespace
} // namespace zx
