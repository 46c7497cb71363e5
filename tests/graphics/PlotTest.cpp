// The plots as a recording surface sees them, coordinates worked out by hand:
// y = (v - (YMin - d)) * 12.5 / d, d = (YMax - YMin) / 5.
#include "core/NumberText.h"
#include "graphics/Hatching.h"
#include "graphics/Plot.h"
#include "graphics/PlotMenu.h"
#include "stats/Descriptive.h"
#include "Samples.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>

namespace zx {
namespace {

// Keeps what is drawn; text is 0.1 units wide per character (not byte).
struct RecordingSurface : Surface {
    struct Shape { std::string kind; std::vector<PlotPoint> points; Fill fill = Fill::None; Rgb colour = kBlack; };
    struct Text { PlotPoint topLeft; std::string text; PlotFont font; };
    void setScale(double left, double top, double width, double height) override { scale = { left, top, width, height }; }
    void setLineWidth(double width) override { lineWidth = width; }
    void setFont(const PlotFont& f) override { font = f; }
    void line(PlotPoint from, PlotPoint to) override { shapes.push_back({ "line", { from, to } }); }
    void rectangle(PlotPoint a, PlotPoint b, Fill fill, Rgb colour) override { shapes.push_back({ "box", { a, b }, fill, colour }); }
    void polyline(const std::vector<PlotPoint>& points, Fill fill) override { shapes.push_back({ "poly", points, fill }); }
    void text(PlotPoint topLeft, const std::string& t) override { texts.push_back({ topLeft, t, font }); }
    double textWidth(const std::string& t) const override
    {
        return 0.1 * static_cast<double>(std::count_if(t.begin(), t.end(), [](unsigned char c) { return (c & 0xC0) != 0x80; }));
    }
    std::vector<double> scale;
    double lineWidth = 0;
    PlotFont font;
    std::vector<Shape> shapes;
    std::vector<Text> texts;
};

class Plot : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }
    void TearDown() override { SetDecimalSeparator('.'); }

    // What the plot window does: the samples read, the range found, drawn.
    RecordingSurface draw(const char* plotArt)
    {
        settings.PlotArt = plotArt;
        RecordingSurface s;
        if (const auto samples = ReadPlottedSamples(*rec, dialogs)) {
            UpdateYRange(settings, *samples);
            DrawPicture(s, settings, *samples);
        }
        return s;
    }
    void single(const std::vector<double>& x, const std::vector<double>& y) { test::SetSingleValues(*rec, 1, x), test::SetSingleValues(*rec, 2, y); }

    std::unique_ptr<AnalysisRecord> rec = std::make_unique<AnalysisRecord>();
    test::ScriptedDialogs dialogs { [](const std::string& what) { ADD_FAILURE() << what; } };
    PlotSettings settings;
};

// The shapes whose first point, and the texts whose top left, lie in the
// box, one a line: kind and fill, points rounded to 1e-3; text and place.
std::string Drawn(const RecordingSurface& s, double x0, double y0, double x1, double y1)
{
    std::ostringstream out;
    auto inside = [&](PlotPoint p) { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; };
    for (const char* kind : { "line", "box", "poly" })
        for (const auto& shape : s.shapes)
            if (shape.kind == kind && inside(shape.points[0])) {
                out << kind << static_cast<int>(shape.fill) << (shape.colour == kBlue ? " blue" : "");
                for (const PlotPoint& p : shape.points)
                    out << " " << std::round(p.x * 1e3) / 1e3 << "," << std::round(p.y * 1e3) / 1e3;
                out << "\n";
            }
    for (const auto& t : s.texts)
        if (inside(t.topLeft))
            out << t.text << " " << t.topLeft.x << "," << t.topLeft.y << "\n";
    return out.str();
}

