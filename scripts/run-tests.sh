#!/usr/bin/env bash
# Builds Quarn twice, warnings as errors: optimised (the programs and the benchmarks, which
# are compiled but not run), then with AddressSanitizer and UndefinedBehaviorSanitizer, where
# every test runs. The tests run once, under the sanitizers, which find more than an
# optimised run does and leave the test command within its time on two cores. The
# sanitizer build keeps line tables only (-g1): enough for its reports.
# Both build the libraries as unity sources (several .cpp files per compiler run), which
# shares the cost of the Qt headers; the test programs are never merged.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

# Ninja schedules the two builds' steps best; a folder configured earlier keeps its generator.
generator() {
    if [ ! -f "$1/CMakeCache.txt" ] && command -v ninja > /dev/null; then
        echo "-GNinja"
    fi
}

cmake -S . -B build $(generator build) -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DCMAKE_UNITY_BUILD=ON -DQUARN_WERROR=ON -DQUARN_BUILD_TESTS=OFF
cmake --build build -j"$jobs"

cmake -S . -B build-asan $(generator build-asan) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_UNITY_BUILD=ON -DQUARN_WERROR=ON -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DQUARN_SANITIZE=ON -DQUARN_BUILD_BENCH=OFF
cmake --build build-asan -j"$jobs"
# Leaks are errors too; the only suppressions are system libraries', explained in the file.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0" \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"
