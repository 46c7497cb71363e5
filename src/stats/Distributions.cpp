#include "stats/Distributions.h"

#include <boost/math/special_functions/beta.hpp>
#include <boost/math/special_functions/erf.hpp>

#include <algorithm>
#include <cmath>

namespace zx {

namespace {

// The constants the approximations were always computed with.
constexpr double kPi = 3.14159265;
constexpr double kInvSqrt2Pi = 0.3989422804;

// Relative step at which the bisections stop, and the relative size below
// which the F series stops adding terms.
constexpr double kBisectionTolerance = 1e-5;
constexpr double kSeriesCutoff = 1e-5;

// Below this upper-tail probability the normal-quantile polynomial leaves its
// range: its error grows from 0.005 at 1e-4 to 0.4 at 1e-6, and at 1e-8 it
// returns 0. There the exact quantile is taken instead.
constexpr double kPolynomialRange = 1e-4;

// The F series adds and subtracts terms that, for large and unequal degrees
// of freedom, exceed the result by many orders of magnitude; the sum is then
// rounding noise (for df 499 and 30 it gives P(F > 2.03) = 0.02 instead of
// 0.01). Once the largest term exceeds the result by this factor, fewer than
// six digits can be trusted, and the exact value is taken instead.
constexpr double kCancellationLimit = 1e10;

std::optional<double> finite(double v)
{
    if (std::isfinite(v))
        return v;
    return std::nullopt;
}

bool isProbability(double p) { return p > 0 && p < 1; }

// P(Z > z), Abramowitz & Stegun 26.2.19.
double normalUpper(double z)
{
    const double a = std::fabs(z);
    double r = 0;
    if (a <= 7) {
        constexpr double d1 = 0.049867347, d2 = 0.0211410061, d3 = 0.0032776263, d4 = 3.80036e-5,
                         d5 = 4.88906e-5, d6 = 5.383e-6;
        const double poly = 1 + a * (d1 + a * (d2 + a * (d3 + a * (d4 + a * (d5 + a * d6)))));
        r = 0.5 * std::pow(poly, -16);
    }
    return z >= 0 ? r : 1 - r;
}

// z with P(Z > z) = p, 0 < p < 1.
double normalQuantile(double p)
{
    if (p == 0.5)
        return 0;
    const double q = p <= 0.5 ? p : 1 - p;
    double z;
    // Stored values for the common levels; a q formed as 1 - p rarely hits
    // them exactly.
    if (q == 0.05)
        z = 1.64485;
    else if (q == 0.025)
        z = 1.95996;
    else if (q == 0.01)
        z = 2.32635;
    else if (q == 0.005)
        z = 2.57583;
    else if (q < kPolynomialRange)
        z = std::sqrt(2.0) * boost::math::erfc_inv(2 * q);
    else {
        const double y = -std::log(4 * q * (1 - q));
        const double poly = 1.570796288
            + y * (0.03706987906
                + y * (-0.000836435359
                    + y * (-0.0002250947176
                        + y * (6.841218299e-6
                            + y * (5.824238515e-6
                                + y * (-1.04527497e-6 + y * (8.360937017e-8 + y * -3.231081277e-9)))))));
        z = std::sqrt(y * poly);
    }
    return p > 0.5 ? -z : z;
}

// P(F > f) by the finite series for whole degrees of freedom.
double fisherUpper(int df1, int df2, double f)
{
    if (f <= 0)
        return 1;
    const double x = df2 / (df2 + df1 * f);
    const double s = std::sqrt(1 - x);
    const int k1 = 2 * (df1 / 2) - df1 + 2; // 2 for even, 1 for odd
    const int k2 = 2 * (df2 / 2) - df2 + 2;
    double p = 0;
    double a = 0;
    switch (2 * k1 - k2) {
    case 1: { // both odd
        const double theta = std::atan(s / std::sqrt(x));
        p = 1 - (2 / kPi) * theta;
        a = std::sqrt(x) * s / kPi;
        break;
    }
    case 2: // both even
        p = x;
        a = (1 - x) * x;
        break;
    case 3: // df1 even, df2 odd
        p = std::sqrt(x);
        a = (1 - x) * std::sqrt(x) / 2;
        break;
    default: // df1 odd, df2 even
        p = 1 - s;
        a = s * x / 2;
        break;
    }
    // Each series may lose the result to cancellation; checked after each.
    auto collapsed = [](double largest, double sum) { return !(sum >= 0 && sum <= 1) || largest > kCancellationLimit * sum; };
    double largest = std::fabs(p);
    double last = 0; // L: the last index the first series reached
    for (int i = k2; i <= df2; i += 2) {
        last = i;
        const double term = (2.0 / i) * a;
        if (!(i < df2 && std::fabs(term) >= kSeriesCutoff * p))
            break;
        p -= term;
        largest = std::max(largest, std::fabs(term));
        a = a * x * (static_cast<double>(k1) / i + 1);
    }
    bool lost = collapsed(largest, p);
    largest = std::fabs(p);
    for (int i = k1; i <= df1 && !lost; i += 2) {
        const double term = (2.0 / i) * a;
        if (!(i < df1 && std::fabs(term) >= kSeriesCutoff * p))
            break;
        p += term;
        largest = std::max(largest, std::fabs(term));
        a = (1 - x) * a * (last / i + 1);
    }
    if (lost || collapsed(largest, p))
        return boost::math::ibeta(df2 / 2.0, df1 / 2.0, x); // P(F > f) = I_x(df2/2, df1/2)
    return p;
}

double chiSquareUpper(int df, double x)
{
    if (x <= 0)
        return 1;
    if (df > 40) { // Wilson-Hilferty
        const double a = 2.0 / (9.0 * df);
        const double z = (std::cbrt(x / df) - 1 + a) / std::sqrt(a);
        return normalUpper(z);
    }
    const int b = 2 * (df / 2) + 2 - df;
    double p;
    double term;
    if (df % 2 == 0) {
        p = std::exp(-x / 2);
        term = std::exp(-x / 2) / 2;
    } else {
        p = 2 * normalUpper(std::sqrt(x));
        term = kInvSqrt2Pi * std::exp(-x / 2) / std::sqrt(x);
    }
    for (int i = b; i <= df - 1; i += 2) {
        term = term * x / i;
        p += 2 * term;
    }
    return p;
}

// Bisection on u in (0, 1) with value = scale * (1/u - 1), until the
// relative step is at most 1e-5.
template <typename Upper>
double bisect(double p, double scale, Upper upper)
{
    double lo = 0, hi = 1, u = 0.5;
    for (;;) {
        const double pu = upper(scale * (1 / u - 1));
        if (pu > p)
            hi = u;
        else
            lo = u;
        const double previous = u;
        u = (lo + hi) / 2;
        if (std::fabs(u - previous) <= kBisectionTolerance * u)
            break;
    }
    return scale * (1 / u - 1);
}

} // namespace

std::optional<double> NormalZ(DistMode mode, double x)
{
    if (std::isnan(x))
        return std::nullopt;
    if (mode == DistMode::Probability)
        return normalUpper(x);
    if (!isProbability(x))
        return std::nullopt;
    return finite(normalQuantile(x));
}

std::optional<double> StudentT(DistMode mode, int df, double x)
{
    if (df < 1 || std::isnan(x))
        return std::nullopt;
    if (mode == DistMode::Probability) {
        const double p = fisherUpper(1, df, x * x) / 2;
        return finite(x < 0 ? 1 - p : p);
    }
    if (!isProbability(x))
        return std::nullopt;
    // Cornish-Fisher expansion about the normal quantile.
    const double z = normalQuantile(x);
    const double g = z * z;
    const double v = df;
    const double t = z + (g + 1) * z / (4 * v) + ((5 * g + 16) * g + 3) * z / (96 * std::pow(v, 2))
        + (((3 * g + 19) * g + 17) * g - 15) * z / (384 * std::pow(v, 3))
        + ((((79 * g + 776) * g + 1482) * g - 1920) * g - 945) * z / (92160 * std::pow(v, 4))
        + (((((27 * g + 339) * g + 930) * g - 1782) * g - 765) * g + 17955) * z / (368640 * std::pow(v, 5));
    return finite(t);
}

std::optional<double> ChiSquare(DistMode mode, int df, double x)
{
    if (df < 1 || std::isnan(x))
        return std::nullopt;
    if (mode == DistMode::Probability)
        return finite(chiSquareUpper(df, x));
    if (!isProbability(x))
        return std::nullopt;
    if (df == 1) {
        const double z = normalQuantile(x / 2);
        return finite(z * z);
    }
    if (df == 2)
        return finite(-2 * std::log(x));
    return finite(bisect(x, 1, [df](double v) { return chiSquareUpper(df, v); }));
}

std::optional<double> FisherF(DistMode mode, int df1, int df2, double x)
{
    if (df1 < 1 || df2 < 1 || std::isnan(x))
        return std::nullopt;
    if (mode == DistMode::Probability)
        return finite(fisherUpper(df1, df2, x));
    if (!isProbability(x))
        return std::nullopt;
    if (df1 > 30 && df2 > 30) { // Paulson
        const double z = normalQuantile(x);
        const double a1 = 2.0 / (9.0 * df1);
        const double a2 = 2.0 / (9.0 * df2);
        const double radicand = a1 * (1 - a2) * (1 - a2) + a2 * (1 - a1) * (1 - a1) - a1 * a2 * z * z;
        const double denominator = (1 - a2) * (1 - a2) - a2 * z * z;
        if (radicand < 0 || denominator == 0)
            return std::nullopt;
        return finite(std::pow(((1 - a1) * (1 - a2) + z * std::sqrt(radicand)) / denominator, 3));
    }
    return finite(bisect(x, static_cast<double>(df2) / df1, [df1, df2](double v) { return fisherUpper(df1, df2, v); }));
}

} // namespace zx
