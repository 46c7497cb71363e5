// The plot on a QPainter: the window, the printer's page and image files all
// draw through it, so that they show the same.
#pragma once

#include "graphics/Plot.h"
#include "graphics/Surface.h"

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;
class QPaintDevice;

namespace zx {

class PainterSurface : public Surface {
public:
    // Draws into the target rectangle of the painter's coordinates. Line
    // widths, hatching and fonts keep their physical size on every device.
    PainterSurface(QPainter& painter, const QRectF& target);

    void setScale(double left, double top, double width, double height) override;
    void setLineWidth(double width) override;
    void setFont(const PlotFont& font) override;
    void line(PlotPoint from, PlotPoint to) override;
    void rectangle(PlotPoint a, PlotPoint b, Fill fill, Rgb fillColour) override;
    void polyline(const std::vector<PlotPoint>& points, Fill fill) override;
    void text(PlotPoint topLeft, const std::string& text) override;
    double textWidth(const std::string& text) const override;

    // Where a point of the user coordinates lands in the painter's.
    QPointF map(PlotPoint p) const;

private:
    void hatch(const std::vector<PlotPoint>& outline, Fill fill, Rgb colour);
    void outline(const std::vector<PlotPoint>& points);

    QPainter& painter_;
    QRectF target_;
    double left_ = 0, top_ = 0, width_ = 1, height_ = 1;
    double pixelsPer96_ = 1; // device pixels of one pixel of a 96-dpi screen
    double lineWidth_ = 1;
    QFont font_;
};

// The plot drawn into the target rectangle.
void PaintPlot(QPainter& painter, const QRectF& target, const PlotSettings& settings, const PlottedSamples& samples);

// Writes the plot at the given size (pixels of a screen of the given dpi) as
// PNG, SVG or PDF, chosen by the file's suffix (PNG for any other). False
// when the file could not be written.
bool SavePlotImage(const QString& file, const QSize& size, double dotsPerInch, const PlotSettings& settings,
    const PlottedSamples& samples);

} // namespace zx
