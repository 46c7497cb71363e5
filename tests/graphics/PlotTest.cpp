// The plot's geometry read from a recording surface: tick labels, labels,
// the XSN and box-whisker shapes with their legends, the Y range, and the
// plot's place on a printed page. Expected coordinates are worked out by
// hand from the plot's transform: y = (v - (YMin - d)) * 12.5 / d with
// d = (YMax - YMin) / 5.
#include "core/AnalysisRecord.h"
#include "core/NumberText.h"
#include "graphics/Plot.h"
#include "stats/Descriptive.h"
#include "RecordingSurface.h"
#include "Samples.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace zx {
namespace {

using test::RecordingSurface;

void ExpectPoints(const std::vector<PlotPoint>& actual, const std::vector<PlotPoint>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-4) << "point " << i;
        EXPECT_NEAR(actual[i].y, expected[i].y, 1e-4) << "point " << i;
    }
}

bool HasLine(const RecordingSurface& s, PlotPoint a, PlotPoint b)
{
    for (const auto& l : s.lines)
        if (std::hypot(l.points[0].x - a.x, l.points[0].y - a.y) < 1e-4 && std::hypot(l.points[1].x - b.x, l.points[1].y - b.y) < 1e-4)
            return true;
    return false;
}

class Plot : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDecimalSeparator(',');
        rec = std::make_unique<AnalysisRecord>();
    }
    void TearDown() override { SetDecimalSeparator('.'); }

    // What the plot window does: the samples read, the range found, drawn.
    RecordingSurface draw(const char* plotArt)
    {
        settings.PlotArt = plotArt;
        const auto samples = ReadPlottedSamples(*rec, dialogs);
        EXPECT_TRUE(samples.has_value());
        RecordingSurface s;
        if (!samples)
            return s;
        UpdateYRange(settings, *samples);
        DrawPicture(s, settings, *samples);
        return s;
    }

    std::vector<std::string> tickLabels(const RecordingSurface& s) const
    {
        std::vector<std::string> labels;
        for (std::size_t j = 0; j < 8 && j < s.texts.size(); ++j)
            labels.push_back(s.texts[j].text);
        return labels;
    }

    std::unique_ptr<AnalysisRecord> rec;
    test::ScriptedDialogs dialogs { [](const std::string& what) { ADD_FAILURE() << what; } };
    PlotSettings settings;
};

// Minimum 10 and maximum 80 overall, medians and their errors inside: the
// axis runs from -4 to 94 in steps of 14.
TEST_F(Plot, TickLabelsAndLabels)
{
    test::SetSingleValues(*rec, 1, { 10, 30, 40, 50, 60 });
    test::SetSingleValues(*rec, 2, { 20, 35, 45, 55, 80 });
    const RecordingSurface s = draw(kBoxWhiskerPlot);
    EXPECT_EQ(s.scale, (std::vector<double> { -1.5, 110, 7, -130 }));
    // The axes with their arrowheads and ticks.
    EXPECT_EQ(s.polylines[0].points, (std::vector<PlotPoint> { { 5, 0 }, { 4.7, 2 }, { 4.7, -2 }, { 5, 0 } }));
    EXPECT_EQ(s.polylines[1].points, (std::vector<PlotPoint> { { 0, 100 }, { -0.1, 95 }, { 0.1, 95 }, { 0, 100 } }));
    EXPECT_TRUE(HasLine(s, { 0, 0 }, { 4.7, 0 }) && HasLine(s, { 0, 0 }, { 0, 95 }));
    for (int j = 0; j < 8; ++j)
        EXPECT_TRUE(HasLine(s, { -0.08, j * 12.5 }, { 0.08, j * 12.5 })) << j;
    EXPECT_TRUE(HasLine(s, { 1.5, 0 }, { 1.5, -3 }) && HasLine(s, { 3.5, 0 }, { 3.5, -3 }));
    EXPECT_EQ(tickLabels(s), (std::vector<std::string> { "-4", "10", "24", "38", "52", "66", "80", "94" }));
    // Right-aligned where the widest (top) label is centred on x = -0.8; the
    // top half the font's size in points above the tick.
    for (int j = 0; j < 8; ++j) {
        const auto& t = s.texts[static_cast<std::size_t>(j)];
        EXPECT_NEAR(t.topLeft.x + s.textWidth(t.text), -0.8 + 0.1, 1e-9) << t.text;
        EXPECT_NEAR(t.topLeft.y, j * 12.5 + 4.5, 1e-9) << t.text;
        EXPECT_EQ(t.font, (PlotFont { "Univers", 9, false }));
    }
    struct Label { const char* text; double centre, top; bool bold; };
    for (const Label& l : { Label { "I", 1.5, -8, false }, Label { "II", 3.5, -8, false }, Label { " Y ", -0.8, 100, false },
             Label { "Vergleich zweier Stichproben", 2.5, 105, true } }) {
        const auto* t = s.find(l.text);
        ASSERT_NE(t, nullptr) << l.text;
        EXPECT_NEAR(t->topLeft.x + s.textWidth(l.text) / 2, l.centre, 1e-9) << l.text;
        EXPECT_EQ(t->topLeft.y, l.top) << l.text;
        EXPECT_EQ(t->font.bold, l.bold) << l.text;
    }
    EXPECT_EQ(s.find("Vergleich zweier Stichproben")->font.pointSize, 11);
}

