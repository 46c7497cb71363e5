#include "stats/ReportLines.h"

#include "core/NumberText.h"

#include <array>

namespace zx {

namespace {
// The one-sided "u2" is what users of the program have always read there.
constexpr std::array<Hypothesis, 3> kHypotheses { {
    { "N", "wurde die Alternativ-Hypothese Ha: µ1 <> µ2 ", "gegen die Nullhypothese Ho: µ1 = µ2 untersucht." },
    { "J2", "wurde die Alternativ-Hypothese Ha: µ1 < u2 ", "gegen die Nullhypothese Ho: µ1 > µ2 untersucht." },
    { "J3", "wurde die Alternativ-Hypothese Ha: µ1 > µ2 ", "gegen die Nullhypothese Ho: µ1 < µ2 untersucht." },
} };
} // namespace

const Hypothesis* HypothesisAt(int listIndex)
{
    if (listIndex < 0 || listIndex >= static_cast<int>(kHypotheses.size()))
        return nullptr;
    return &kHypotheses[static_cast<std::size_t>(listIndex)];
}

const Hypothesis* HypothesisOf(std::string_view haWahl)
{
    for (const auto& h : kHypotheses)
        if (haWahl == h.HaWahl)
            return &h;
    return nullptr;
}

std::string LevelLine(float levelPercent)
{
    return "Bei einer Irrtumswahrscheinlichkeit von " + CStrSingle(levelPercent) + "% ";
}

} // namespace zx
