// Hatching drawn as lines, so that the window, the printer and every file
// format show the same pattern at the same spacing.
#pragma once

#include "graphics/Surface.h"

#include <utility>
#include <vector>

namespace zx {

using Segment = std::pair<PlotPoint, PlotPoint>;

// The parts of parallel diagonal lines, `spacing` apart, that lie inside the
// closed outline (the even-odd rule: where the outline crosses itself,
// every part it encloses is hatched). Coordinates are those of a device, y
// growing downwards: Downward lines fall from left to right, Upward lines
// rise. The lines sit on multiples of the spacing, so that neighbouring
// shapes hatch alike. Other fills give no lines.
std::vector<Segment> HatchLines(const std::vector<PlotPoint>& outline, Fill fill, double spacing);

} // namespace zx
