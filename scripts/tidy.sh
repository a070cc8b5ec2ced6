#!/usr/bin/env bash
# Runs clang-tidy over our own sources with the checks of .clang-tidy; any finding fails.
# Needs a configured build tree with compile_commands.json (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
mapfile -t sources < <(git ls-files 'src/*.cpp')
run-clang-tidy -quiet -p "$build" "${sources[@]}" 2>&1 | sed 's/\x1b\[[0-9;]*m//g' |
  grep -vE '^([0-9]+ warnings? generated|clang-tidy-[0-9]+ .*-quiet )' | tee "$log" || true
if grep -qE '(warning|error): ' "$log"; then
  echo "clang-tidy: findings above" >&2
  exit 1
fi
