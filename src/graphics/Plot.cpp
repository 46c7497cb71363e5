#include "graphics/Plot.h"

#include "core/NumberText.h"
#include "stats/Descriptive.h"
#include "stats/Sorting.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace zx {

namespace {

// Plot coordinates: x from -1.5 to 5.5, y from 110 at the top to -20 at the
// bottom. The plot area is x 0..5, y 0..100; the samples are centred at
// x = 1.5 and 3.5, the legend stands at x 4.55..5.
constexpr double kLeft = -1.5, kTop = 110, kWidth = 7, kHeight = -130;
constexpr std::array<double, 2> kCentre = { 1.5, 3.5 };
constexpr double kLegendText = 4.92;
constexpr int kTicks = 8;
constexpr double kTickGap = 12.5;

double value(const Variant& v) { return v.value_or(0); }

PlottedSample readSample(AnalysisRecord& r, Dialogs& dialogs, int k, bool& ok)
{
    PlottedSample s;
    if (r.Datentyp == 1 || r.Datentyp == 2) {
        if (!ComputeMoments(r, dialogs, k)) {
            ok = false;
            return s;
        }
        if (r.Datentyp == 1) {
            SortSample(r, k);
            ComputeMinMax(r, k);
            ComputeMedianQuartiles(r, k);
        } else {
            ComputeMinMax(r, k);
            ComputeClassMedianQuartiles(r, k);
        }
        s.median = value(r.Median[k]);
        // A position outside the sample leaves a value empty; the box then
        // shrinks to what is known instead of reaching to zero.
        s.medianError = value(r.MedianStdFehler[k]);
        s.quartile1 = r.Quartil1[k].value_or(s.median);
        s.quartile3 = r.Quartil3[k].value_or(s.median);
    }
    s.mean = r.Mittelwert[k];
    s.stdDev = r.StdAbw[k];
    s.minimum = r.Minimum[k];
    s.maximum = r.Maximum[k];
    return s;
}

void widenEmptyRange(PlotSettings& p)
{
    if (p.YMax != p.YMin)
        return;
    const double v = p.YMin;
    const double half = std::max(1.0, std::fabs(v) / 10);
    p.YMin = static_cast<Single>(v - half);
    p.YMax = static_cast<Single>(v + half);
}

bool usable(const PlotSettings& p)
{
    return std::isfinite(p.YMin) && std::isfinite(p.YMax) && std::isfinite(1.4 * (double(p.YMax) - double(p.YMin)));
}

void centredText(Surface& s, double centre, double top, const std::string& text)
{
    s.text({ centre - s.textWidth(text) / 2, top }, text);
}

void frame(Surface& s)
{
    s.line({ 0, 0 }, { 4.7, 0 });
    s.polyline({ { 5, 0 }, { 4.7, 2 }, { 4.7, -2 }, { 5, 0 } });
    s.line({ 0, 0 }, { 0, 95 });
    s.polyline({ { 0, 100 }, { -0.1, 95 }, { 0.1, 95 }, { 0, 100 } });
    for (int j = 0; j < kTicks; ++j)
        s.line({ -0.08, j * kTickGap }, { 0.08, j * kTickGap });
    for (double c : kCentre)
        s.line({ c, 0 }, { c, -3 });
}

void labels(Surface& s, const PlotSettings& p, const YAxis& axis)
{
    PlotFont font = p.font;
    font.bold = false;
    s.setFont(font);
    // Right-aligned so that the widest label, the top one, is centred in
    // the strip left of the axis.
    const double right = -0.8 + s.textWidth(TickLabel(axis.bottom + 7 * axis.step)) / 2;
    for (int j = 0; j < kTicks; ++j) {
        const std::string label = TickLabel(axis.bottom + j * axis.step);
        s.text({ right - s.textWidth(label), j * kTickGap + font.pointSize / 2 }, label);
    }
    centredText(s, kCentre[0], -8, p.XName1);
    centredText(s, kCentre[1], -8, p.XName2);
    centredText(s, (-1.5 + -0.1) / 2, 100, p.YName);
    font.bold = true;
    font.pointSize += 2;
    s.setFont(font);
    centredText(s, 2.5, 105, p.GraphTitel);
    font.bold = false;
    font.pointSize -= 2;
    s.setFont(font);
}

void legendTexts(Surface& s, std::initializer_list<std::pair<const char*, double>> texts)
{
    for (const auto& [text, top] : texts)
        s.text({ kLegendText, top }, text);
}

constexpr Fill kHatch[2] = { Fill::Downward, Fill::Upward };

void xsnPlot(Surface& s, const PlottedSamples& samples, const YAxis& a)
{
    for (std::size_t k = 0; k < 2; ++k) {
        const PlottedSample& v = samples.sample[k];
        const double c = kCentre[k];
        s.rectangle({ c - 0.5, a.y(v.mean - v.stdDev) }, { c + 0.5, a.y(v.mean + v.stdDev) }, kHatch[k]);
        s.line({ c - 0.6, a.y(v.mean) }, { c + 0.6, a.y(v.mean) });
        s.line({ c, a.y(v.minimum) }, { c, a.y(v.maximum) });
    }
    s.rectangle({ 4.6, 90 }, { 4.8, 80 }, Fill::Solid, kBlue);
    s.line({ 4.55, 85 }, { 4.85, 85 });
    s.line({ 4.7, 75 }, { 4.7, 95 });
    legendTexts(s, { { "x", 87 }, { "max", 97 }, { "min", 77 }, { "s+", 92 }, { "s-", 82 } });
}

// The box from Q1 to Q3 whose sides cross between median -+ its error: the
// notch.
std::vector<PlotPoint> notchedBox(double x0, double x1, double q1, double q3, double lower, double upper)
{
    return { { x0, q3 }, { x1, q3 }, { x1, upper }, { x0, lower }, { x0, q1 }, { x1, q1 }, { x1, lower }, { x0, upper },
        { x0, q3 } };
}

void boxWhiskerPlot(Surface& s, const PlottedSamples& samples, const YAxis& a)
{
    for (std::size_t k = 0; k < 2; ++k) {
        const PlottedSample& v = samples.sample[k];
        const double c = kCentre[k];
        s.polyline(notchedBox(c - 0.5, c + 0.5, a.y(v.quartile1), a.y(v.quartile3), a.y(v.median - v.medianError),
                       a.y(v.median + v.medianError)),
            kHatch[k]);
        s.line({ c - 0.6, a.y(v.median) }, { c + 0.6, a.y(v.median) });
        s.line({ c, a.y(v.minimum) }, { c, a.y(v.maximum) });
    }
    s.polyline(notchedBox(4.6, 4.8, 65, 90, 75, 80));
    s.line({ 4.55, 77.5 }, { 4.85, 77.5 });
    s.line({ 4.7, 65 }, { 4.7, 60 });
    s.line({ 4.7, 90 }, { 4.7, 95 });
    legendTexts(s, { { "Median", 79 }, { "max", 97 }, { "min", 62 }, { "Q3", 92 }, { "Q1", 67 }, { "s+", 83 }, { "s-", 76 } });
}

} // namespace

