#!/usr/bin/env bash
# Times zerantix-cli against R on the same two-sample t-test: the example
# workbook's single values (blatt.xls, A2:A15 against B2:B13), median of
# RUNS runs each, and the command's peak resident set.
#   bash bench/cli.sh [RUNS]      (needs a build in build/, r-base-core, python3-xlrd)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-25}
cli=${BUILD_DIR:-build}/src/cli/zerantix-cli
[ -x "$cli" ] || { echo "build first: $cli is missing" >&2; exit 1; }
command -v Rscript > /dev/null || { echo "Rscript is missing (Debian's r-base-core)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The same samples as a CSV file for R.
/usr/bin/python3 - "$work/samples.csv" <<'PY'
import sys, xlrd
sheet = xlrd.open_workbook("examples/blatt.xls").sheet_by_index(0)
def column(c, first, last):
    return [sheet.cell_value(r, c) for r in range(first, last + 1)]
x, y = column(0, 1, 14), column(1, 1, 12)
with open(sys.argv[1], "w") as f:
    f.write("stichprobe,wert\n")
    for v in x: f.write("1,%r\n" % v)
    for v in y: f.write("2,%r\n" % v)
PY

median_ms() { # command...
    local times=()
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s%N)
        "$@" > /dev/null 2>&1
        end=$(date +%s%N)
        times+=($(( (end - start) / 1000 )))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { m = (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2; printf "%.2f", m / 1000 }'
}

cli_ms=$(median_ms env HOME=/nonexistent "$cli" --daten einzelwerte --stichprobe1 A2:A15 --stichprobe2 B2:B13 --test t)
r_ms=$(median_ms Rscript -e "d <- read.csv('$work/samples.csv'); print(t.test(wert ~ stichprobe, data = d, var.equal = TRUE))")
rss_kb=$(/usr/bin/time -f '%M' env HOME=/nonexistent "$cli" --daten einzelwerte --stichprobe1 A2:A15 --stichprobe2 B2:B13 --test t 2>&1 > /dev/null | tail -1)

echo "runs each:                 $runs"
echo "zerantix-cli t-test:       median $cli_ms ms, peak resident set $((rss_kb / 1024)).$(( (rss_kb % 1024) * 10 / 1024 )) MB"
echo "Rscript t.test (CSV):      median $r_ms ms"
awk -v c="$cli_ms" -v r="$r_ms" 'BEGIN { printf "zerantix-cli is %.0f times faster\n", r / c }'