// Sample 1 is 1..9 (median 5, quartiles 2.5 and 7.5, median error
// (x(8) - x(2)) / 3.4641), sample 2 is 3..7 (median 5, quartiles 3.5 and
// 6.5, error (7 - 3) / 3.4641). YMin 1, YMax 9: d = 1.6, y = (v + 0.6) * 7.8125.
TEST_F(Plot, BoxWhiskerPlotHasTheNotchedBoxes)
{
    test::SetSingleValues(*rec, 1, { 9, 2, 7, 4, 5, 6, 3, 8, 1 });
    test::SetSingleValues(*rec, 2, { 3, 4, 5, 6, 7 });
    const RecordingSurface s = draw(kBoxWhiskerPlot);
    ASSERT_EQ(s.polylines.size(), 5u); // two arrowheads, two boxes, the legend
    const double q3 = 63.28125, q1 = 24.21875, upper = 57.281654, lower = 30.218346;
    ExpectPoints(s.polylines[2].points, { { 1, q3 }, { 2, q3 }, { 2, upper }, { 1, lower }, { 1, q1 }, { 2, q1 }, { 2, lower },
                                            { 1, upper }, { 1, q3 } });
    EXPECT_EQ(s.polylines[2].fill, Fill::Downward);
    EXPECT_EQ(s.polylines[3].fill, Fill::Upward);
    EXPECT_NEAR(s.polylines[3].points[0].y, (6.5 + 0.6) * 7.8125, 1e-4);
    EXPECT_NEAR(s.polylines[3].points[2].y, (5 + 4 / 3.4641 + 0.6) * 7.8125, 1e-4);
    EXPECT_TRUE(HasLine(s, { 0.9, 43.75 }, { 2.1, 43.75 })); // median 5
    EXPECT_TRUE(HasLine(s, { 1.5, 12.5 }, { 1.5, 75 }));     // whisker 1..9
    EXPECT_TRUE(HasLine(s, { 3.5, 28.125 }, { 3.5, 59.375 })); // 3..7
    EXPECT_TRUE(s.rectangles.empty());
}

