#!/usr/bin/env bash
# Installs what is missing, builds Orvelan and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target orvelan
exec build/src/ui/orvelan
