// Hatch lines against the geometry of the shapes they fill: lines at 45
// degrees a spacing s apart cover an area A with a total length of
// A * sqrt(2) / s; the notched box encloses both of its halves.
#include "graphics/Hatching.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zx {
namespace {

double totalLength(const std::vector<Segment>& lines)
{
    double sum = 0;
    for (const auto& [a, b] : lines)
        sum += std::hypot(b.x - a.x, b.y - a.y);
    return sum;
}

TEST(Hatching, LinesCoverTheShape)
{
    // A 4 x 4 square; and a box 4 wide from 0 to 8 whose sides cross between
    // 3 and 5: two rectangles of 4 x 3 and two triangles of 4 x 1 / 2.
    const std::vector<PlotPoint> square { { 0, 0 }, { 4, 0 }, { 4, 4 }, { 0, 4 }, { 0, 0 } };
    const std::vector<PlotPoint> notched { { 0, 8 }, { 4, 8 }, { 4, 5 }, { 0, 3 }, { 0, 0 }, { 4, 0 }, { 4, 3 }, { 0, 5 }, { 0, 8 } };
    struct Case { const char* name; const std::vector<PlotPoint>& shape; Fill fill; double spacing, expected; };
    const Case cases[] = {
        // Offsets -3..3 (the corners give no length): sum (4 - |c|) sqrt(2).
        { "square", square, Fill::Downward, 1, 16 * std::sqrt(2.0) },
        { "square", square, Fill::Upward, 1, 16 * std::sqrt(2.0) },
        { "notched", notched, Fill::Downward, 0.01, 28 * std::sqrt(2.0) / 0.01 },
        { "notched", notched, Fill::Upward, 0.01, 28 * std::sqrt(2.0) / 0.01 },
        { "solid", square, Fill::Solid, 1, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto lines = HatchLines(c.shape, c.fill, c.spacing);
        EXPECT_NEAR(totalLength(lines), c.expected, c.expected * 0.002 + 1e-9);
        for (const auto& [a, b] : lines) {
            // Downward lines fall from left to right (y grows downwards).
            EXPECT_NEAR(b.y - a.y, (c.fill == Fill::Downward ? 1 : -1) * (b.x - a.x), 1e-9);
            // Nothing inside the notch's open sides: at height y between 3
            // and 5 the box spans |x - 2| <= 2 |y - 4|.
            const PlotPoint m { (a.x + b.x) / 2, (a.y + b.y) / 2 };
            if (&c.shape == &notched && m.y > 3 && m.y < 5) {
                EXPECT_LE(std::fabs(m.x - 2), 2 * std::fabs(m.y - 4) + 1e-9);
            }
        }
    }
}

} // namespace
} // namespace zx