// Minimum 10 and maximum 80 overall: the axis runs from -4 to 94 in steps of
// 14. Tick labels right-aligned, the widest centred on x = -0.8, their tops half
// the font's size above the tick; the title bold and 2 points larger.
TEST_F(Plot, AxesAndLabels)
{
    single({ 10, 30, 40, 50, 60 }, { 20, 35, 45, 55, 80 });
    const RecordingSurface s = draw(kBoxWhiskerPlot);
    EXPECT_EQ(s.scale, (std::vector<double> { -1.5, 110, 7, -130 }));
    const std::string frame = "line0 0,0 4.7,0\nline0 0,0 0,95\nline0 -0.08,0 0.08,0\nline0 -0.08,12.5 0.08,12.5\nline0 -0.08,25 0.08,25\n"
                              "line0 -0.08,37.5 0.08,37.5\nline0 -0.08,50 0.08,50\nline0 -0.08,62.5 0.08,62.5\nline0 -0.08,75 0.08,75\n"
                              "line0 -0.08,87.5 0.08,87.5\n";
    EXPECT_EQ(Drawn(s, -0.1, 0, 4.7, 100).substr(0, frame.size()), frame);
    EXPECT_EQ(Drawn(s, 1, -10, 5, 0), "line0 1.5,0 1.5,-3\nline0 3.5,0 3.5,-3\npoly0 5,0 4.7,2 4.7,-2 5,0\nI 1.45,-8\nII 3.4,-8\n");
    EXPECT_EQ(Drawn(s, -1.5, 0, -0.1, 99), "-4 -0.9,4.5\n10 -0.9,17\n24 -0.9,29.5\n38 -0.9,42\n52 -0.9,54.5\n66 -0.9,67\n80 -0.9,79.5\n94 -0.9,92\n");
    EXPECT_EQ(Drawn(s, -1.5, 100, 5, 110), "poly0 0,100 -0.1,95 0.1,95 0,100\n Y  -0.95,100\nVergleich zweier Stichproben 1.1,105\n");
    for (const auto& t : s.texts)
        EXPECT_EQ(t.font, (PlotFont { "Univers", t.text[0] == 'V' ? 11.0 : 9.0, t.text[0] == 'V' })) << t.text;
    EXPECT_EQ(s.lineWidth, 1);
}

// Each legend a miniature of its plot with its parts named. Box-whisker: 1..9
// (median 5, quartiles 2.5 and 7.5, median error (x(8) - x(2)) / 2 sqrt(3))
// and 3..7: YMin 1, YMax 9, d = 1.6, y = (v + 0.6) * 7.8125.
TEST_F(Plot, BoxWhiskerAndXsnPlots)
{
    single({ 9, 2, 7, 4, 5, 6, 3, 8, 1 }, { 3, 4, 5, 6, 7 });
    RecordingSurface s = draw(kBoxWhiskerPlot);
    EXPECT_EQ(Drawn(s, 0.5, 1, 2.5, 100), "line0 0.9,43.75 2.1,43.75\nline0 1.5,12.5 1.5,75\n"
                                          "poly1 1,63.281 2,63.281 2,57.282 1,30.218 1,24.219 2,24.219 2,30.218 1,57.282 1,63.281\n");
    EXPECT_EQ(Drawn(s, 2.5, 1, 4.5, 100), "line0 2.9,43.75 4.1,43.75\nline0 3.5,28.125 3.5,59.375\n"
                                          "poly2 3,55.469 4,55.469 4,52.771 3,34.729 3,32.031 4,32.031 4,34.729 3,52.771 3,55.469\n");
    EXPECT_EQ(Drawn(s, 4.5, 50, 5, 100), "line0 4.55,77.5 4.85,77.5\nline0 4.7,65 4.7,60\nline0 4.7,90 4.7,95\n"
                                         "poly0 4.6,90 4.8,90 4.8,80 4.6,75 4.6,65 4.8,65 4.8,75 4.6,80 4.6,90\n"
                                         "Median 4.92,79\nmax 4.92,97\nmin 4.92,62\nQ3 4.92,92\nQ1 4.92,67\ns+ 4.92,83\ns- 4.92,76\n");
    // Samples 0, 10, 10 and 0, 0, 10: mean -+ s = sqrt(100/3) reach beyond
    // the extremes and bound the range, -2.44 to 12.44 (d = 2.976).
    single({ 0, 10, 10 }, { 0, 0, 10 });
    s = draw(kXsnPlot);
    EXPECT_EQ(Drawn(s, 0.5, 1, 4.5, 100), "line0 0.9,50.75 2.1,50.75\nline0 1.5,22.749 1.5,64.751\nline0 2.9,36.75 4.1,36.75\n"
                                          "line0 3.5,22.749 3.5,64.751\nbox1 1,26.501 2,75\nbox2 3,12.5 4,60.999\n");
    EXPECT_EQ(Drawn(s, 4.5, 50, 5, 100), "line0 4.55,85 4.85,85\nline0 4.7,75 4.7,95\nbox3 blue 4.6,90 4.8,80\n"
                                         "x 4.92,87\nmax 4.92,97\nmin 4.92,77\ns+ 4.92,92\ns- 4.92,82\n");
}

