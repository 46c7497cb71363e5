#!/usr/bin/python3
"""Writes test_reference.txt: statistics and verdicts of the nine two-sample
tests on a set of fixed samples, computed independently of the program with
SciPy (Debian's python3-scipy).

    /usr/bin/python3 tests/workflow/data/make_test_reference.py

The samples are drawn from seeded generators and rounded so that many of
them hold ties; they are written to the file in full, with repr() digits.

Each block starts with "case independent <name>" or "case paired <name>" and
holds lines "key value..." up to the next blank line:

independent (x = sample 1, y = sample 2):
  x, y                 the values
  classes              "midpoints | frequencies" of x and y when the case
                       is a class-group one (x and y are then the expanded values)
  t, t_df              scipy.stats.ttest_ind, pooled variance (|t|)
  welch_t, welch_f     scipy.stats.ttest_ind(equal_var=False) (|t|) and the
                       Welch-Satterthwaite degrees of freedom
  welch_df             welch_f rounded down, the degrees of freedom the program reads
  R1, R2               rank sums of x and y (scipy.stats.rankdata, average ranks)
  Ux                   scipy.stats.mannwhitneyu(x, y).statistic = R1 - n(n+1)/2
  tie_sum              sum of t^3 - t over runs of t equal pooled values
  u_z                  |min(U) - nm/2| / sqrt(nm(N+1)/12), no tie correction
  u_z_ties             the tie-corrected z of scipy.stats.mannwhitneyu
                       (asymptotic, no continuity correction), from its p value
  median, median_table scipy.stats.median_test(ties="ignore", correction=False):
                       grand median; L1 H1 L2 H2 (below/above, x then y)
  median_chi2_scipy    its chi-square, N_table (ad - bc)^2 / margins
  median_chi2          the program's chi-square: N - 1 in front instead of N_table
  verdict_<test>_<ha>  expected verdict at 5 %: S significant, R random,
                       D against the direction of a one-sided alternative,
                       - too close to the critical value to call (the
                       program's critical values are approximations)

paired (d = x1 - x2):
  d                    the differences
  mean, sd, n          of d
  t, t_df              scipy.stats.ttest_rel (|t|)
  p, q                 positive and negative differences
  sign_chi2            scipy.stats.chisquare([p, q]).statistic
  n_prime              non-zero differences
  r_plus, r_minus      signed-rank sums (rankdata of |d| over non-zero d)
  tie_sum              sum of t^3 - t over runs of equal |d|
  w_z                  |R - P/4| / sqrt(P(2n'+1)/24), P = n'(n'+1)
  w_z_ties             tie-corrected z of scipy.stats.wilcoxon (approx,
                       zero_method "wilcox", no continuity correction), from its p value
  w_statistic          scipy.stats.wilcoxon(...).statistic = min(R+, R-)
  verdict_<test>_<ha>  as above

The verdict rules are the program's: one-sided alternatives count only an
effect in their direction; the t-tests use the one- or two-sided t
quantile; the z-tests (U-test above 25 values, WILCOXON from 30 non-zero
differences) take the level over 200 for every alternative, so their
one-sided verdict is the two-sided p value against 5 % plus the direction;
the chi-square tests compare with the 5 % point of chi-square(1); the small
U-test uses the exact one-sided (p <= 5 % for "J2"/"J3") and two-sided
(p <= 5 %) rank-sum distribution.
"""
from pathlib import Path

import numpy as np
from scipy import stats

ALPHA = 0.05
# A p value this close to the level is not called: the program takes its
# critical values from approximations (Cornish-Fisher, a polynomial).
MARGIN = 0.003
HAS = ("N", "J2", "J3")


def fmt(v):
    return repr(float(v))


def call(p, effect, ha, two_sided_p=None):
    """Verdict from a p value: `p` is the two-sided one for "N" and the
    one-sided one in the alternative's direction for "J2"/"J3" unless
    two_sided_p is given (z-tests: two-sided p for every alternative)."""
    if ha == "J2" and not effect < 0:
        return "D"
    if ha == "J3" and not effect > 0:
        return "D"
    if abs(p - ALPHA) < MARGIN:
        return "-"
    return "S" if p <= ALPHA else "R"


def tie_sum(values):
    _, counts = np.unique(np.asarray(values), return_counts=True)
    return int(sum(int(t) ** 3 - int(t) for t in counts))


