// The numbers of each test's result as TestFigures, beside the lines its
// Write function makes of the same result.
#pragma once

#include "core/TestFigures.h"
#include "stats/IndependentTests.h"
#include "stats/PairedTests.h"
#include "stats/RankTests.h"

namespace zx {

TestFigures FiguresOf(const TTestResult& r);
TestFigures FiguresOf(const WelchResult& r);
TestFigures FiguresOf(const LordResult& r);
TestFigures FiguresOf(const WeirResult& r);
TestFigures FiguresOf(const UTestResult& r);
TestFigures FiguresOf(const MedianResult& r);
TestFigures FiguresOf(const PairedTResult& r);
TestFigures FiguresOf(const SignTestResult& r);
TestFigures FiguresOf(const WilcoxonResult& r);

} // namespace zx
