// A surface that keeps what is drawn on it, so that tests read a plot's
// geometry in its own coordinates. Text is 0.1 units wide per character.
#pragma once

#include "graphics/Surface.h"

#include <string>
#include <vector>

namespace zx::test {

class RecordingSurface : public Surface {
public:
    static constexpr double kCharWidth = 0.1;

    struct Shape {
        std::vector<PlotPoint> points;
        Fill fill = Fill::None;
        Rgb colour;
    };
    struct Text {
        PlotPoint topLeft;
        std::string text;
        PlotFont font;
    };

    void setScale(double left, double top, double width, double height) override { scale = { left, top, width, height }; }
    void setLineWidth(double width) override { lineWidth = width; }
    void setFont(const PlotFont& f) override { font = f; }
    void line(PlotPoint from, PlotPoint to) override { lines.push_back({ { from, to }, Fill::None, kBlack }); }
    void rectangle(PlotPoint a, PlotPoint b, Fill fill, Rgb colour) override { rectangles.push_back({ { a, b }, fill, colour }); }
    void polyline(const std::vector<PlotPoint>& points, Fill fill) override { polylines.push_back({ points, fill, kBlack }); }
    void text(PlotPoint topLeft, const std::string& t) override { texts.push_back({ topLeft, t, font }); }
    double textWidth(const std::string& t) const override
    {
        double n = 0;
        for (unsigned char c : t)
            n += (c & 0xC0) != 0x80; // characters, not bytes
        return n * kCharWidth;
    }

    std::vector<double> scale;
    double lineWidth = 0;
    PlotFont font;
    std::vector<Shape> lines;
    std::vector<Shape> rectangles;
    std::vector<Shape> polylines;
    std::vector<Text> texts;
};

} // namespace zx::test
