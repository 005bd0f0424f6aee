#!/usr/bin/env bash
# The fuzz targets of fuzz/ (libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer), built with
# clang in build/fuzz. See docs/fuzzing.md.
#   scripts/fuzz.sh                   builds them and runs each a fixed number of times on its seeds
#   scripts/fuzz.sh TARGET SECONDS [OPTION...]
#                                     runs one target for that long (more libFuzzer options may follow:
#                                     -fork=2 for two workers); what it learns stays in
#                                     build/fuzz/corpus/TARGET, what breaks it in build/fuzz/crashes
# Exits non-zero when a target crashes, leaks, hangs (10 s for one input) or breaks a promise it checks.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
targets=(taf web progetto script ini supporto bmp dis poligoni pagina)
runs=${PREGEO_FUZZ_RUNS:-4000}

"$root/scripts/setup.sh" fuzz >/dev/null
bin="$root/build/fuzz/bin"
mkdir -p "$root/build/fuzz/crashes"

# run TARGET CORPUS_DIR [libFuzzer options...]: new inputs go to CORPUS_DIR, the seeds stay as they are.
run() {
    local target=$1 corpus=$2
    shift 2
    local dict=()
    [ -f "$root/fuzz/dict/$target.dict" ] && dict=(-dict="$root/fuzz/dict/$target.dict")
    mkdir -p "$corpus"
    "$bin/fuzz_$target" "${dict[@]}" -timeout=10 -artifact_prefix="$root/build/fuzz/crashes/$target-" \
        -print_final_stats=1 "$@" "$corpus" "$root/fuzz/corpus/$target"
}

if [ $# -eq 0 ]; then
    for target in "${targets[@]}"; do
        log="$root/build/fuzz/smoke-$target.log"
        rm -rf "$root/build/fuzz/smoke/$target"
        if ! run "$target" "$root/build/fuzz/smoke/$target" -runs="$runs" -seed=1 >"$log" 2>&1; then
            tail -n 40 "$log"
            echo "fuzz_$target: FAILED (log: $log)" >&2
            exit 1
        fi
        echo "fuzz_$target: $(grep -o 'number_of_executed_units: [0-9]*' "$log" | cut -d' ' -f2) runs, clean"
    done
elif [ $# -ge 2 ]; then
    run "$1" "$root/build/fuzz/corpus/$1" -max_total_time="$2" "${@:3}"
else
    echo "usage: $0 [TARGET SECONDS]   (targets: ${targets[*]})" >&2
    exit 2
fi
