// The verdicts of one test for the three alternatives in one word, so that
// a table of cases can say in three letters which directions a sample
// supports: "N", "J2", "J3" in turn, S significant, R random, D against the
// direction, - refused.
#pragma once

#include "stats/TestOutcome.h"

#include <string>

namespace zx::test {

template <typename Compute>
std::string Verdicts(Compute compute)
{
    std::string word;
    for (Alternative h : { Alternative::TwoSided, Alternative::Less, Alternative::Greater }) {
        const auto computed = compute(h);
        const auto* r = std::get_if<0>(&computed);
        word += !r ? '-' : r->verdict == Verdict::Significant ? 'S' : r->verdict == Verdict::Random ? 'R' : 'D';
    }
    return word;
}

} // namespace zx::test
