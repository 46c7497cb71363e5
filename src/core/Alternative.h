// The alternative hypothesis as the computations take it (HaWahl "N", "J2",
// "J3").
#pragma once

namespace zx {

// TwoSided: µ1 <> µ2; Less: µ1 < µ2; Greater: µ1 > µ2.
enum class Alternative { TwoSided, Less, Greater };

} // namespace zx
