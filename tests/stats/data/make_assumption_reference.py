#!/usr/bin/python3
"""Writes assumption_reference.txt: reference values for the checks of the
tests' assumptions, computed with NumPy and SciPy (Debian's python3-scipy):

    /usr/bin/python3 tests/stats/data/make_assumption_reference.py

- sw: W of SHAPIRO-WILK for a random sample of every size n = 3..50 (normal
  and exponential in turn) and for one far from 0 with a small spread, computed from the published coefficients in
  src/stats/data/shapiro_wilk_coefficients.txt (scipy.stats.shapiro uses
  Royston's approximation instead of the table, so it is not the reference).
- ks: DK of KOLMOGOROFF-SMIRNOV, |min d| + |max d| with d = Phi(z) - F after
  each row, Phi from scipy.stats.norm; single values, and class groups given
  in an arbitrary order (compared at their upper class limits, cumulated in
  the order of the midpoints).
- f: the F-test of two variances, critical value scipy.stats.f.isf, and
  whether F reaches it.
- pm: the t-test for the variances of paired values (PITMAN and MORGAN), also
  of columns far from 0 with a small spread, from
  NumPy's variances and SciPy's correlation, critical value the one-sided
  5 % point scipy.stats.t.isf(0.05, n - 2), and whether t reaches it.

Lines: "case <kind> <name>", then "<key> <values...>".
"""
from pathlib import Path

import numpy as np
from scipy import stats

HERE = Path(__file__).resolve().parent
# The cases of values far from 0 draw from a generator of their own.
OFFSET_RNG = np.random.default_rng(7)
COEFFICIENTS = HERE.parents[2] / "src" / "stats" / "data" / "shapiro_wilk_coefficients.txt"


def coefficients():
    table = {}
    for line in COEFFICIENTS.read_text(encoding="utf-8").splitlines():
        if line.strip() and not line.startswith("#"):
            n, values = line.split("\t")
            table[int(n)] = [float(v) for v in values.split()]
    return table


def numbers(values):
    return " ".join("%.17g" % v for v in values)


def shapiro_wilk(out, rng, a):
    for n in range(3, 51):
        draw = rng.normal(50, 10, n) if n % 2 else rng.exponential(10, n)
        x = np.sort(np.round(draw, 2))
        write_shapiro_wilk(out, "n%d" % n, x, a)
    # Values far from 0 with a small spread: the squared deviations must be
    # taken about the mean.
    write_shapiro_wilk(out, "offset", np.sort(1e8 + np.round(OFFSET_RNG.normal(0, 1, 12), 3)), a)


def write_shapiro_wilk(out, name, x, a):
    n = len(x)
    h = (n + 1) // 2
    b = sum(a[n][i] * (x[n - 1 - i] - x[i]) for i in range(h))
    w = b * b / np.sum((x - x.mean()) ** 2)
    out.append("case sw " + name)
    out.append("values " + numbers(x))
    out.append("w %.17g" % w)


def ks_statistic(upper, f, mean, sd):
    d = stats.norm.cdf((upper - mean) / sd) - np.cumsum(f) / np.sum(f)
    return abs(d.min()) + abs(d.max())


def kolmogorov_smirnov(out, rng):
    samples = {
        "example": [1, 2, 3, 4, 5],
        "normal20": np.round(rng.normal(10, 2, 20), 1),
        "skewed30": np.round(rng.exponential(3, 30), 2),
        "ties": [2, 2, 2, 3, 3, 4, 7, 7, 9],
    }
    for name, x in samples.items():
        x = np.sort(np.array(x, float))
        out.append("case ks " + name)
        out.append("values " + numbers(x))
        out.append("dk %.17g" % ks_statistic(x, np.ones(len(x)), x.mean(), x.std(ddof=1)))
    classes = {
        "classes": ([85, 95, 105, 115, 125, 135, 145, 155], [2, 5, 9, 14, 11, 7, 3, 1]),
        "shuffled": ([125, 85, 145, 105, 95, 155, 115, 135], [11, 2, 3, 9, 5, 1, 14, 7]),
        "wide": ([10, 30, 50, 70], [4, 10, 3, 1]),
    }
    for name, (mids, freq) in classes.items():
        order = np.argsort(mids, kind="stable")
        m = np.array(mids, float)[order]
        f = np.array(freq, float)[order]
        expanded = np.repeat(m, f.astype(int))
        upper = m + (m[1] - m[0]) / 2
        out.append("case ksclass " + name)
        out.append("midpoints " + numbers(mids))
        out.append("frequencies " + numbers(freq))
        out.append("dk %.17g" % ks_statistic(upper, f, expanded.mean(), expanded.std(ddof=1)))


