#!/bin/sh
# `make fuzz`: builds the harnesses with clang and libFuzzer (AddressSanitizer and
# UndefinedBehaviorSanitizer, halting on the first error) and runs each for FUZZ_SECONDS.
# The corpus grows in BUILD/corpus/NAME across runs; a crash input is written to BUILD/crashes/NAME/
# and the script fails. Keep each crash input under fuzz/regressions/NAME/ once fixed.
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-60}
build=${FUZZ_BUILD_DIR:-$src/build-fuzz}
devbin=${DEV_BIN_DIR:-$src/build/bin}
targets=${FUZZ_TARGETS:-settings wmf database-builder catalogue-database measurement-file csv-reader access-reader workbook}
jobs=${JOBS:-2}
# Seconds one input may take before it counts as a hang: generous, since a loaded machine slows the
# sanitized harnesses many times over and a slow unit is not a finding.
unit_timeout=${FUZZ_TIMEOUT:-120}

if [ ! -f "$build/CMakeCache.txt" ]; then
    mkdir -p "$build"
    CC=clang CXX=clang++ cmake -S "$src" -B "$build" -DAIRMOTOR_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
        >"$build/configure.log" 2>&1 || { cat "$build/configure.log" >&2; exit 1; }
fi
for t in $targets; do set -- "$@" --target "fuzz-$t"; done
cmake --build "$build" -j "$jobs" "$@"

status=0
for t in $targets; do
    corpus=$build/corpus/$t
    crashes=$build/crashes/$t
    mkdir -p "$corpus" "$crashes"
    seeds="$src/fuzz/seeds/$t"
    [ -d "$src/fuzz/regressions/$t" ] && seeds="$seeds $src/fuzz/regressions/$t"
    # Seeds from the built program folder: every bundled drawing and the bundled catalogue.
    case $t in
    wmf) [ -d "$devbin" ] && cp "$devbin"/*.WMF "$corpus"/ 2>/dev/null || true ;;
    catalogue-database) [ -f "$devbin/Zevodida.db" ] && cp "$devbin/Zevodida.db" "$corpus/bundled.db" || true ;;
    esac
    # libmdb loops for ever on some damaged files (the program stops it with a time limit): here
    # such an input is kept as timeout-* and counted, and the run goes on; a crash still fails.
    extra=
    [ "$t" = access-reader ] && extra="-timeout=1 -fork=1 -ignore_timeouts=1 -ignore_ooms=0 -ignore_crashes=0"
    log=$build/fuzz-$t.log
    # shellcheck disable=SC2086
    if ASAN_OPTIONS=halt_on_error=1:detect_leaks=0 QT_QPA_PLATFORM=offscreen "$build/fuzz/fuzz-$t" \
        -max_total_time="$seconds" -timeout="$unit_timeout" -rss_limit_mb=4096 -print_final_stats=1 $extra \
        -artifact_prefix="$crashes/" "$corpus" $seeds >"$log" 2>&1; then
        result=ok
    elif [ -n "$extra" ] && ! ls "$crashes" | grep -qv '^timeout-'; then
        result="ok, $(ls "$crashes" | grep -c '^timeout-') inputs kept as hangs in $crashes"
    else
        result="FAILED (see $log and $crashes)"
        status=1
    fi
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' ||
        grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 || true)
    echo "fuzz-$t: $runs executions in ${seconds}s, $cov, corpus $(ls "$corpus" | wc -l) inputs: $result"
done
exit $status
