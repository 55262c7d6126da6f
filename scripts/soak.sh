#!/usr/bin/env bash
# Builds quarn-host and quarn-soak (RelWithDebInfo) and soaks the host for the given minutes:
#   scripts/soak.sh <minutes> [build folder, default build-soak] [more quarn-soak options]
# The figures are printed and written to <build folder>/soak-report.md; the exit status
# is quarn-soak's: 0 when every target was met.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || ! [[ "$1" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 <minutes> [build folder] [quarn-soak options]" >&2
    exit 2
fi
minutes=$1
build=${2:-build-soak}
shift $(( $# >= 2 ? 2 : 1 ))

# A fresh folder needs no tests; an existing one keeps its own choice.
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARN_BUILD_BENCH=ON)
if [ ! -f "$build/CMakeCache.txt" ]; then
    options+=(-DQUARN_BUILD_TESTS=OFF)
fi
cmake -S . -B "$build" "${options[@]}"
cmake --build "$build" -j"$(nproc)" --target quarn-host quarn-soak

exec "$build/bench/soak/quarn-soak" --duration $((minutes * 60)) --host-binary "$build/host/quarn-host" \
    --report "$build/soak-report.md" "$@"
