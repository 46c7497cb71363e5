#!/usr/bin/python3
"""Writes distribution_reference.csv: exact upper-tail probabilities and
quantiles of the normal, t, chi-square and F distributions, computed with
SciPy (Debian's python3-scipy), to 17 significant digits.

    /usr/bin/python3 tests/stats/data/make_distribution_reference.py

Columns: distribution, mode (1 = probability of a value, 2 = value of an
upper-tail probability), df1, df2, argument, exact result.
"""
from pathlib import Path

from scipy import stats

P_LIST = [1e-4, 0.001, 0.005, 0.01, 0.025, 0.05, 0.1, 0.2, 0.25, 0.4, 0.5, 0.6, 0.75, 0.9, 0.95, 0.975, 0.99, 0.995]


def rows():
    for z in [x / 4 for x in range(-32, 33)] + [1.96, 1.644854, -1.959964, 2.575829, 7.5]:
        yield "normal", 1, 0, 0, z, stats.norm.sf(z)
    for p in P_LIST + [1e-5, 1e-6, 1e-7, 1e-8, 1e-10, 0.999]:
        yield "normal", 2, 0, 0, p, stats.norm.isf(p)

    for df in [1, 2, 3, 4, 5, 6, 8, 10, 12, 15, 20, 25, 30, 40, 60, 100, 120, 500, 1000, 32767]:
        for t in [-4, -2, -1, 0, 0.5, 1, 1.5, 2, 2.5, 3, 4, 6]:
            yield "t", 1, df, 0, t, stats.t.sf(t, df)
        for p in P_LIST + [1e-5, 1e-7]:
            yield "t", 2, df, 0, p, stats.t.isf(p, df)

    for df in [1, 2, 3, 4, 5, 7, 10, 15, 20, 30, 39, 40, 41, 50, 60, 100, 200, 1000]:
        for f in [0.1, 0.5, 0.8, 1, 1.2, 1.5, 2, 3]:
            yield "chi2", 1, df, 0, f * df, stats.chi2.sf(f * df, df)
        for p in P_LIST:
            yield "chi2", 2, df, 0, p, stats.chi2.isf(p, df)

    for df1 in [1, 2, 3, 4, 5, 7, 10, 15, 20, 30, 31, 40, 60, 120, 499]:
        for df2 in [1, 2, 3, 4, 5, 8, 10, 12, 20, 30, 31, 40, 60, 120, 499, 1000]:
            for f in [0.25, 0.5, 1, 1.5, 2, 3, 5, 10]:
                yield "F", 1, df1, df2, f, stats.f.sf(f, df1, df2)
            for p in [0.005, 0.01, 0.025, 0.05, 0.1, 0.25, 0.5, 0.9]:
                yield "F", 2, df1, df2, p, stats.f.isf(p, df1, df2)


def main():
    out = Path(__file__).with_name("distribution_reference.csv")
    with out.open("w") as f:
        f.write("# exact values from SciPy %s; see make_distribution_reference.py\n" % __import__("scipy").__version__)
        f.write("dist,mode,df1,df2,arg,exact\n")
        for dist, mode, df1, df2, arg, exact in rows():
            f.write("%s,%d,%d,%d,%.17g,%.17g\n" % (dist, mode, df1, df2, arg, exact))


if __name__ == "__main__":
    main()
