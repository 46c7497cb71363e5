#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# The workbook reader reads whatever bytes a user hands it: its tests run a
# second time under AddressSanitizer and UndefinedBehaviorSanitizer (clang,
# Qt-free core only), and its fuzz targets replay the inputs that once broke it.
sanitize_dir=${SANITIZE_BUILD_DIR:-build-sanitize}
CC=clang CXX=clang++ cmake -S . -B "$sanitize_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZX_BUILD_GUI=OFF -DZX_BUILD_BENCHMARKS=OFF -DZX_BUILD_TESTS=ON \
  -DZX_BUILD_FUZZERS=ON -DZX_SANITIZE=address,undefined
cmake --build "$sanitize_dir" -j"$(nproc)" \
  --target workbook_tests workbook_hostile_tests xlsdump \
  BiffRecordsFuzzer XlsFileFuzzer XlsxFileFuzzer OdsFileFuzzer CsvFileFuzzer
# Full stacks at every allocation, so that libgsf's known leak can be told apart.
export ASAN_OPTIONS=fast_unwind_on_malloc=0
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan-suppressions.txt"
(cd "$sanitize_dir" && ctest --output-on-failure -j"$(nproc)" -L workbook)
for target in BiffRecordsFuzzer XlsFileFuzzer XlsxFileFuzzer OdsFileFuzzer CsvFileFuzzer; do
  inputs=(fuzz/regressions/"$target"/*)
  if [ -e "${inputs[0]}" ]; then
    "$sanitize_dir/fuzz/$target" -runs=0 "${inputs[@]}"
  fi
done
unset ASAN_OPTIONS LSAN_OPTIONS

scripts/build.sh -DZX_BUILD_TESTS=ON
cd "${BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
