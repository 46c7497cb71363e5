// Report lines that several routines write alike.
#pragma once

#include <string>
#include <string_view>

namespace zx {

// Heading of a test report (18 blanks before, 14 after the word).
inline constexpr const char* kHeading = "                  ERGEBNISSE              ";
// Heading set by the list of tests for grouped data (43 blanks before).
inline constexpr const char* kHeadingGrouped = "                                           ERGEBNISSE";
// Line 0 of a test that refused its data.
inline constexpr const char* kTestNotPossible = "TESTNICHTMÖGLICH";

struct Hypothesis {
    const char* HaWahl; // "N", "J2", "J3"
    const char* line2;
    const char* line3;
};

// The alternative hypothesis at a position of the hypothesis list (0..2), or
// nothing for any other position.
const Hypothesis* HypothesisAt(int listIndex);
// The alternative hypothesis of a HaWahl value, or nothing.
const Hypothesis* HypothesisOf(std::string_view haWahl);

// "Bei einer Irrtumswahrscheinlichkeit von 2,5% " (the level in the default
// text of a Single, with the regional decimal separator).
std::string LevelLine(float levelPercent);

} // namespace zx
