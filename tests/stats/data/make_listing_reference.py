#!/usr/bin/python3
"""Writes listing_reference.txt: the values of the descriptive-parameter
listing for samples of every data type, computed independently of the
program in exact arithmetic (fractions, and 50-digit decimals for roots,
logarithms and powers), rounded half away from zero.

    /usr/bin/python3 tests/stats/data/make_listing_reference.py

Blocks "case <data type> <name>" (single, classes, pairs, summary) hold the
two samples ("x" and "y"; class groups "xm"/"xf" and "ym"/"yf" for
midpoints and frequencies; summary values "x"/"y" as mean, standard
deviation, size, maximum, minimum) and the listings "list1", "list2": the
values of lines 1 to 21 with "." as the decimal point, "-" where the line
shows no value. Paired values have one listing, of the differences x - y.
"""
import math
from decimal import ROUND_HALF_UP, Decimal, getcontext
from fractions import Fraction as F
from pathlib import Path

getcontext().prec = 50

def dec(x):
    return Decimal(x.numerator) / Decimal(x.denominator) if isinstance(x, F) else Decimal(x)


def sqrt(x):
    return dec(x).sqrt()


def fmt(x, decimals, sep):
    if x is None:
        return ""
    q = Decimal(1).scaleb(-decimals)
    text = str(dec(x).quantize(q, rounding=ROUND_HALF_UP))
    if text.startswith("-") and Decimal(text) == 0:
        text = text[1:]
    return text.replace(".", sep)


def single(value):
    """A value as single precision (minimum and maximum are stored so)."""
    import struct
    return F(struct.unpack("f", struct.pack("f", float(value)))[0])


def single_diff(a, b):
    import struct
    return F(struct.unpack("f", struct.pack("f", float(a) - float(b)))[0])


