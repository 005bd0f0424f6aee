#!/usr/bin/env bash
# A long run of the fuzz targets, one after the other under nice, each for the same time; see
# docs/fuzzing.md.
#   scripts/fuzz-lungo.sh SECONDS [TARGET...]    every target, or the ones named
# Prints a line per target: executions, seconds taken, executions per second of the whole run (set-up
# included), and clean or what broke it. PREGEO_FUZZ_JOBS=N runs N workers (default: one per processor);
# PREGEO_FUZZ_ESECUZIONI=N ends a target at N executions if its time has not run out first. What a target
# learns stays in build/fuzz/corpus/TARGET, its log is build/fuzz/lungo-TARGET.log, and an input that
# broke it is in build/fuzz/crashes/TARGET-*. Exits non-zero when any target found something.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The targets are fuzz.sh's own.
read -r -a all <<<"$(sed -n 's/^targets=(\(.*\))$/\1/p' "$root/scripts/fuzz.sh")"
# PREGEO_FUZZ_JOBS=N runs N workers (libFuzzer's fork mode), one per processor unless told; executions
# are counted over them all.
jobs=${PREGEO_FUZZ_JOBS:-$(nproc)}
# PREGEO_FUZZ_ESECUZIONI=N ends a target once it has run N inputs (a worker's last batch may go past),
# or at its time, whichever comes first.
esecuzioni=${PREGEO_FUZZ_ESECUZIONI:-}
if [ -n "$esecuzioni" ] && ! [[ $esecuzioni =~ ^[1-9][0-9]*$ ]]; then
    echo "$0: PREGEO_FUZZ_ESECUZIONI must be a positive number, not '$esecuzioni'" >&2
    exit 2
fi
# Allocation stacks are not recorded: recording them was a tenth of every run. A report still shows
# where the fault happened; replaying the input it left shows where the memory came from.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}

if [ $# -lt 1 ] || ! [[ $1 =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 SECONDS [TARGET...]   (targets: ${all[*]})" >&2
    exit 2
fi
seconds=$1
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")
for target in "${targets[@]}"; do
    if [[ ! " ${all[*]} " =~ " $target " ]]; then
        echo "$0: unknown target $target (targets: ${all[*]})" >&2
        exit 2
    fi
done

"$root/scripts/setup.sh" fuzz >/dev/null
found=0
for target in "${targets[@]}"; do
    log="$root/build/fuzz/lungo-$target.log"
    status=clean
    opzioni=()
    [ "$jobs" -gt 1 ] && opzioni=(-fork="$jobs")
    [ -n "$esecuzioni" ] && opzioni+=(-runs="$esecuzioni")
    start=$(date +%s)
    if ! nice -n 19 "$root/scripts/fuzz.sh" "$target" "$seconds" "${opzioni[@]}" >"$log" 2>&1; then
        found=1
        status="FOUND SOMETHING: $(grep -m1 -E '^fuzz: |^==[0-9]+==ERROR|^SUMMARY' "$log" || echo "exit code")"
        artifact=$(grep -o 'Test unit written to .*' "$log" | cut -d' ' -f5- || true)
        [ -n "$artifact" ] && status="$status; input: $artifact"
    fi
    # One worker ends with its stat:: lines; workers in fork mode report "#RUNS: cov: ..." lines as they
    # go, which may follow a worker's NEW_FUNC text on the same line.
    runs=$(awk '{ while (match($0, /#[0-9]+: cov:/)) { n = substr($0, RSTART + 1, RLENGTH - 7); $0 = substr($0, RSTART + RLENGTH) } }
        /^stat::number_of_executed_units:/ { n = $2 } END { print n }' "$log")
    elapsed=$(($(date +%s) - start))
    rate=$([ -n "$runs" ] && [ "$elapsed" -gt 0 ] && echo $((runs / elapsed)) || true)
    printf '%-14s %12s executions in %5s s %8s per second  %s\n' "fuzz_$target" "${runs:-?}" "$elapsed" \
        "${rate:-?}" "$status"
done
exit $found
