#!/usr/bin/python3
"""Writes supplement_reference.txt: p-values, estimates, effect sizes and
confidence intervals of the nine two-sample tests ("Zusatzangaben") on random
samples, computed independently of the program with Debian's python3-scipy
and r-base-core (R is called through Rscript):

    /usr/bin/python3 tests/stats/data/make_supplement_reference.py

The samples are drawn from seeded generators and rounded so that some hold
ties and zero differences; they are written in full with repr() digits.

Each block starts with "case independent <name>" or "case paired <name>",
holds "key value..." lines up to the next blank line, and gives every figure
for the three alternatives <ha> = N (two-sided), J2 (mu1 < mu2), J3
(mu1 > mu2) at the case's level (percent); intervals are "lower upper" with
inf for an open end, "none" where no interval reaches the confidence.

independent (x = sample 1, y = sample 2):
  x, y, level
  summary1, summary2    n, mean, variance, sum of squared deviations (NumPy)
  mean_diff             mean(x) - mean(y)
  t_p_<ha>, t_ci_<ha>   R t.test(var.equal = TRUE): p and the interval of
                        mean(x) - mean(y)
  d, d_ci_<ha>          Cohen's d with the pooled standard deviation; interval
                        from the noncentral t (scipy.stats.nct, brentq)
  g, g_ci_<ha>          Hedges' g = J d, J = G(df/2) / (sqrt(df/2) G((df-1)/2))
  welch_df, welch_p_<ha>, welch_ci_<ha>   R t.test(var.equal = FALSE)
  dw, dw_ci_<ha>, gw, gw_ci_<ha>   d standardised by sqrt((s1^2 + s2^2)/2),
                        interval from the noncentral t with WELCH's df and
                        standard error; gw = J(df) dw
  u_method              exact (N <= 100) or normal
  u_p_<ha>              exact without ties: scipy.stats.mannwhitneyu(method=
                        "exact") and R wilcox.test(exact = TRUE) agree; exact
                        with ties: complete enumeration of all C(N, n) samples
                        of the mid-ranks; normal: mannwhitneyu(method=
                        "asymptotic", use_continuity=False)
  hl, hl_ci_<ha>        without ties: R wilcox.test(exact = TRUE, conf.int =
                        TRUE); with ties or N > 100: median of all x - y and
                        the order statistics k and nm + 1 - k of them, k from
                        R qwilcox (exact) or the normal approximation
                        ceil(nm/2 - 0.5 - z sqrt(nm(N+1)/12))
  rrb                   rank-biserial correlation 2 (R1/n - R2/m) / N
  median_table          H1 L1 H2 L2 from scipy.stats.median_test(ties=
                        "ignore"): values above and below the grand median
  fisher_p_<ha>         scipy.stats.fisher_exact of [[H1, L1], [H2, L2]]
  or, or_ci_<ha>        scipy.stats.contingency.odds_ratio(kind=
                        "conditional") and its confidence_interval

paired (d = x1 - x2):
  d, level
  n, mean, sd           of d (NumPy)
  pt_p_<ha>, pt_ci_<ha> R t.test(d): p and the interval of the mean
  dz, dz_ci_<ha>        mean / sd, interval from the noncentral t
  w_method              exact (n' <= 200) or normal
  w_p_<ha>              exact without ties and zeros: scipy.stats.wilcoxon
                        (method="exact") and R wilcox.test(exact = TRUE)
                        agree; with ties or zeros: complete enumeration of
                        the 2^n' signs of the non-zero differences' mid-ranks;
                        normal: wilcoxon(method="approx", correction=False)
  pm, pm_ci_<ha>        pseudo-median (zeros dropped, as the test drops them):
                        R wilcox.test(exact = TRUE, conf.int = TRUE) without
                        ties and zeros; else the median of the Walsh averages
                        with the order statistics k, M + 1 - k, k from R
                        qsignrank or the normal approximation
  rrb                   (R+ - R-) / (R+ + R-)
  sign_p_<ha>, share, share_ci_<ha>   scipy.stats.binomtest on the positive
                        among the non-zero differences, proportion_ci
                        (Clopper-Pearson)
"""
import itertools
import subprocess
from pathlib import Path

import numpy as np
from scipy import optimize, special, stats
from scipy.stats.contingency import odds_ratio