std::optional<PlottedSamples> ReadPlottedSamples(const AnalysisRecord& record, Dialogs& dialogs)
{
    // A copy to compute on: the record keeps what the test choice put there.
    auto r = std::make_unique<AnalysisRecord>(record);
    PlottedSamples out;
    out.boxWhiskerOffered = r->Datentyp == 1 || r->Datentyp == 2;
    if (r->Datentyp == 4) {
        // The two measurement columns, each as a sample of single values.
        r->Datentyp = 1;
        for (int k = 1; k <= 2; ++k)
            for (int i = 1; i <= r->AnzahlWerte[k]; ++i)
                r->Haeufigkeit(i, k) = 1;
    }
    bool ok = true;
    for (int k = 1; k <= 2 && ok; ++k)
        out.sample[static_cast<std::size_t>(k - 1)] = readSample(*r, dialogs, k, ok);
    if (!ok)
        return std::nullopt;
    return out;
}

void UpdateYRange(PlotSettings& p, const PlottedSamples& samples)
{
    if (p.YSkalaFest != kScaleFixed || !usable(p)) {
        const bool xsn = p.PlotArt != kBoxWhiskerPlot || !samples.boxWhiskerOffered;
        double lo = samples.sample[0].minimum, hi = samples.sample[0].maximum;
        for (const PlottedSample& s : samples.sample) {
            const double centre = xsn ? s.mean : s.median;
            const double spread = xsn ? s.stdDev : s.medianError;
            lo = std::min({ lo, s.minimum, centre - spread });
            hi = std::max({ hi, s.maximum, centre + spread });
        }
        p.YMin = static_cast<Single>(lo);
        p.YMax = static_cast<Single>(hi);
    }
    widenEmptyRange(p);
}

YAxis AxisOf(const PlotSettings& p)
{
    const double step = 1.4 * (double(p.YMax) - double(p.YMin)) / 7;
    return { p.YMin - step, step };
}

std::string TickLabel(double v) { return CStrSingle(static_cast<Single>(std::floor(v * 100 + 0.5) / 100)); }

void DrawPicture(Surface& s, const PlotSettings& p, const PlottedSamples& samples)
{
    s.setScale(kLeft, kTop, kWidth, kHeight);
    s.setLineWidth(p.LinienStaerke);
    const YAxis axis = AxisOf(p);
    frame(s);
    labels(s, p, axis);
    if (p.PlotArt == kBoxWhiskerPlot && samples.boxWhiskerOffered)
        boxWhiskerPlot(s, samples, axis);
    else
        xsnPlot(s, samples, axis);
}

PlotArea SetPrinterScale(double plotWidth, double plotHeight, double pageWidth, double pageHeight, double margin)
{
    const double room = std::min((pageWidth - 2 * margin) / plotWidth, (pageHeight - 2 * margin) / plotHeight);
    const double shrink = std::isfinite(room) && room > 0 ? std::min(1.0, room) : 1.0;
    const double w = plotWidth * shrink, h = plotHeight * shrink;
    return { (pageWidth - w) / 2, (pageHeight - h) / 2, w, h };
}

} // namespace zx
