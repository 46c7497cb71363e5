#!/usr/bin/python3
"""Statistics of the example workbook (examples/blatt.xls) that the whole-flow
tests expect in the reports and the assumption checks, computed with SciPy
(Debian's python3-scipy):

    /usr/bin/python3 tests/ui/data/make_flow_reference.py

Prints one line per case; the numbers go into ResultsFlowTest.cpp.
"""
import sys
from pathlib import Path

import numpy as np
from scipy import stats

sys.path.insert(0, str(Path(__file__).resolve().parents[3] / "examples"))
import make_blatt as wb  # noqa: E402

a, p = np.array(wb.ATLANTIK), np.array(wb.PAZIFIK)
t = stats.ttest_ind(a, p)
print("single values, t-test: df %d t %.10f" % (len(a) + len(p) - 2, abs(t.statistic)))

def expand(classes):
    return np.repeat([m for m, _ in classes], [f for _, f in classes])

k1, k2 = expand(wb.KLASSEN_1), expand(wb.KLASSEN_2)
w = stats.ttest_ind(k1, k2, equal_var=False)
v1, v2 = k1.var(ddof=1) / len(k1), k2.var(ddof=1) / len(k2)
f = (v1 + v2) ** 2 / (v1 ** 2 / (len(k1) - 1) + v2 ** 2 / (len(k2) - 1))
print("class groups, WELCH: f %.6f t %.10f mean1-mean2 %.6f" % (f, abs(w.statistic), k1.mean() - k2.mean()))

s1, s2 = wb.summary(wb.ATLANTIK), wb.summary(wb.PAZIFIK)
ts = stats.ttest_ind_from_stats(s1[0], s1[1], s1[2], s2[0], s2[1], s2[2])
print("summary values, t-test: df %d t %.10f" % (s1[2] + s2[2] - 2, abs(ts.statistic)))

d = np.array(wb.VORHER) - np.array(wb.NACHHER)
r = stats.wilcoxon(d)  # two-sided: the smaller rank sum
print("paired values, WILCOXON: n' %d R %g" % (np.count_nonzero(d), r.statistic))

# The assumption checks of the same data.
def ks(values):
    """DK = |min d| + |max d|, d = Phi(z) - F after each value."""
    x = np.sort(np.asarray(values, float))
    d = stats.norm.cdf((x - x.mean()) / x.std(ddof=1)) - np.arange(1, len(x) + 1) / len(x)
    return abs(d.min()) + abs(d.max())

print("single values, KOLMOGOROFF-SMIRNOV: DK %.6f %.6f; F-test F %.6f"
      % (ks(a), ks(p), a.var(ddof=1) / p.var(ddof=1)))
for k in (k1, k2):
    print("class groups, DAVID: R/s %.6f, variance %.6f" % ((k.max() - k.min() + 10) / k.std(ddof=1), k.var(ddof=1)))
coefficients = {}
for line in (Path(__file__).resolve().parents[3] / "src/stats/data/shapiro_wilk_coefficients.txt").read_text().splitlines():
    if line.strip() and not line.startswith("#"):
        n, values = line.split("\t")
        coefficients[int(n)] = [float(v) for v in values.split()]
ds = np.sort(d)
b = sum(c * (ds[len(ds) - 1 - i] - ds[i]) for i, c in enumerate(coefficients[len(ds)]))
x1, x2 = np.array(wb.VORHER, float), np.array(wb.NACHHER, float)
r2 = stats.pearsonr(x1, x2)[0] ** 2
pm = abs(x1.var(ddof=1) - x2.var(ddof=1)) * np.sqrt(len(x1) - 2) / np.sqrt(4 * x1.var(ddof=1) * x2.var(ddof=1) * (1 - r2))
print("paired values, SHAPIRO-WILK: W %.6f; variances: t %.6f" % (b * b / np.sum((d - d.mean()) ** 2), pm))
