#!/usr/bin/python3
"""Statistics of the example workbook (examples/blatt.xls) that the whole-flow
tests expect in the reports, computed with SciPy (Debian's python3-scipy):

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