// Each plot's legend: its shape, and its labels at x = 4.92 with their tops.
TEST_F(Plot, Legends)
{
    test::SetSingleValues(*rec, 1, { 1, 2, 3, 4, 5 });
    test::SetSingleValues(*rec, 2, { 2, 3, 4, 5, 6 });
    struct Case { const char* plot; std::vector<std::pair<std::string, double>> labels; };
    const Case cases[] = {
        { kXsnPlot, { { "x", 87 }, { "max", 97 }, { "min", 77 }, { "s+", 92 }, { "s-", 82 } } },
        { kBoxWhiskerPlot, { { "Median", 79 }, { "max", 97 }, { "min", 62 }, { "Q3", 92 }, { "Q1", 67 }, { "s+", 83 }, { "s-", 76 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.plot);
        const RecordingSurface s = draw(c.plot);
        ASSERT_EQ(s.texts.size(), 12 + c.labels.size());
        for (const auto& [text, top] : c.labels) {
            const auto* t = s.find(text);
            ASSERT_NE(t, nullptr) << text;
            EXPECT_EQ(t->topLeft, (PlotPoint { 4.92, top })) << text;
        }
    }
    const RecordingSurface xsn = draw(kXsnPlot);
    ASSERT_EQ(xsn.rectangles.size(), 3u);
    EXPECT_EQ(xsn.rectangles[2].points, (std::vector<PlotPoint> { { 4.6, 90 }, { 4.8, 80 } }));
    EXPECT_EQ(xsn.rectangles[2].fill, Fill::Solid);
    EXPECT_EQ(xsn.rectangles[2].colour, kBlue);
    const RecordingSurface box = draw(kBoxWhiskerPlot);
    EXPECT_EQ(box.polylines.back().points, (std::vector<PlotPoint> { { 4.6, 90 }, { 4.8, 90 }, { 4.8, 80 }, { 4.6, 75 },
                                               { 4.6, 65 }, { 4.8, 65 }, { 4.8, 75 }, { 4.6, 80 }, { 4.6, 90 } }));
    EXPECT_EQ(box.polylines.back().fill, Fill::None);
}

// Sample 1 is 0, 10, 10: mean 20/3, s = sqrt(100/3), so mean + s lies above
// the maximum and becomes the top of the range, drawn at y = 75.
TEST_F(Plot, XsnRangeGrowsToMeanPlusS)
{
    test::SetSingleValues(*rec, 1, { 0, 10, 10 });
    test::SetSingleValues(*rec, 2, { 2, 4, 6 });
    const RecordingSurface s = draw(kXsnPlot);
    EXPECT_NEAR(settings.YMax, 20.0 / 3 + std::sqrt(100.0 / 3), 1e-5);
    EXPECT_EQ(settings.YMin, 0);
    ASSERT_EQ(s.rectangles.size(), 3u);
    EXPECT_NEAR(s.rectangles[0].points[1].y, 75, 1e-4);
    EXPECT_EQ(s.rectangles[0].points[0].x, 1);
    EXPECT_EQ(s.rectangles[0].points[1].x, 2);
    EXPECT_EQ(s.rectangles[0].fill, Fill::Downward);
    EXPECT_EQ(s.rectangles[1].fill, Fill::Upward);
    // Mean 4 and s 2 of sample 2 between 2 and 6: d = YMax / 5.
    const double d = settings.YMax / 5;
    EXPECT_NEAR(s.rectangles[1].points[0].y, (2 + d) * 12.5 / d, 1e-4);
    EXPECT_NEAR(s.rectangles[1].points[1].y, (6 + d) * 12.5 / d, 1e-4);
}

// Summary values have the XSN plot only, with the minimum and maximum as
// entered: YMin 25, YMax 80, d = 11.
TEST_F(Plot, SummaryValuesDrawTheXsnPlot)
{
    rec->Datentyp = 3;
    SetSummaryValues(*rec, 1, 50, 10, 20, 80, 25);
    SetSummaryValues(*rec, 2, 60, 5, 15, 70, 52);
    const RecordingSurface s = draw(kBoxWhiskerPlot);
    EXPECT_EQ(s.rectangles.size(), 3u);
    EXPECT_EQ(s.polylines.size(), 2u); // the arrowheads, no notched box
    EXPECT_TRUE(HasLine(s, { 1.5, 12.5 }, { 1.5, 75 }));
    EXPECT_TRUE(HasLine(s, { 3.5, (52 - 14) * 12.5 / 11 }, { 3.5, (70 - 14) * 12.5 / 11 }));
    EXPECT_NEAR(s.rectangles[0].points[0].y, (40 - 14) * 12.5 / 11, 1e-4);
}

// Paired values are plotted as their two columns (1: mean 14, s sqrt(10);
// 2: mean 15, s 4), while the record goes on describing the differences.
TEST_F(Plot, PairedValuesShowTheColumnsAndLeaveTheRecordAlone)
{
    test::SetPairs(*rec, { 10, 12, 14, 16, 18 }, { 11, 11, 15, 19, 19 });
    ASSERT_TRUE(ComputeDescriptives(*rec, dialogs));
    rec->StichprobeNr = 1;
    const AnalysisRecord before = *rec;
    const auto samples = ReadPlottedSamples(*rec, dialogs);
    ASSERT_TRUE(samples.has_value());
    EXPECT_FALSE(samples->boxWhiskerOffered);
    struct Column { double mean, stdDev, minimum, maximum; };
    const Column expected[] = { { 14, std::sqrt(10.0), 10, 18 }, { 15, 4, 11, 19 } };
    for (std::size_t k = 0; k < 2; ++k) {
        const PlottedSample& v = samples->sample[k];
        EXPECT_DOUBLE_EQ(v.mean, expected[k].mean);
        EXPECT_DOUBLE_EQ(v.stdDev, expected[k].stdDev);
        EXPECT_EQ(v.minimum, expected[k].minimum);
        EXPECT_EQ(v.maximum, expected[k].maximum);
    }
    EXPECT_EQ(rec->Datentyp, 4);
    EXPECT_EQ(rec->StichprobeNr, 1);
    EXPECT_DOUBLE_EQ(rec->Mittelwert[1], -1);
    EXPECT_EQ(rec->Minimum[1], -3);
    EXPECT_EQ(rec->Maximum[1], 1);
    EXPECT_EQ(rec->Median[1], before.Median[1]);
    EXPECT_EQ(rec->StdAbw[1], before.StdAbw[1]);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(rec->SortWerte(i, 3), before.SortWerte(i, 3)) << i;
}

// A range without width is widened either side by 1, or by a tenth of the
// value when that is more; the plot is drawn with finite coordinates.
TEST_F(Plot, RangeWithoutWidthIsWidened)
{
    struct Case { double value; float low, high; const char* bottomLabel; };
    for (const Case& c : { Case { 5, 4, 6, "3,6" }, Case { 0, -1, 1, "-1,4" }, Case { -250, -275, -225, "-285" } }) {
        SCOPED_TRACE(c.value);
        test::SetSingleValues(*rec, 1, { c.value, c.value, c.value });
        test::SetSingleValues(*rec, 2, { c.value, c.value, c.value });
        settings = {};
        const RecordingSurface s = draw(kXsnPlot);
        EXPECT_EQ(settings.YMin, c.low);
        EXPECT_EQ(settings.YMax, c.high);
        EXPECT_EQ(s.texts[0].text, c.bottomLabel);
        for (const auto* shapes : { &s.lines, &s.rectangles, &s.polylines })
            for (const auto& shape : *shapes)
                for (const PlotPoint& p : shape.points)
                    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
}

// On the page the plot keeps its size on the screen, centred; one that would
// not fit within the margins is made smaller, keeping its shape.
TEST(PlotOnPage, CentredAtItsSizeOrShrunkToFit)
{
    struct Case { double w, h; PlotArea expected; };
    const double pageW = 21, pageH = 29.7, margin = 1;
    const Case cases[] = {
        { 19, 14, { 1, 7.85, 19, 14 } },
        { 38, 19, { 1, 10.1, 19, 9.5 } },
        { 10, 40, { 7.0375, 1, 6.925, 27.7 } },
    };
    for (const Case& c : cases) {
        const PlotArea a = SetPrinterScale(c.w, c.h, pageW, pageH, margin);
        EXPECT_NEAR(a.width, c.expected.width, 1e-9);
        EXPECT_NEAR(a.height, c.expected.height, 1e-9);
        EXPECT_NEAR(a.left, c.expected.left, 1e-9);
        EXPECT_NEAR(a.top, c.expected.top, 1e-9);
    }
}

} // namespace
} // namespace zx
