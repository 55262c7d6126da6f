#!/usr/bin/env bash
# Builds the libFuzzer programs of tests/fuzz with clang (build-fuzz, QUARN_FUZZ=ON: all
# project code under AddressSanitizer and UndefinedBehaviorSanitizer) and runs each for
# the given time, starting from its committed seeds.
#
# Usage: scripts/fuzz.sh [--parallel] <seconds> [harness...]
#   harness: Framer HostRequests ProfileFile WordListFormat WaveDecoder Lzrw1Decode TallyText
#            HttpResponse ChatLine (default: all)
#   --parallel: run the harnesses at the same time instead of one after the other
#
# The committed seeds in tests/fuzz/corpus/<harness> are only read. New inputs go to
# build-fuzz/corpus/<harness> (kept between runs), reproducers of failures to
# build-fuzz/artifacts/<harness>/, the output of each run to build-fuzz/logs/<harness>.log.
# Exits non-zero when any harness crashed, broke an invariant, leaked, hung or ran out of
# memory (replay a reproducer with: build-fuzz/tests/fuzz/fuzz_<harness> <file>).
set -euo pipefail
cd "$(dirname "$0")/.."

all_harnesses=(Framer HostRequests ProfileFile WordListFormat WaveDecoder Lzrw1Decode TallyText HttpResponse DownloadName ChatLine JoinAddress RouterAnswer GameRecord)

# Longest input per harness: enough for the framer's over-long messages (64 KiB) and for a
# word list longer than one read of its checker (61,440 bytes), and for containers of
# several blocks.
max_len_of() {
    case $1 in
        Framer) echo 131072 ;;
        WordListFormat) echo 65536 ;;
        WaveDecoder) echo 16384 ;;
        Lzrw1Decode) echo 70000 ;;
        *) echo 4096 ;;
    esac
}

usage() {
    echo "usage: $0 [--parallel] <seconds> [harness...]" >&2
    echo "harnesses: ${all_harnesses[*]}" >&2
    exit 2
}

parallel=false
if [ "${1:-}" = "--parallel" ]; then
    parallel=true
    shift
fi
[ $# -ge 1 ] || usage
seconds=$1
shift
[[ $seconds =~ ^[0-9]+$ ]] && [ "$seconds" -gt 0 ] || usage
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=("${all_harnesses[@]}")
for harness in "${harnesses[@]}"; do
    [[ " ${all_harnesses[*]} " == *" $harness "* ]] || { echo "$0: no harness '$harness'" >&2; usage; }
done

for tool in clang clang++; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing (bash scripts/install-deps.sh)" >&2; exit 1; }
done

root=$PWD
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARN_FUZZ=ON \
    -DQUARN_BUILD_BENCH=OFF
targets=()
for harness in "${harnesses[@]}"; do targets+=("fuzz_$harness"); done
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

mkdir -p "$build/logs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
if [ -z "${ASAN_SYMBOLIZER_PATH:-}" ] && command -v llvm-symbolizer >/dev/null; then
    export ASAN_SYMBOLIZER_PATH=$(command -v llvm-symbolizer)
fi

# run HARNESS: one fuzzing run; its exit status is libFuzzer's.
run() {
    local harness=$1
    local corpus=$build/corpus/$harness artifacts=$build/artifacts/$harness
    mkdir -p "$corpus" "$artifacts"
    # The work folder, also the temporary folder, holds what a harness writes (the host's
    # word list, settings files), in memory where possible: saving a settings file syncs it.
    # It goes afterwards, also when a crash left files behind.
    local work
    work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
    local status=0
    (cd "$work" && TMPDIR=$work exec "$root/$build/tests/fuzz/fuzz_$harness" \
        -max_total_time="$seconds" -rss_limit_mb=2048 -max_len="$(max_len_of "$harness")" \
        -timeout=30 -detect_leaks=1 -print_final_stats=1 \
        -artifact_prefix="$root/$artifacts/" \
        "$root/$corpus" "$root/tests/fuzz/corpus/$harness") >"$build/logs/$harness.log" 2>&1 || status=$?
    rm -rf "$work"
    return "$status"
}

# report HARNESS STATUS: one line on how the run went, from its log.
report() {
    local harness=$1 status=$2 log=$build/logs/$1.log
    local stats
    stats=$(grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::average_exec_per_sec)' "$log" \
        | tr -s ' \t' ' ' | paste -sd ' ' -)
    if [ "$status" -eq 0 ]; then
        echo "fuzz $harness: ok - $stats"
    else
        local what
        what=$(grep -m1 -E 'ERROR: (libFuzzer|AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer)|runtime error:|invariant broken|out-of-memory|deadly signal' "$log" || true)
        echo "fuzz $harness: FAILED (exit status $status) ${what:+- $what}"
        echo "    log: $log; reproducers: $build/artifacts/$harness/"
    fi
}

failed=0
if $parallel; then
    declare -A pids
    for harness in "${harnesses[@]}"; do
        run "$harness" &
        pids[$harness]=$!
    done
    for harness in "${harnesses[@]}"; do
        status=0
        wait "${pids[$harness]}" || status=$?
        report "$harness" "$status"
        [ "$status" -eq 0 ] || failed=1
    done
else
    for harness in "${harnesses[@]}"; do
        echo "fuzzing $harness for $seconds s ..."
        status=0
        run "$harness" || status=$?
        report "$harness" "$status"
        [ "$status" -eq 0 ] || failed=1
    done
fi
exit "$failed"