def independent(name, x, y, classes=None):
    x = np.asarray(x, dtype=float)
    y = np.asarray(y, dtype=float)
    n, m = len(x), len(y)
    N = n + m
    out = ["case independent " + name]
    out.append("x " + " ".join(fmt(v) for v in x))
    out.append("y " + " ".join(fmt(v) for v in y))
    if classes:
        out.append("classes " + classes)
    diff = x.mean() - y.mean()

    t = stats.ttest_ind(x, y)
    out.append("t %s" % fmt(abs(t.statistic)))
    out.append("t_df %d" % (N - 2))
    w = stats.ttest_ind(x, y, equal_var=False)
    a, b = x.var(ddof=1) / n, y.var(ddof=1) / m
    f = (a + b) ** 2 / (a * a / (n - 1) + b * b / (m - 1))
    out.append("welch_t %s" % fmt(abs(w.statistic)))
    out.append("welch_f %s" % fmt(f))
    out.append("welch_df %d" % np.floor(f))

    ranks = stats.rankdata(np.concatenate([x, y]))
    R1, R2 = ranks[:n].sum(), ranks[n:].sum()
    mw = stats.mannwhitneyu(x, y, alternative="two-sided", method="asymptotic", use_continuity=False)
    ts = tie_sum(np.concatenate([x, y]))
    U1 = n * m + n * (n + 1) / 2 - R1
    U2 = n * m + m * (m + 1) / 2 - R2
    Umin = min(U1, U2)
    u_z = abs(Umin - n * m / 2) / np.sqrt(n * m * (N + 1) / 12)
    u_z_ties = stats.norm.isf(mw.pvalue / 2)
    out.append("R1 %s" % fmt(R1))
    out.append("R2 %s" % fmt(R2))
    out.append("Ux %s" % fmt(mw.statistic))
    out.append("tie_sum %d" % ts)
    out.append("u_z %s" % fmt(u_z))
    out.append("u_z_ties %s" % fmt(u_z_ties))

    med = stats.median_test(x, y, ties="ignore", correction=False)
    (H1, H2), (L1, L2) = med.table
    out.append("median %s" % fmt(med.median))
    out.append("median_table %d %d %d %d" % (L1, H1, L2, H2))
    out.append("median_chi2_scipy %s" % fmt(med.statistic))
    # The program's chi-square: (N - 1) instead of N_table in front.
    Nt = L1 + H1 + L2 + H2
    chi2 = med.statistic * (N - 1) / Nt
    out.append("median_chi2 %s" % fmt(chi2))

    for ha in HAS:
        alt = {"N": "two-sided", "J2": "less", "J3": "greater"}[ha]
        tp = stats.ttest_ind(x, y, alternative=alt).pvalue
        out.append("verdict_t_%s %s" % (ha, call(tp, diff, ha)))
        wp = stats.ttest_ind(x, y, equal_var=False, alternative=alt).pvalue
        out.append("verdict_welch_%s %s" % (ha, call(wp, diff, ha)))
        if n > 25 or m > 25:
            effect = R1 / n - R2 / m
            out.append("verdict_u_%s %s" % (ha, call(mw.pvalue, effect, ha)))
        elif ts == 0 and n <= m:
            # The small U-test's rank sum carries its own direction.
            ep = stats.mannwhitneyu(x, y, alternative=alt, method="exact").pvalue
            out.append("verdict_u_%s %s" % (ha, "S" if ep <= ALPHA else "R"))
        mp = stats.chi2.sf(chi2, 1)
        out.append("verdict_median_%s %s" % (ha, call(mp, -(L1 * H2 - H1 * L2), ha)))
    return out


def paired(name, d):
    d = np.asarray(d, dtype=float)
    n = len(d)
    out = ["case paired " + name]
    out.append("d " + " ".join(fmt(v) for v in d))
    out.append("n %d" % n)
    out.append("mean %s" % fmt(d.mean()))
    out.append("sd %s" % fmt(d.std(ddof=1)))
    # ttest_rel on (d, 0) pairs is the one-sample t-test of d.
    t = stats.ttest_rel(d, np.zeros(n))
    out.append("t %s" % fmt(abs(t.statistic)))
    out.append("t_df %d" % (n - 1))
    p, q = int((d > 0).sum()), int((d < 0).sum())
    out.append("p %d" % p)
    out.append("q %d" % q)
    sign = stats.chisquare([p, q])
    out.append("sign_chi2 %s" % fmt(sign.statistic))

    nz = d[d != 0]
    ranks = stats.rankdata(np.abs(nz))
    rp, rm = ranks[nz > 0].sum(), ranks[nz < 0].sum()
    n1 = len(nz)
    P = n1 * (n1 + 1)
    R = min(rp, rm)
    wil = stats.wilcoxon(d, zero_method="wilcox", correction=False, method="approx")
    out.append("n_prime %d" % n1)
    out.append("r_plus %s" % fmt(rp))
    out.append("r_minus %s" % fmt(rm))
    out.append("tie_sum %d" % tie_sum(np.abs(nz)))
    out.append("w_z %s" % fmt(abs(R - P / 4) / np.sqrt(P * (2 * n1 + 1) / 24)))
    out.append("w_z_ties %s" % fmt(stats.norm.isf(wil.pvalue / 2)))
    out.append("w_statistic %s" % fmt(wil.statistic))

    for ha in HAS:
        alt = {"N": "two-sided", "J2": "less", "J3": "greater"}[ha]
        tp = stats.ttest_rel(d, np.zeros(n), alternative=alt).pvalue
        out.append("verdict_pairedt_%s %s" % (ha, call(tp, d.mean(), ha)))
        out.append("verdict_sign_%s %s" % (ha, call(sign.pvalue, p - q, ha)))
        if n1 >= 30:
            out.append("verdict_wilcoxon_%s %s" % (ha, call(wil.pvalue, rp - rm, ha)))
    return out


