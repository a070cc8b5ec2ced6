#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   1. the whole ctest suite (unit, widget, monkey, sweep, end-to-end under Xvfb);
#   2. clang-tidy over the sources;
#   3. the whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer;
#   4. the Debian package, installed on this machine and started as a user would.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

echo "== build and test"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== clang-tidy"
bash scripts/tidy.sh build

echo "== sanitizers"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELAN_SANITIZE=ON \
  -DORVELAN_BUILD_BENCH=OFF
cmake --build build-sanitize -j"$jobs"
# Any report fails the run: ASan and UBSan abort with a non-zero exit on the first one, and
# leaks count. The suppressions name one system library's own buffer (see scripts/lsan.supp).
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

echo "== Debian package"
bash scripts/check-deb.sh build
