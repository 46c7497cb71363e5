#include "graphics/Hatching.h"

#include <algorithm>
#include <cmath>

namespace zx {

std::vector<Segment> HatchLines(const std::vector<PlotPoint>& outline, Fill fill, double spacing)
{
    std::vector<Segment> lines;
    if ((fill != Fill::Downward && fill != Fill::Upward) || outline.size() < 3 || !(spacing > 0))
        return lines;
    // Along a hatch line x - y (downward) or x + y (upward) is constant:
    // that is the line's offset c; x orders the points along it.
    const double sign = fill == Fill::Downward ? -1 : 1;
    auto offset = [sign](PlotPoint p) { return p.x + sign * p.y; };
    double lo = offset(outline[0]), hi = lo;
    for (const PlotPoint& p : outline) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return lines;
        lo = std::min(lo, offset(p));
        hi = std::max(hi, offset(p));
    }
    const double first = std::ceil(lo / spacing), last = std::floor(hi / spacing);
    if (last - first > 100000)
        return lines; // a shape far larger than any page
    std::vector<PlotPoint> crossings;
    for (double k = first; k <= last; ++k) {
        const double c = k * spacing;
        crossings.clear();
        for (std::size_t i = 0; i < outline.size(); ++i) {
            const PlotPoint a = outline[i];
            const PlotPoint b = outline[(i + 1) % outline.size()];
            const double da = offset(a) - c, db = offset(b) - c;
            // Half-open, so that a corner on the line counts once.
            if ((da < 0) == (db < 0))
                continue;
            const double t = da / (da - db);
            crossings.push_back({ a.x + t * (b.x - a.x), a.y + t * (b.y - a.y) });
        }
        std::sort(crossings.begin(), crossings.end(), [](PlotPoint a, PlotPoint b) { return a.x < b.x; });
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
            lines.push_back({ crossings[i], crossings[i + 1] });
    }
    return lines;
}

} // namespace zx
