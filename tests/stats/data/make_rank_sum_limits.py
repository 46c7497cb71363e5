#!/usr/bin/python3
"""Writes rank_sum_limits.txt: the exact lower critical values W of the
Wilcoxon rank-sum statistic of the smaller sample (n <= m <= 25), the
largest w with P(W <= w) <= alpha, for alpha = 0.05, 0.025 and 0.005 (the
one-sided levels of the U-test's three tables). "-" where even the smallest
rank sum n(n+1)/2 is too likely.

    /usr/bin/python3 tests/stats/data/make_rank_sum_limits.py

The distribution is counted exactly (subsets of n ranks out of n + m by
their sum) and each limit is checked against the exact p value of
scipy.stats.mannwhitneyu for a sample with that rank sum and the next one.

Lines: "<alpha> <m> <limit for n = 3> ... <limit for n = m>".
"""
from fractions import Fraction
from functools import lru_cache
from math import comb
from pathlib import Path

from scipy import stats

ALPHAS = ("0.05", "0.025", "0.005")


@lru_cache(maxsize=None)
def table(n, m):
    return counts(n, m)


def counts(n, m):
    N = n + m
    top = N * (N + 1) // 2
    dp = [[0] * (top + 1) for _ in range(n + 1)]
    dp[0][0] = 1
    for v in range(1, N + 1):
        for k in range(min(n, v), 0, -1):
            row, prev = dp[k], dp[k - 1]
            for s in range(top, v - 1, -1):
                if prev[s - v]:
                    row[s] += prev[s - v]
    return dp[n]


def sample_with_rank_sum(n, m, w):
    """Ranks 1..n moved up from the top until they add up to w."""
    N = n + m
    ranks = list(range(1, n + 1))
    extra = w - n * (n + 1) // 2
    for i in range(n - 1, -1, -1):
        room = (N - (n - 1 - i)) - ranks[i]
        step = min(room, extra)
        ranks[i] += step
        extra -= step
    assert extra == 0 and sum(ranks) == w
    other = [r for r in range(1, N + 1) if r not in ranks]
    return [float(r) for r in ranks], [float(r) for r in other]


def exact_cdf(n, m, w):
    x, y = sample_with_rank_sum(n, m, w)
    return stats.mannwhitneyu(x, y, alternative="less", method="exact").pvalue


def limit(n, m, alpha, c):
    total = comb(n + m, n)
    lo = n * (n + 1) // 2
    cum = 0
    best = None
    for s in range(lo, len(c)):
        cum += c[s]
        if Fraction(cum, total) <= alpha:
            best = s
        else:
            break
    if best is not None:
        assert exact_cdf(n, m, best) <= float(alpha) * (1 + 1e-9), (n, m, alpha)
    following = lo if best is None else best + 1
    assert exact_cdf(n, m, following) > float(alpha), (n, m, alpha)
    return best


def main():
    out = Path(__file__).with_name("rank_sum_limits.txt")
    with out.open("w") as f:
        f.write("# exact rank-sum limits, SciPy %s cross-check; see make_rank_sum_limits.py\n" % __import__("scipy").__version__)
        for a in ALPHAS:
            for m in range(3, 26):
                row = [limit(n, m, Fraction(a), table(n, m)) for n in range(3, m + 1)]
                f.write("%s %d %s\n" % (a, m, " ".join("-" if v is None else str(v) for v in row)))


if __name__ == "__main__":
    main()