def rounded(gen, size, loc, scale, decimals):
    return np.round(gen.normal(loc, scale, size), decimals)


def classes(mids, freqs):
    return np.repeat(np.asarray(mids, dtype=float), freqs)


def main():
    g = np.random.default_rng(20240611)
    blocks = []
    # Independent samples: small and large, with and without ties, either
    # sample lying higher, and two full samples of 500 values.
    blocks.append(independent("small-no-ties", rounded(g, 6, 10, 2, 3), rounded(g, 9, 12, 2, 3)))
    blocks.append(independent("small-higher-first", rounded(g, 8, 14, 2, 3), rounded(g, 11, 11, 2, 3)))
    blocks.append(independent("small-ties", rounded(g, 7, 10, 2, 0), rounded(g, 12, 11, 2, 0)))
    blocks.append(independent("equal-sizes-ties", rounded(g, 20, 5, 1, 1), rounded(g, 20, 5.6, 1.5, 1)))
    blocks.append(independent("large-no-ties", rounded(g, 26, 50, 8, 4), rounded(g, 26, 54, 8, 4)))
    blocks.append(independent("large-many-ties", rounded(g, 30, 3, 1.5, 0), rounded(g, 40, 3.8, 1.5, 0)))
    blocks.append(independent("large-higher-first", rounded(g, 35, 104, 10, 0), rounded(g, 31, 97, 12, 0)))
    blocks.append(independent("unequal-variances", rounded(g, 12, 20, 1, 2), rounded(g, 30, 22, 6, 2)))
    blocks.append(independent("full-samples", rounded(g, 500, 0.3, 1, 1), rounded(g, 500, 0.5, 1, 1)))
    blocks.append(independent("same-distribution", rounded(g, 27, 7, 2, 1), rounded(g, 33, 7, 2, 1)))
    mx, fx = [10, 20, 30, 40, 50], [3, 8, 12, 6, 2]
    my, fy = [10, 20, 30, 40, 50, 60], [1, 4, 9, 11, 7, 3]
    blocks.append(independent("class-groups", classes(mx, fx), classes(my, fy),
                              "%s | %s ; %s | %s" % (" ".join(map(str, mx)), " ".join(map(str, fx)),
                                                     " ".join(map(str, my)), " ".join(map(str, fy)))))
    # Paired values: table sizes, the normal approximation with ties and
    # zeros, either direction, and 500 pairs.
    blocks.append(paired("ten-pairs", rounded(g, 10, 1, 2, 2)))
    blocks.append(paired("ties-and-zeros", rounded(g, 16, 0.6, 1.5, 0)))
    blocks.append(paired("normal-ties-zeros", rounded(g, 45, 0.5, 2, 0)))
    blocks.append(paired("normal-negative", rounded(g, 36, -0.7, 1.5, 1)))
    blocks.append(paired("normal-continuous", rounded(g, 31, 0.2, 1, 5)))
    blocks.append(paired("five-hundred", rounded(g, 500, -0.05, 1, 1)))
    # Magnitudes at the bounds the data input accepts (1E-37 to 1E+38): an
    # outlier whose square a careless sum would lose, outliers that cancel,
    # tiny values, and full samples of huge values.
    blocks.append(independent("huge-outlier", [1e38, 1, 2, 3, 4], rounded(g, 8, 3, 1, 2)))
    blocks.append(independent("huge-cancelling", [1e38, -1e38, 1e38, -1e38, 5], [1, 2, 3, 4, 5, 6]))
    blocks.append(independent("tiny-values", np.round(g.normal(3, 1, 9), 3) * 1e-37, np.round(g.normal(4, 1, 11), 3) * 1e-37))
    blocks.append(independent("huge-full-samples", np.round(g.normal(1, 0.1, 500), 6) * 1e37,
                              np.round(g.normal(1.02, 0.1, 500), 6) * 1e37))
    blocks.append(paired("huge-difference", np.concatenate([[1e38], rounded(g, 11, 0.5, 1, 1)])))

    out = Path(__file__).with_name("test_reference.txt")
    with out.open("w") as f:
        f.write("# SciPy %s, NumPy %s; see make_test_reference.py\n\n" % (__import__("scipy").__version__, np.__version__))
        for b in blocks:
            f.write("\n".join(b) + "\n\n")


if __name__ == "__main__":
    main()