HAS = ("N", "J2", "J3")
SCIPY_ALTERNATIVE = {"N": "two-sided", "J2": "less", "J3": "greater"}
EXACT_RANK_SUM_MAX = 100
EXACT_SIGNED_RANK_MAX = 200


def fmt(v):
    return repr(float(v))


def interval(lo, hi):
    return "%s %s" % (fmt(lo), fmt(hi))


def R(code):
    """Runs R code and returns its printed lines."""
    out = subprocess.run(["Rscript", "-e", code], check=True, capture_output=True, text=True).stdout
    return out.split()


def rvec(values):
    return "c(" + ",".join(repr(float(v)) for v in values) + ")"


def tail(alpha, ha):
    return alpha / 2 if ha == "N" else alpha


def sided(ha, lo, hi, open_lo=-np.inf, open_hi=np.inf):
    return (open_lo if ha == "J2" else lo, open_hi if ha == "J3" else hi)


def r_t_test(args, alpha):
    """p and interval of R's t.test for each alternative."""
    out = {}
    for ha in HAS:
        alt = {"N": "two.sided", "J2": "less", "J3": "greater"}[ha]
        v = R("r <- t.test(%s, alternative='%s', conf.level=%r); cat(sprintf('%%.17g', c(r$p.value, r$conf.int, r$parameter)))"
              % (args, alt, 1 - alpha))
        out[ha] = [float(s) for s in v]
    return out


def nct_bounds(t, df, alpha, ha):
    """Noncentrality parameters with P(T' <= t) = 1 - tail (lower end) and
    = tail (upper end)."""
    def solve(prob):
        f = lambda ncp: stats.nct.cdf(t, df, ncp) - prob
        lo, hi = t - 1, t + 1
        while f(lo) < 0:
            lo -= 2 * (t + 1 - lo)
        while f(hi) > 0:
            hi += 2 * (hi - t + 1)
        return optimize.brentq(f, lo, hi, xtol=1e-14, rtol=1e-15, maxiter=500)
    q = tail(alpha, ha)
    return sided(ha, solve(1 - q), solve(q))


def hedges_j(df):
    return np.exp(special.gammaln(df / 2) - special.gammaln((df - 1) / 2)) / np.sqrt(df / 2)


def standardised(out, key, t, df, scale, alpha, j=None):
    out.append("%s %s" % (key, fmt(t * scale)))
    for ha in HAS:
        lo, hi = nct_bounds(t, df, alpha, ha)
        out.append("%s_ci_%s %s" % (key, ha, interval(lo * scale, hi * scale)))
    if j is None:
        return
    gkey = key.replace("d", "g", 1)
    out.append("%s %s" % (gkey, fmt(j * t * scale)))
    for ha in HAS:
        lo, hi = nct_bounds(t, df, alpha, ha)
        out.append("%s_ci_%s %s" % (gkey, ha, interval(j * lo * scale, j * hi * scale)))


def order_interval(values, k, ha):
    """[v(k), v(M + 1 - k)] of the sorted values, one end open for one side."""
    v = np.sort(values)
    if k < 1:
        return "none"
    lo, hi = v[k - 1], v[len(v) - k]
    return interval(*sided(ha, lo, hi))


def normal_k(center, sigma, alpha, ha):
    z = stats.norm.isf(tail(alpha, ha))
    return int(np.ceil(center - 0.5 - z * sigma))


def tails_p(ha, lower, upper):
    if ha == "J2":
        return lower
    if ha == "J3":
        return upper
    return min(1.0, 2 * min(lower, upper))


def enumerate_rank_sum(ranks, n, observed):
    """Tails of the rank sum of n of the pooled mid-ranks over all C(N, n)
    choices."""
    ranks = np.asarray(ranks)
    assert special.comb(len(ranks), n) <= 1e6, "too many samples to enumerate"
    sums = np.array([ranks[list(c)].sum() for c in itertools.combinations(range(len(ranks)), n)])
    eps = 1e-9
    return np.mean(sums <= observed + eps), np.mean(sums >= observed - eps)


def enumerate_signed_rank(ranks, observed):
    """Tails of the sum of the ranks with a + sign over all 2^n' signs."""
    ranks = np.asarray(ranks)
    n = len(ranks)
    assert n <= 20, "too many signs to enumerate"
    signs = (np.arange(2 ** n)[:, None] >> np.arange(n)) & 1
    sums = signs @ ranks
    eps = 1e-9
    return np.mean(sums <= observed + eps), np.mean(sums >= observed - eps)


