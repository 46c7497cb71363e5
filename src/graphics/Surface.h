// What a plot is drawn on: the window, the printer's page or an image file
// get the same calls, in the plot's own coordinates.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zx {

struct PlotPoint {
    double x = 0;
    double y = 0;
    bool operator==(const PlotPoint&) const = default;
};

struct PlotFont {
    std::string name;
    double pointSize = 9;
    bool bold = false;
    bool operator==(const PlotFont&) const = default;
};

// Red, green, blue.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kBlack { 0, 0, 0 };
inline constexpr Rgb kBlue { 0, 0, 255 };

// How a closed shape is filled: not at all, with diagonal lines falling from
// left to right (downward) or rising (upward), or solid.
enum class Fill { None, Downward, Upward, Solid };

class Surface {
public:
    virtual ~Surface() = default;

    // The user coordinates: x runs from left at the left edge over width to
    // the right edge, y from top at the top edge over height (negative: y
    // grows upwards) to the bottom edge.
    virtual void setScale(double left, double top, double width, double height) = 0;
    // Width of every line drawn from now on, in pixels of a 96-dpi screen.
    virtual void setLineWidth(double width) = 0;
    virtual void setFont(const PlotFont& font) = 0;

    virtual void line(PlotPoint from, PlotPoint to) = 0;
    // The rectangle with corners a and b, outlined in black and filled.
    virtual void rectangle(PlotPoint a, PlotPoint b, Fill fill, Rgb fillColour = kBlack) = 0;
    // Lines through the points in order; a fill fills the enclosed area
    // (where the outline crosses itself, every part it encloses).
    virtual void polyline(const std::vector<PlotPoint>& points, Fill fill = Fill::None) = 0;
    // Text in the current font with its top left corner at the point.
    virtual void text(PlotPoint topLeft, const std::string& text) = 0;
    // Width of the text in the current font, in user x units.
    virtual double textWidth(const std::string& text) const = 0;
};

} // namespace zx