// Summary values: the XSN plot only, minimum and maximum as entered (YMin 25,
// YMax 80, d = 11). Paired values show their two columns (mean 14, s sqrt(10);
// 15, 4) whatever frequencies are left; the record keeps the differences.
TEST_F(Plot, SummaryAndPairedValues)
{
    rec->Datentyp = 3;
    SetSummaryValues(*rec, 1, 50, 10, 20, 80, 25);
    SetSummaryValues(*rec, 2, 60, 5, 15, 70, 52);
    const RecordingSurface s = draw(kBoxWhiskerPlot);
    EXPECT_EQ(Drawn(s, 0.5, 1, 4.5, 100), "line0 0.9,40.909 2.1,40.909\nline0 1.5,12.5 1.5,75\nline0 2.9,52.273 4.1,52.273\n"
                                          "line0 3.5,43.182 3.5,63.636\nbox1 1,29.545 2,52.273\nbox2 3,46.591 4,57.955\n");

    test::SetPairs(*rec, { 10, 12, 14, 16, 18 }, { 11, 11, 15, 19, 19 });
    ASSERT_TRUE(ComputeDescriptives(*rec, dialogs));
    rec->Haeufigkeit(5, 1) = rec->Haeufigkeit(5, 2) = 3;
    const auto before = std::make_unique<AnalysisRecord>(*rec);
    const auto samples = ReadPlottedSamples(*rec, dialogs);
    ASSERT_TRUE(samples);
    EXPECT_FALSE(samples->boxWhiskerOffered);
    for (std::size_t k = 0; k < 2; ++k) {
        const PlottedSample& v = samples->sample[k];
        EXPECT_EQ((std::vector<double> { v.mean, v.stdDev, v.minimum, v.maximum }),
            (k == 0 ? std::vector<double> { 14, std::sqrt(10.0), 10, 18 } : std::vector<double> { 15, 4, 11, 19 }));
    }
    EXPECT_EQ(rec->Datentyp, 4);
    EXPECT_EQ(rec->Mittelwert[1], -1);
    EXPECT_EQ(rec->Minimum[1], before->Minimum[1]);
    EXPECT_EQ(rec->Median[1], before->Median[1]);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(rec->SortWerte(i, 3), before->SortWerte(i, 3)) << i;
}