def independent(name, x, y, level):
    x = np.asarray(x, dtype=float)
    y = np.asarray(y, dtype=float)
    n, m = len(x), len(y)
    N = n + m
    alpha = level / 100
    out = ["case independent " + name, "x " + " ".join(fmt(v) for v in x), "y " + " ".join(fmt(v) for v in y),
           "level %s" % fmt(level)]
    for k, s in ((1, x), (2, y)):
        out.append("summary%d %d %s %s %s" % (k, len(s), fmt(s.mean()), fmt(s.var(ddof=1)), fmt(((s - s.mean()) ** 2).sum())))
    out.append("mean_diff %s" % fmt(x.mean() - y.mean()))

    # t-test, pooled variance
    rt = r_t_test("%s, %s, var.equal=TRUE" % (rvec(x), rvec(y)), alpha)
    for ha in HAS:
        out.append("t_p_%s %s" % (ha, fmt(rt[ha][0])))
        out.append("t_ci_%s %s" % (ha, interval(rt[ha][1], rt[ha][2])))
    df = N - 2
    sp = np.sqrt((((x - x.mean()) ** 2).sum() + ((y - y.mean()) ** 2).sum()) / df)
    se = sp * np.sqrt(1 / n + 1 / m)
    t = (x.mean() - y.mean()) / se
    standardised(out, "d", t, df, se / sp, alpha, hedges_j(df))

    # WELCH
    rw = r_t_test("%s, %s, var.equal=FALSE" % (rvec(x), rvec(y)), alpha)
    out.append("welch_df %s" % fmt(rw["N"][3]))
    for ha in HAS:
        out.append("welch_p_%s %s" % (ha, fmt(rw[ha][0])))
        out.append("welch_ci_%s %s" % (ha, interval(rw[ha][1], rw[ha][2])))
    a, b = x.var(ddof=1) / n, y.var(ddof=1) / m
    f = (a + b) ** 2 / (a * a / (n - 1) + b * b / (m - 1))
    sw = np.sqrt(a + b)
    sav = np.sqrt((x.var(ddof=1) + y.var(ddof=1)) / 2)
    standardised(out, "dw", (x.mean() - y.mean()) / sw, f, sw / sav, alpha, hedges_j(f))

    # U-test
    pooled = np.concatenate([x, y])
    ranks = stats.rankdata(pooled)
    R1 = ranks[:n].sum()
    ties = len(np.unique(pooled)) < N
    diffs = np.subtract.outer(x, y).ravel()
    nm = n * m
    if N <= EXACT_RANK_SUM_MAX:
        out.append("u_method exact")
        if ties:
            lower, upper = enumerate_rank_sum(ranks, n, R1)
            for ha in HAS:
                out.append("u_p_%s %s" % (ha, fmt(tails_p(ha, lower, upper))))
        else:
            for ha in HAS:
                p = stats.mannwhitneyu(x, y, alternative=SCIPY_ALTERNATIVE[ha], method="exact").pvalue
                out.append("u_p_%s %s" % (ha, fmt(p)))
    else:
        out.append("u_method normal")
        for ha in HAS:
            p = stats.mannwhitneyu(x, y, alternative=SCIPY_ALTERNATIVE[ha], method="asymptotic", use_continuity=False).pvalue
            out.append("u_p_%s %s" % (ha, fmt(p)))
    out.append("hl %s" % fmt(np.median(diffs)))
    for ha in HAS:
        alt = {"N": "two.sided", "J2": "less", "J3": "greater"}[ha]
        if N <= EXACT_RANK_SUM_MAX and not ties:
            v = R("w <- suppressWarnings(wilcox.test(%s, %s, alternative='%s', exact=TRUE, conf.int=TRUE, conf.level=%r));"
                  " cat(sprintf('%%.17g', c(w$p.value, w$conf.int, w$estimate)))"
                  % (rvec(x), rvec(y), alt, 1 - alpha))
            p_r, lo, hi, est = (float(s) for s in v)
            up = [l for l in out if l.startswith("u_p_%s " % ha)][0]
            assert abs(p_r - float(up.split()[1])) < 1e-12, (name, ha, p_r, up)
            assert abs(est - np.median(diffs)) < 1e-12
            # Where no order statistic reaches the confidence, R falls back
            # on the smallest and largest difference; the program says so
            # instead.
            k = int(R("cat(qwilcox(%r, %d, %d))" % (tail(alpha, ha), n, m))[0])
            out.append("hl_ci_%s %s" % (ha, interval(lo, hi) if k > 0 else "none"))
        elif N <= EXACT_RANK_SUM_MAX:
            k = int(R("cat(qwilcox(%r, %d, %d))" % (tail(alpha, ha), n, m))[0])
            out.append("hl_ci_%s %s" % (ha, order_interval(diffs, k, ha)))
        else:
            out.append("hl_ci_%s %s" % (ha, order_interval(diffs, normal_k(nm / 2, np.sqrt(nm * (N + 1) / 12), alpha, ha), ha)))
    R2 = N * (N + 1) / 2 - R1
    out.append("rrb %s" % fmt(2 * (R1 / n - R2 / m) / N))

    # MEDIAN test
    _, _, _, table = stats.median_test(x, y, ties="ignore")
    H1, H2 = table[0]
    L1, L2 = table[1]
    out.append("median_table %d %d %d %d" % (H1, L1, H2, L2))
    cells = [[H1, L1], [H2, L2]]
    for ha in HAS:
        out.append("fisher_p_%s %s" % (ha, fmt(stats.fisher_exact(cells, alternative=SCIPY_ALTERNATIVE[ha])[1])))
    ratio = odds_ratio(cells, kind="conditional")
    out.append("or %s" % fmt(ratio.statistic))
    for ha in HAS:
        ci = ratio.confidence_interval(1 - alpha, SCIPY_ALTERNATIVE[ha])
        out.append("or_ci_%s %s" % (ha, interval(ci.low, ci.high)))
    return out