def f_test(out):
    # variance 1, n1, variance 2, n2, level in percent
    cases = {
        "example": (4.0, 11, 1.0, 16, 5),
        "swapped": (1.0, 11, 4.0, 16, 5),
        "equal": (2.5, 8, 2.5, 8, 5),
        "paulson": (3.0, 32, 1.0, 41, 1),
        "tenpercent": (1.7, 5, 1.0, 200, 10),
        "halfpercent": (0.9, 25, 2.2, 13, 0.5),
    }
    for name, (v1, n1, v2, n2, level) in cases.items():
        top, bottom = ((v1, n1), (v2, n2)) if v1 >= v2 else ((v2, n2), (v1, n1))
        df1, df2 = top[1] - 1, bottom[1] - 1
        out.append("case f " + name)
        out.append("input %r %d %r %d %r" % (v1, n1, v2, n2, level))
        out.append("F %.17g" % (top[0] / bottom[0]))
        out.append("df %d %d" % (df1, df2))
        critical = stats.f.isf(level / 100, df1, df2)
        out.append("critical %.17g" % critical)
        out.append("significant %d" % (top[0] / bottom[0] >= critical))


def pitman_morgan(out, rng):
    x12 = np.round(rng.normal(150, 8, 12), 0)
    samples = {
        "blood": ([152, 148, 160, 141, 155, 163, 149, 158, 145, 151, 166, 157],
                  [143, 145, 149, 140, 146, 150, 147, 149, 141, 146, 155, 150]),
        "correlated": (x12, np.round(x12 * 0.9 + rng.normal(0, 3, 12), 0)),
        "independent": (np.round(rng.normal(5, 1, 25), 2), np.round(rng.normal(5, 1.1, 25), 2)),
    }
    # Columns far from 0 with a small spread.
    base = np.round(OFFSET_RNG.normal(0, 1, 10), 3)
    samples["offset"] = (1e8 + base, 2e8 + np.round(base * 1.5 + OFFSET_RNG.normal(0, 0.5, 10), 3))
    for name, (x, y) in samples.items():
        x = np.array(x, float)
        y = np.array(y, float)
        n = len(x)
        v1, v2 = x.var(ddof=1), y.var(ddof=1)
        r2 = stats.pearsonr(x, y)[0] ** 2
        t = abs(v1 - v2) * np.sqrt(n - 2) / np.sqrt(4 * v1 * v2 * (1 - r2))
        out.append("case pm " + name)
        out.append("x " + numbers(x))
        out.append("y " + numbers(y))
        out.append("t %.17g" % t)
        critical = stats.t.isf(0.05, n - 2)
        out.append("critical %.17g" % critical)
        out.append("significant %d" % (t >= critical))


def main():
    rng = np.random.default_rng(20240611)
    out = ["# Generated by make_assumption_reference.py with NumPy %s and SciPy %s; do not edit."
           % (np.__version__, __import__("scipy").__version__)]
    shapiro_wilk(out, rng, coefficients())
    kolmogorov_smirnov(out, rng)
    f_test(out)
    pitman_morgan(out, rng)
    (HERE / "assumption_reference.txt").write_text("\n".join(out) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main()
