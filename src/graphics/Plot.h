// The plot that compares the two samples side by side: the XSN plot (mean,
// mean -+ standard deviation, minimum and maximum) or the box-whisker plot
// (quartiles, median with the notch of its standard error, minimum and
// maximum), with axes, labels and legend. One drawing routine serves the
// window, the printer and image files.
#pragma once

#include "core/AnalysisRecord.h"
#include "graphics/Surface.h"

#include <array>
#include <optional>
#include <string>

namespace zx {

class Dialogs;

inline constexpr const char* kXsnPlot = "XSN";
inline constexpr const char* kBoxWhiskerPlot = "BOXWISKER";
inline constexpr const char* kScaleFixed = "Ja";

// What the user can change, held by the plot window for its lifetime.
struct PlotSettings {
    std::string GraphTitel = "Vergleich zweier Stichproben";
    std::string YName = " Y ";
    std::string XName1 = "I";
    std::string XName2 = "II";
    // "Ja" once the user fixed the Y scale; the data no longer decide it.
    std::string YSkalaFest;
    // Data range of the Y axis before its padding of one step either side.
    Single YMin = 0;
    Single YMax = 0;
    Single LinienStaerke = 1.0f;
    std::string PlotArt = kXsnPlot;
    // The plot font; the title is drawn in it, bold and a little larger.
    PlotFont font { "Univers", 9, false };
};

// The values plotted for one sample.
struct PlottedSample {
    double mean = 0;
    double stdDev = 0;
    double minimum = 0;
    double maximum = 0;
    // Box-whisker values; single values and class groups only.
    double median = 0;
    double medianError = 0;
    double quartile1 = 0;
    double quartile3 = 0;
};

struct PlottedSamples {
    std::array<PlottedSample, 2> sample; // [0] sample 1, [1] sample 2
    // Summary values and paired values have the XSN plot only.
    bool boxWhiskerOffered = false;
};

// The values of both samples, computed afresh from the data on a copy of
// the record: the record itself is only read, so that paired values, which
// are plotted as their two columns, go on being described by their
// differences. Nothing when the arithmetic guard stopped the computation.
std::optional<PlottedSamples> ReadPlottedSamples(const AnalysisRecord& record, Dialogs& dialogs);

// Unless the user fixed the scale, YMin and YMax become the smallest and
// largest value to show. A range without width is widened either side by 1,
// or by a tenth of the value when that is more, so that it can be drawn; a
// fixed range that is no number is given up for the data's.
void UpdateYRange(PlotSettings& settings, const PlottedSamples& samples);

// The data-to-plot transform of the Y axis: seven steps of a fifth of the
// data range, one of them below YMin and one above YMax, 12.5 plot units
// each.
struct YAxis {
    double bottom = 0; // the value at y = 0
    double step = 0;   // data units between two ticks
    double y(double value) const { return (value - bottom) * 12.5 / step; }
};
YAxis AxisOf(const PlotSettings& settings);

// The text of a tick's value: rounded to two decimals, halves upwards, in
// single precision with the regional decimal separator.
std::string TickLabel(double value);

// Draws the plot of PlotArt (the XSN plot where no box-whisker plot is
// offered) on the surface, filling it.
void DrawPicture(Surface& surface, const PlotSettings& settings, const PlottedSamples& samples);

// Where a plot of the given size goes on a page of the given size (any one
// unit): at the same size, centred; made smaller, keeping its shape, when it
// would not fit within the margin.
struct PlotArea {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};
PlotArea SetPrinterScale(double plotWidth, double plotHeight, double pageWidth, double pageHeight, double margin);

} // namespace zx