def paired(name, d, level):
    d = np.asarray(d, dtype=float)
    n = len(d)
    alpha = level / 100
    out = ["case paired " + name, "d " + " ".join(fmt(v) for v in d), "level %s" % fmt(level),
           "n %d" % n, "mean %s" % fmt(d.mean()), "sd %s" % fmt(d.std(ddof=1))]

    rt = r_t_test(rvec(d), alpha)
    for ha in HAS:
        out.append("pt_p_%s %s" % (ha, fmt(rt[ha][0])))
        out.append("pt_ci_%s %s" % (ha, interval(rt[ha][1], rt[ha][2])))
    standardised(out, "dz", d.mean() / (d.std(ddof=1) / np.sqrt(n)), n - 1, 1 / np.sqrt(n), alpha)

    nz = d[d != 0]
    k = len(nz)
    ranks = stats.rankdata(np.abs(nz))
    r_plus = ranks[nz > 0].sum()
    ties = len(np.unique(np.abs(nz))) < k
    zeros = k < n
    M = k * (k + 1) // 2
    walsh = np.array([(nz[i] + nz[j]) / 2 for i in range(k) for j in range(i, k)])
    if k <= EXACT_SIGNED_RANK_MAX:
        out.append("w_method exact")
        if ties or zeros:
            lower, upper = enumerate_signed_rank(ranks, r_plus)
            for ha in HAS:
                out.append("w_p_%s %s" % (ha, fmt(tails_p(ha, lower, upper))))
        else:
            for ha in HAS:
                p = stats.wilcoxon(nz, alternative=SCIPY_ALTERNATIVE[ha], method="exact").pvalue
                out.append("w_p_%s %s" % (ha, fmt(p)))
    else:
        out.append("w_method normal")
        for ha in HAS:
            p = stats.wilcoxon(d, zero_method="wilcox", correction=False, alternative=SCIPY_ALTERNATIVE[ha], method="approx").pvalue
            out.append("w_p_%s %s" % (ha, fmt(p)))
    out.append("pm %s" % fmt(np.median(walsh)))
    for ha in HAS:
        alt = {"N": "two.sided", "J2": "less", "J3": "greater"}[ha]
        if k <= EXACT_SIGNED_RANK_MAX and not ties and not zeros and k < 50:
            v = R("w <- suppressWarnings(wilcox.test(%s, alternative='%s', exact=TRUE, conf.int=TRUE, conf.level=%r));"
                  " cat(sprintf('%%.17g', c(w$p.value, w$conf.int, w$estimate)))"
                  % (rvec(nz), alt, 1 - alpha))
            p_r, lo, hi, est = (float(s) for s in v)
            wp = [l for l in out if l.startswith("w_p_%s " % ha)][0]
            assert abs(p_r - float(wp.split()[1])) < 1e-12, (name, ha, p_r, wp)
            assert abs(est - np.median(walsh)) < 1e-12
            q = int(R("cat(qsignrank(%r, %d))" % (tail(alpha, ha), k))[0])
            out.append("pm_ci_%s %s" % (ha, interval(lo, hi) if q > 0 else "none"))
        elif k <= EXACT_SIGNED_RANK_MAX:
            q = int(R("cat(qsignrank(%r, %d))" % (tail(alpha, ha), k))[0])
            out.append("pm_ci_%s %s" % (ha, order_interval(walsh, q, ha)))
        else:
            sigma = np.sqrt(k * (k + 1) * (2 * k + 1) / 24)
            out.append("pm_ci_%s %s" % (ha, order_interval(walsh, normal_k(M / 2, sigma, alpha, ha), ha)))
    out.append("rrb %s" % fmt((r_plus - (M - r_plus)) / M))

    positive = int((d > 0).sum())
    for ha in HAS:
        out.append("sign_p_%s %s" % (ha, fmt(stats.binomtest(positive, k, 0.5, alternative=SCIPY_ALTERNATIVE[ha]).pvalue)))
    out.append("share %s" % fmt(positive / k))
    for ha in HAS:
        ci = stats.binomtest(positive, k, 0.5, alternative=SCIPY_ALTERNATIVE[ha]).proportion_ci(1 - alpha, "exact")
        out.append("share_ci_%s %s" % (ha, interval(ci.low, ci.high)))
    return out