// A range without width is widened by 1 or a tenth of the value, whichever is
// more, and drawn with finite coordinates; two values have no median error.
TEST_F(Plot, RangeWithoutWidthIsWidened)
{
    struct Case { double value; float low, high; const char* bottomLabel; };
    for (const Case& c : { Case { 5, 4, 6, "3,6" }, Case { 0, -1, 1, "-1,4" }, Case { -250, -275, -225, "-285" } }) {
        single({ c.value, c.value, c.value }, { c.value, c.value });
        settings = {};
        const RecordingSurface s = draw(kXsnPlot);
        EXPECT_EQ(settings.YMin, c.low);
        EXPECT_EQ(settings.YMax, c.high);
        EXPECT_EQ(s.texts.at(0).text, c.bottomLabel);
        const std::string all = Drawn(s, -INFINITY, -INFINITY, INFINITY, INFINITY);
        EXPECT_TRUE(all.find("nan") == std::string::npos && all.find("inf") == std::string::npos) << all;
        EXPECT_EQ(ReadPlottedSamples(*rec, dialogs)->sample[1].medianError, 0);
    }
}

// The new lowest and highest label bound seven equal steps, also after a
// change of plot type; "Abbrechen" gives 0 for both. Before: -4..94.
TEST_F(Plot, FixedYScale)
{
    single({ 10, 30, 40, 50, 60 }, { 20, 35, 45, 55, 80 });
    using Answer = std::optional<std::string>;
    const std::tuple<Answer, Answer, const char*> cases[] = { { "10", "80", "10 20 30 40 50 60 70 80 " }, { "7", "56", "7 14 21 28 35 42 49 56 " },
        { "0", "10", "0 1,43 2,86 4,29 5,71 7,14 8,57 10 " }, { std::nullopt, std::nullopt, "-1,4 -1 -0,6 -0,2 0,2 0,6 1 1,4 " } };
    for (const auto& [bottom, top, labels] : cases) {
        settings = {};
        draw(kBoxWhiskerPlot);
        dialogs.clear();
        dialogs.input(bottom).input(top);
        AskYScale(settings, dialogs);
        const RecordingSurface s = draw(kXsnPlot);
        std::string shown;
        for (std::size_t j = 0; j < 8; ++j)
            shown += s.texts[j].text + " ";
        EXPECT_EQ(shown, labels);
    }
    EXPECT_EQ(dialogs.shown().at(0).title, "Neue Y-Skalierung");
    EXPECT_EQ(dialogs.shown().at(1).text + "|" + dialogs.shown().at(2).text,
        "Eingabe eines neuen MIN-Wertes\r\rAKTUELLER MIN-WERT:   -4|Eingabe eines neuen MAX-Wertes\r\rAKTUELLER MAX-WERT:    94");
}

// A width below 1 (or none) or beyond use keeps the previous one. "Abbrechen"
// leaves a name empty; the second X name is asked after the first's cancel.
TEST_F(Plot, LineWidthTitleAndNames)
{
    const std::pair<std::optional<std::string>, float> widths[] = { { "2.5", 2.5f }, { "3,5", 3.5f }, { "1", 1 }, { "50", 50 }, { std::nullopt, 7 },
        { "0.99", 7 }, { "abc", 7 }, { "1e999", 7 }, { "50.5", 7 } };
    for (const auto& [answer, width] : widths) {
        settings.LinienStaerke = 7;
        dialogs.input(answer);
        AskLineWidth(settings, dialogs);
        EXPECT_EQ(settings.LinienStaerke, width) << answer.value_or("Abbrechen");
    }
    EXPECT_EQ(dialogs.shown().back().text, "Eingabe der Linie-Stärke\r\rBitte wählen Sie Werte etwa zwischen 1.0 und 3.0");
    dialogs.clear();
    dialogs.input(std::nullopt).input("Heringe").input(std::nullopt).input("Pazifik").input("Länge in cm");
    AskTitle(settings, dialogs);
    EXPECT_EQ(settings.GraphTitel, "");
    AskTitle(settings, dialogs);
    AskXNames(settings, dialogs);
    AskYName(settings, dialogs);
    EXPECT_EQ(settings.GraphTitel + "|" + settings.XName1 + "|" + settings.XName2 + "|" + settings.YName, "Heringe||Pazifik|Länge in cm");
    EXPECT_EQ(dialogs.shown().at(3).text + "|" + dialogs.shown().at(3).title, "Eingabe eines neuen X-Namen (max.10 Zeichen)\r\rAKTUELLER X-NAME: II|");
}

