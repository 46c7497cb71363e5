#!/bin/bash
# Plants small faults (mutants) in the Qt-free libraries, one at a time, and
# counts those the Qt-free tests catch. Needs the shared mutants.py tool
# (MUTANTS=path, default ../shared/tools/mutants.py) and a clean working tree.
#   bash scripts/mutation-check.sh [COUNT] [SEED]      (defaults: 130 mutants, seed 1)
# A Release build linked with gold keeps a mutant's rebuild to seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
MUTANTS=${MUTANTS:-../shared/tools/mutants.py}
B=build-mut
T="core_tests stats_tests workbook_tests workbook_hostile_tests input_tests workflow_tests cli_tests graphics_tests zerantix-cli"
cmake -S . -B $B -DZX_BUILD_TESTS=ON -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold > /dev/null
cmake --build $B -j2 --target $T > $B/build.log 2>&1 || { tail -30 $B/build.log; exit 1; }
python3 "$MUTANTS" --build "cmake --build $B -j2 --target $T" --test "bash scripts/mutation-tests.sh $B" \
  --count "${1:-130}" --seed "${2:-1}" --json $B/mutants.json src/{core,stats,workbook,input,workflow,graphics,cli}/*.cpp