def main():
    rng = np.random.default_rng(20240614)
    blocks = []
    # Independent samples: sizes, level, rounding (ties), shift.
    blocks.append(independent("small-no-ties", np.round(rng.normal(10, 2, 7), 3), np.round(rng.normal(11.5, 2, 9), 3), 5))
    blocks.append(independent("tiny-interval-not-reachable", np.round(rng.normal(0, 1, 3), 2), np.round(rng.normal(1, 1, 4), 2), 5))
    blocks.append(independent("ties-halves", np.round(rng.normal(20, 2, 12) * 2) / 2, np.round(rng.normal(21, 2, 10) * 2) / 2, 5))
    blocks.append(independent("ties-many-one-percent", rng.integers(1, 7, 8).astype(float), rng.integers(2, 8, 8).astype(float), 1))
    blocks.append(independent("medium-unequal-variances", np.round(rng.normal(50, 2, 30), 4), np.round(rng.normal(48, 6, 35), 4), 10))
    blocks.append(independent("larger-ties-normal", np.round(rng.normal(100, 8, 60)), np.round(rng.normal(103, 10, 55)), 5))
    blocks.append(independent("larger-no-ties-normal", np.round(rng.normal(30, 4, 55), 3), np.round(rng.normal(31, 4, 60), 3), 5))
    blocks.append(independent("small-sizes-level-two-and-a-half", np.round(rng.normal(5, 0.3, 5), 3), np.round(rng.normal(4.2, 1.5, 20), 3), 2.5))
    # Paired values (the differences).
    blocks.append(paired("small-no-ties-no-zeros", np.round(rng.normal(1, 2, 12), 3), 5))
    blocks.append(paired("ties-and-zeros", np.round(rng.normal(0.8, 2, 15)), 5))
    blocks.append(paired("medium-one-percent", np.round(rng.normal(-0.5, 1.5, 40), 4), 1))
    blocks.append(paired("many-zeros-ten-percent", np.round(rng.normal(0.3, 1, 18)), 10))
    blocks.append(paired("large-no-ties-normal", np.round(rng.normal(0.3, 2, 220), 4), 10))
    blocks.append(paired("large-ties-normal", np.round(rng.normal(0.2, 3, 240)), 5))
    text = "# SciPy %s, R %s; see make_supplement_reference.py\n\n" % (
        __import__("scipy").__version__, R("cat(paste(R.version$major, R.version$minor, sep='.'))")[0])
    text += "\n\n".join("\n".join(b) for b in blocks) + "\n"
    Path(__file__).with_name("supplement_reference.txt").write_text(text)


if __name__ == "__main__":
    main()
