#!/usr/bin/env bash
# Builds Quarn and starts it: with no arguments, a solo game against the computer.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARN_BUILD_TESTS=OFF -DQUARN_BUILD_BENCH=OFF
cmake --build build -j"$(nproc)" --target quarn
exec ./build/windows/quarn "$@"
