// Upper-tail probabilities and quantiles of the standard normal, Student's t,
// chi-square and F distributions.
//
// These are the program's documented approximations, kept as they are so
// that every printed critical value stays what users of the program have
// always been given:
//   - normal probability: Abramowitz & Stegun 26.2.19 (|error| < 1.5e-7);
//   - normal quantile: a polynomial in y = -ln(4q(1-q)) (Hastings type),
//     with stored values for 0.05, 0.025, 0.01 and 0.005;
//   - t quantile: Cornish-Fisher expansion in 1/df about the normal
//     quantile (poor for df = 1: 12.03 instead of 12.71 at p = 0.025);
//   - t probability: through the F distribution with df1 = 1;
//   - chi-square probability: exact finite series up to df = 40,
//     Wilson-Hilferty beyond; quantile by bisection;
//   - F probability: exact finite series for whole degrees of freedom, cut
//     off once a term falls below 1e-5 of the sum; quantile by bisection,
//     or Paulson's approximation when both df exceed 30.
//
// Probabilities are upper-tail: Probability gives p = P(X > x), Quantile the
// x with P(X > x) = p. A two-sided critical value is the quantile of alpha/2.
//
// Nothing is returned where the result is not defined: a probability outside
// the open interval (0, 1) for a quantile, degrees of freedom below 1, or an
// argument that is not a number. Callers must turn that into a message.
#pragma once

#include <optional>

namespace zx {

enum class DistMode {
    Probability = 1, // value -> upper-tail probability
    Quantile = 2,    // upper-tail probability -> value
};

std::optional<double> NormalZ(DistMode mode, double x);
std::optional<double> StudentT(DistMode mode, int df, double x);
std::optional<double> ChiSquare(DistMode mode, int df, double x);
std::optional<double> FisherF(DistMode mode, int df1, int df2, double x);

} // namespace zx
