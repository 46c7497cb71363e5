#include "ui/PlotPainter.h"

#include "graphics/Hatching.h"
#include "ui/Controls.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace zx {

namespace {

// Hatch lines lie 8 pixels of a 96-dpi screen apart (2 mm).
constexpr double kHatchSpacing = 8;

bool finite(PlotPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

bool finite(const std::vector<PlotPoint>& points)
{
    return std::all_of(points.begin(), points.end(), [](PlotPoint p) { return finite(p); });
}

QColor colour(Rgb c) { return QColor(c.r, c.g, c.b); }

} // namespace

PainterSurface::PainterSurface(QPainter& painter, const QRectF& target)
    : painter_(painter)
    , target_(target)
{
    const QPaintDevice* device = painter.device();
    pixelsPer96_ = device ? device->logicalDpiX() / 96.0 : 1.0;
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    setLineWidth(1);
}

void PainterSurface::setScale(double left, double top, double width, double height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void PainterSurface::setLineWidth(double width)
{
    lineWidth_ = width * pixelsPer96_;
    QPen pen(Qt::black, lineWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter_.setPen(pen);
}

void PainterSurface::setFont(const PlotFont& font)
{
    font_ = NamedFont(QString::fromStdString(font.name), font.pointSize, font.bold);
    painter_.setFont(font_);
}

QPointF PainterSurface::map(PlotPoint p) const
{
    return { target_.left() + (p.x - left_) / width_ * target_.width(), target_.top() + (p.y - top_) / height_ * target_.height() };
}

void PainterSurface::line(PlotPoint from, PlotPoint to)
{
    if (finite(from) && finite(to))
        painter_.drawLine(map(from), map(to));
}

void PainterSurface::outline(const std::vector<PlotPoint>& points)
{
    QPolygonF polygon;
    for (const PlotPoint& p : points)
        polygon << map(p);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolyline(polygon);
}

void PainterSurface::hatch(const std::vector<PlotPoint>& points, Fill fill, Rgb c)
{
    if (fill == Fill::None)
        return;
    std::vector<PlotPoint> device;
    for (const PlotPoint& p : points) {
        const QPointF d = map(p);
        device.push_back({ d.x(), d.y() });
    }
    painter_.save();
    if (fill == Fill::Solid) {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        path.moveTo(map(points.front()));
        for (std::size_t i = 1; i < points.size(); ++i)
            path.lineTo(map(points[i]));
        path.closeSubpath();
        painter_.fillPath(path, colour(c));
    } else {
        painter_.setPen(QPen(colour(c), pixelsPer96_));
        for (const auto& [a, b] : HatchLines(device, fill, kHatchSpacing * pixelsPer96_))
            painter_.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
    }
    painter_.restore();
}

void PainterSurface::rectangle(PlotPoint a, PlotPoint b, Fill fill, Rgb fillColour)
{
    const std::vector<PlotPoint> corners { a, { b.x, a.y }, b, { a.x, b.y }, a };
    if (!finite(corners))
        return;
    hatch(corners, fill, fillColour);
    outline(corners);
}

void PainterSurface::polyline(const std::vector<PlotPoint>& points, Fill fill)
{
    if (points.size() < 2 || !finite(points))
        return;
    hatch(points, fill, kBlack);
    outline(points);
}

void PainterSurface::text(PlotPoint topLeft, const std::string& text)
{
    if (!finite(topLeft))
        return;
    const QFontMetricsF fm(font_, painter_.device());
    painter_.drawText(map(topLeft) + QPointF(0, fm.ascent()), QString::fromStdString(text));
}

double PainterSurface::textWidth(const std::string& text) const
{
    const QFontMetricsF fm(font_, painter_.device());
    return target_.width() > 0 ? fm.horizontalAdvance(QString::fromStdString(text)) / target_.width() * width_ : 0;
}

void PaintPlot(QPainter& painter, const QRectF& target, const PlotSettings& settings, const PlottedSamples& samples)
{
    PainterSurface surface(painter, target);
    DrawPicture(surface, settings, samples);
}

bool SavePlotImage(const QString& file, const QSize& size, double dotsPerInch, const PlotSettings& settings,
    const PlottedSamples& samples)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    const QString title = QString::fromStdString(settings.GraphTitel);
    if (suffix == "svg") {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(static_cast<int>(std::lround(dotsPerInch)));
        svg.setTitle(title);
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        PaintPlot(painter, QRectF(QPointF(0, 0), size), settings, samples);
        return painter.end() && QFileInfo(file).size() > 0;
    }
    if (suffix == "pdf") {
        QPdfWriter pdf(file);
        const QSizeF points(size.width() * 72.0 / dotsPerInch, size.height() * 72.0 / dotsPerInch);
        pdf.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
            QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        pdf.setResolution(300);
        pdf.setTitle(title);
        pdf.setCreator("Zerantix");
        QPainter painter;
        if (!painter.begin(&pdf))
            return false;
        PaintPlot(painter, QRectF(QPointF(0, 0), pdf.pageLayout().fullRectPixels(pdf.resolution()).size()), settings, samples);
        return painter.end();
    }
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintPlot(painter, QRectF(QPointF(0, 0), size), settings, samples);
    }
    return image.save(file, "PNG");
}

} // namespace zx
