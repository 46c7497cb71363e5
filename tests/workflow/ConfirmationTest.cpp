// The confirmation listing, composed as users have always seen it: number
// texts with their leading blank, CR after the heading lines, CR LF between
// the samples.
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "workflow/Confirmation.h"

#include <gtest/gtest.h>

#include <memory>

namespace zx {
namespace {

class Confirmation : public ::testing::Test {
protected:
    void SetUp() override
    {
        rec = std::make_unique<AnalysisRecord>();
        SetDecimalSeparator(','); // the listing does not follow the region
    }
    void TearDown() override { SetDecimalSeparator('.'); }

    void rows(int k, std::vector<double> values, std::vector<int> frequencies = {})
    {
        rec->AnzahlWerte[k] = static_cast<Integer>(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            rec->Werte(static_cast<int>(i) + 1, k) = values[i];
            rec->Haeufigkeit(static_cast<int>(i) + 1, k) = static_cast<Integer>(frequencies.empty() ? 1 : frequencies[i]);
        }
    }

    std::unique_ptr<AnalysisRecord> rec;
};

TEST_F(Confirmation, SingleValues)
{
    rec->Datentyp = 1;
    rows(1, { 3.5, 4, 2.25, 5, 6, 7, 8, 9, 10 });
    rows(2, { 1, 2, 3, 4, 5, 6, 7 });
    EXPECT_EQ(ConfirmationListing(*rec), "Datentyp: Einzelne Werte\rGewählt wurden folgende Stichproben:\r\r"
                                         "1.Stichprobe: n= 9\r\n 3.5 4 2.25 5 ...\r\n\r\n"
                                         "2.Stichprobe: n= 7\r\n 1 2 3 4 ...");
}

TEST_F(Confirmation, NegativeValuesAndFullPrecision)
{
    rec->Datentyp = 1;
    rows(1, { -3, 0.1, 1.0 / 3, -0.5 });
    rows(2, { 1e20, 123456.789, 0, 2 });
    EXPECT_EQ(ConfirmationListing(*rec), "Datentyp: Einzelne Werte\rGewählt wurden folgende Stichproben:\r\r"
                                         "1.Stichprobe: n= 4\r\n-3 0.1 0.333333333333333-0.5 ...\r\n\r\n"
                                         "2.Stichprobe: n= 4\r\n 1E+20 123456.789 0 2 ...");
}

TEST_F(Confirmation, ClassGroups)
{
    rec->Datentyp = 2;
    rows(1, { 10, 20, 30, 40, 50 }, { 2, 5, 5, 3, 1 });
    rows(2, { 85, 95, 105, 115 }, { 1, 3, 6, 10 });
    EXPECT_EQ(ConfirmationListing(*rec), "Datentyp: Klassengruppen (Klassenmitte)\rGewählt wurden folgende Stichproben:\r\r"
                                         "1.Stichprobe:\r\n 10 2, 20 5, 30 5, 40 3, ...\r\n\r\n"
                                         "2.Stichprobe:\r\n 85 1, 95 3, 105 6, 115 10, ...");
}

TEST_F(Confirmation, SummaryValues)
{
    rec->Datentyp = 3;
    rec->Mittelwert[1] = 10;
    rec->StdAbw[1] = 2;
    rec->Umfang[1] = 25;
    rec->Mittelwert[2] = -1.5;
    rec->StdAbw[2] = 0.5;
    rec->Umfang[2] = 12;
    EXPECT_EQ(ConfirmationListing(*rec), "Datentyp: XQUER/STANDARDABWEICHUNG/UMFANG\rGewählt wurden folgende Stichproben:\r\r"
                                         "1.Stichprobe:\r\nXQUER =  10  Standardabw. =  2  Umfang =  25 ...\r\n\r\n"
                                         "2.Stichprobe:\r\nXQUER = -1.5  Standardabw. =  0.5  Umfang =  12 ...");
}

TEST_F(Confirmation, PairedValuesAndTheirDifferences)
{
    rec->Datentyp = 4;
    rows(1, { 152, 148, 160, 141, 155 });
    rows(2, { 143, 145, 149, 140, 146 });
    EXPECT_EQ(ConfirmationListing(*rec), "Datentyp: Verbunden / Wertepaare\rGewählt wurden folgende Stichproben:\r\r"
                                         "Wertepaare: n= 5\r\n 152 148 160 141 ...\r\n\r\n 143 145 149 140 ...");
    rec->Differenzen[6] = 77; // beyond the pairs: untouched
    FillDifferences(*rec);
    const double expected[] = { 9, 3, 11, 1, 9 };
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(rec->Differenzen[static_cast<std::size_t>(i)], expected[i - 1]);
    EXPECT_EQ(rec->Differenzen[6], 77);
}

// A sample of three rows lists three values, not a stale fourth row.
TEST_F(Confirmation, ThreeRowsListThree)
{
    rec->Datentyp = 1;
    rec->Werte(4, 1) = 999;
    rows(1, { 1, 2, 3 });
    rows(2, { 4, 5, 6 });
    EXPECT_EQ(ConfirmationListing(*rec)->find("999"), std::string::npos);
    EXPECT_NE(ConfirmationListing(*rec)->find("n= 3\r\n 1 2 3 ...\r\n"), std::string::npos);
}

TEST_F(Confirmation, NoListingWithoutADataType)
{
    EXPECT_FALSE(ConfirmationListing(*rec));
    rec->Datentyp = 7;
    EXPECT_FALSE(ConfirmationListing(*rec));
}

} // namespace
} // namespace zx