// On the page the plot keeps its screen size, centred, or shrinks to fit.
TEST(PlotOnPage, CentredAtItsSizeOrShrunkToFit)
{
    const std::pair<std::pair<double, double>, std::vector<double>> cases[] = {
        { { 19, 14 }, { 1, 7.85, 19, 14 } }, { { 38, 19 }, { 1, 10.1, 19, 9.5 } }, { { 10, 40 }, { 7.0375, 1, 6.925, 27.7 } } };
    for (const auto& [size, expected] : cases) {
        const PlotArea a = SetPrinterScale(size.first, size.second, 21, 29.7, 1);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_NEAR((std::vector<double> { a.left, a.top, a.width, a.height })[i], expected[i], 1e-9) << i;
    }
}

// Hatch lines at 45 degrees a spacing s apart cover an area A with a total
// length of A sqrt(2) / s. The notched box (4 wide, 0 to 8, sides crossing
// between 3 and 5) encloses both halves and nothing inside the notch.
TEST(Hatching, LinesCoverTheShape)
{
    const std::vector<PlotPoint> square { { 0, 0 }, { 4, 0 }, { 4, 4 }, { 0, 4 } };
    const std::vector<PlotPoint> notched { { 0, 8 }, { 4, 8 }, { 4, 5 }, { 0, 3 }, { 0, 0 }, { 4, 0 }, { 4, 3 }, { 0, 5 }, { 0, 8 } };
    struct Case { std::vector<PlotPoint> shape; Fill fill; double spacing, length; };
    for (const Case& c : { Case { square, Fill::Downward, 1, 16 * std::sqrt(2.0) }, Case { square, Fill::Upward, 1, 16 * std::sqrt(2.0) },
             Case { notched, Fill::Downward, 0.01, 2800 * std::sqrt(2.0) }, Case { notched, Fill::Upward, 0.01, 2800 * std::sqrt(2.0) },
             Case { { { 0, 0 }, { 4, 0 }, { 0, 4 } }, Fill::Downward, 0.01, 800 * std::sqrt(2.0) }, Case { square, Fill::Solid, 1, 0 }, Case { square, Fill::Downward, 0, 0 }, Case { { { 0, 0 }, { 4, 4 } }, Fill::Upward, 1, 0 },
             Case { { { 0, 0 }, { 4, 0 }, { 4, NAN } }, Fill::Upward, 1, 0 } }) {
        double length = 0;
        for (const auto& [a, b] : HatchLines(c.shape, c.fill, c.spacing)) {
            length += std::hypot(b.x - a.x, b.y - a.y);
            EXPECT_NEAR(b.y - a.y, (c.fill == Fill::Downward ? 1 : -1) * (b.x - a.x), 1e-9); // downward: y grows downwards
            const PlotPoint m { (a.x + b.x) / 2, (a.y + b.y) / 2 };
            EXPECT_TRUE(c.shape != notched || m.y <= 3 || m.y >= 5 || std::fabs(m.x - 2) <= 2 * std::fabs(m.y - 4) + 1e-9);
        }
        EXPECT_NEAR(length, c.length, c.length * 0.002 + 1e-9);
    }
    // A shape far larger than any page gets no lines rather than millions.
    auto big = [](double a) { return std::vector<PlotPoint> { { 0, 0 }, { a, 0 }, { a, a }, { 0, a } }; };
    EXPECT_FALSE(HatchLines(big(50000), Fill::Upward, 1).empty()); // offsets 0 to 100000
    EXPECT_TRUE(HatchLines(big(50000.5), Fill::Upward, 1).empty());
}

} // namespace
} // namespace zx