def order_stats(xs):
    """Median, quartiles and the median's standard error of sorted values."""
    K = len(xs)
    x = lambda j: xs[j - 1] if 1 <= j <= K else None
    avg = lambda a, b: None if a is None or b is None else (a + b) / 2
    H = K // 2
    if K % 2:
        med = x(H + 1)
        q1, q3 = (avg(x(H // 2), x(H // 2 + 1)), avg(x(H + H // 2 + 1), x(H + H // 2 + 2))) if H % 2 == 0 else (x(H // 2 + 1), x(H + H // 2 + 2))
    else:
        med = avg(x(H), x(H + 1))
        q1, q3 = (avg(x(H // 2), x(H // 2 + 1)), avg(x(H + H // 2), x(H + H // 2 + 1))) if H % 2 == 0 else (x(H // 2 + 1), x(H + H // 2 + 1))
    lo, hi = ranks(K)
    se = None if x(lo) is None or x(hi) is None else abs(dec(x(hi)) - dec(x(lo))) / Decimal("3.4641")
    return med, q1, q3, se


def ranks(n):
    root = sqrt(3 * n)
    return int(math.ceil((Decimal(n) - root) / 2)), int(math.ceil((Decimal(n) + root) / 2))


def round_half_even(a, b):
    return int(F(a, b).__round__())


def moments(values, freqs):
    n = sum(freqs)
    mean = sum(F(v) * f for v, f in zip(values, freqs)) / n
    ss = sum((F(v) - mean) ** 2 * f for v, f in zip(values, freqs))
    var = ss / (n - 1)
    sd = sqrt(var)
    cv = None if mean == 0 else sd * 100 / dec(mean)
    return n, mean, var, sd, cv, sd / sqrt(n)


def geo_harm(values, freqs):
    if any(F(v) <= 0 for v in values):
        return None, None
    n = sum(freqs)
    gm = (sum(dec(F(v)).ln() * f for v, f in zip(values, freqs)) / n).exp()
    hm = F(n) / sum(F(f) / F(v) for v, f in zip(values, freqs))
    return gm, hm


def listing_single(values, paired=False):
    xs = sorted(F(v) for v in values)
    K = len(xs)
    n, mean, var, sd, cv, se = moments(values, [1] * K)
    med, q1, q3, mse = order_stats(xs)
    gm, hm = geo_harm(values, [1] * K)
    j10, j90 = round_half_even((K + 1) * 10, 100), round_half_even((K + 1) * 90, 100)
    p10 = xs[j10 - 1] if 1 <= j10 <= K else None
    p90 = xs[j90 - 1] if 1 <= j90 <= K else None
    mn, mx = single(xs[0]), single(xs[-1])
    return [mean, var, sd, cv, se, med, mse, None, gm, None if paired else hm, None, None, q1, q3,
            None if q1 is None or q3 is None else q3 - q1, mn, mx, single_diff(mx, mn), p10, p90, n]


def listing_classes(mids, freqs):
    rows = sorted(zip((F(m) for m in mids), freqs))
    mids = [m for m, _ in rows]
    freqs = [f for _, f in rows]
    n, mean, var, sd, cv, se = moments(mids, freqs)
    b = mids[1] - mids[0]
    lower = lambda i: mids[i] - b / 2

    def interp(t, strict):
        cum = 0
        for i, f in enumerate(freqs):
            cum += f
            if (cum > t if strict else cum >= t) and f > 0:
                return lower(i) + b * (t - (cum - f)) / f
        return None

    med, q1, q3 = interp(F(n, 2), False), interp(F(n, 4), False), interp(F(3 * n, 4), False)
    lo, hi = ranks(n)
    vlo, vhi = interp(F(lo), True), interp(F(hi), True)
    mse = None if vlo is None or vhi is None else abs(dec(vhi) - dec(vlo)) / Decimal("3.4641")
    m = max(range(len(freqs)), key=lambda i: (freqs[i], -i))
    fm, fb, fa = freqs[m], freqs[m - 1] if m > 0 else 0, freqs[m + 1] if m + 1 < len(freqs) else 0
    mode = lower(m) + b * F(fm - fb, 2 * fm - fb - fa)
    # Moment coefficients about the mean, divisor n.
    m2 = sum((x - mean) ** 2 * f for x, f in zip(mids, freqs)) / n
    m3 = sum((x - mean) ** 3 * f for x, f in zip(mids, freqs)) / n
    m4 = sum((x - mean) ** 4 * f for x, f in zip(mids, freqs)) / n
    skew = dec(m3) / sqrt(m2) ** 3
    excess = dec(m4 / m2 ** 2) - 3
    gm, hm = geo_harm(mids, freqs)

    def pct(p):
        t = F(n * p, 100)
        cum = 0
        for i, f in enumerate(freqs):
            cum += f
            if cum > t and cum - f <= t:
                return lower(i) + b * (t - (cum - f)) / f
        return None

    mn, mx = single(mids[0] - b / 2), single(mids[-1] + b / 2)
    return [mean, var, sd, cv, se, med, mse, mode, gm, hm, skew, excess, q1, q3, q3 - q1, mn, mx,
            single_diff(mx, mn), pct(10), pct(90), n]


def listing_summary(mean, s, n, mx, mn):
    mean, s = F(mean), F(s)
    cv = None if mean == 0 else s * 100 / mean
    mn, mx = single(mn), single(mx)
    return [mean, s * s, s, cv, dec(s) / sqrt(n), None, None, None, None, None, None, None, None, None, None,
            mn, mx, single_diff(mx, mn), None, None, n]


def values(listing):
    return " ".join("-" if v is None else fmt(v, 0 if i == 20 else 4, ".") for i, v in enumerate(listing))


def numbers(xs):
    return " ".join(repr(float(x)) if x != int(x) else str(int(x)) for x in xs)


def squares(n):
    return [i * i for i in range(1, n + 1)]


def shuffled(n, seed):
    """1..n in an order of their own, so that the program has to sort them."""
    return sorted(range(1, n + 1), key=lambda i: (i * seed) % (n + 1))


RANDOM = __import__("random").Random(20261206)
TIED100 = [RANDOM.randint(0, 40) / 4 for _ in range(100)]
TIED24 = [RANDOM.randint(-20, 20) / 2 for _ in range(24)]

# name: (x, y) of single values; the sizes cover odd and even n and n / 2,
# the ranks of the median's standard error and the percentiles.
SINGLE = {
    "einzel": ([3.5, 4, 2.25, 5, 6], [1, 2, 3, 4, 0, -2, 7.5, 8]),
    "drei_vier": (shuffled(3, 2), shuffled(4, 3)),
    "fuenf_sechs": (shuffled(5, 2), shuffled(6, 5)),
    "sieben_neun": (shuffled(7, 3), shuffled(9, 2)),
    "quadrate": (squares(10), squares(12)),
    "negativ": ([-2, -4, -6], shuffled(14, 3)),
    "bindungen": (TIED100, TIED24),
}
CLASSES = {
    "klassen": (([10, 20, 30, 40], [2, 5, 5, 3]), ([85, 95, 105, 115, 125, 135, 145, 155], [1, 3, 6, 10, 13, 9, 5, 2])),
    "absteigend": (([40, 30, 20, 10], [3, 5, 5, 2]), ([10, 20, 30], [1, 2, 5])),
    "klein": (([1, 2, 3], [2, 2, 2]), ([0.5, 1.5, 2.5, 3.5], [4, 0, 1, 3])),
    "zweite": (([10, 20, 30], [1, 4, 2]), ([5, 15, 25, 35], [0, 3, 3, 1])),
}
PAIRS = {
    "paare": ([152, 148, 160, 141, 155, 163, 149, 158, 145, 151, 166, 157],
              [143, 145, 149, 140, 146, 150, 147, 149, 141, 146, 155, 150]),
    "nullsumme": ([5, 3, 7, 1, 2.5], [4, 5, 6, 1, 2.5]),
}
SUMMARY = {"kennwerte": ((10, 2, 25, 14, 6), (0, 1.5, 12, 2.5, -3))}


def main():
    out = ["# Generated by make_listing_reference.py; do not edit."]
    for name, (x, y) in SINGLE.items():
        out += ["case single " + name, "x " + numbers(x), "y " + numbers(y),
                "list1 " + values(listing_single(x)), "list2 " + values(listing_single(y))]
    for name, ((xm, xf), (ym, yf)) in CLASSES.items():
        out += ["case classes " + name, "xm " + numbers(xm), "xf " + numbers(xf), "ym " + numbers(ym), "yf " + numbers(yf),
                "list1 " + values(listing_classes(xm, xf)), "list2 " + values(listing_classes(ym, yf))]
    for name, (x, y) in PAIRS.items():
        d = [F(a) - F(b) for a, b in zip(x, y)]
        out += ["case pairs " + name, "x " + numbers(x), "y " + numbers(y), "list1 " + values(listing_single(d, paired=True))]
    for name, (x, y) in SUMMARY.items():
        out += ["case summary " + name, "x " + numbers(x), "y " + numbers(y),
                "list1 " + values(listing_summary(*x)), "list2 " + values(listing_summary(*y))]
    Path(__file__).with_name("listing_reference.txt").write_text("\n".join(out) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main()
