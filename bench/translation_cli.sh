#!/usr/bin/env bash
# Times whole runs of vste-cli status (a million-label source against three million-label
# tables), tm build from a million-label pair, tm suggest against the memory that builds (whose
# time is mostly loading; translation_bench times the query alone), and check --spelling en_US
# of the million-label table. Best of three runs each, with peak memory.
# Usage: bench/translation_cli.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cmake --build "$build" --target make_compare_tables vste-cli >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench/make_compare_tables" "$work"
cat "$work"/*.csf >/dev/null # warm the page cache
cli="$build/src/cli/vste-cli"

seconds() { # command... -> elapsed seconds of the best of three runs
    local best=""
    for _ in 1 2 3; do
        local t0 t1
        t0=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        t1=$(date +%s.%N)
        best=$(echo "$t0 $t1 ${best:-999}" | awk '{d=$2-$1; print (d<$3)?d:$3}')
    done
    echo "$best"
}
peak_mib() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1 | awk '{printf "%d", $1/1024}'; }

status_args=(status "$work/old.csf" "$work/new.csf" "$work/tr.csf" "$work/old.csf" --codepage 1252)
build_args=(tm build "$work/m.tmx" "$work/old.csf" "$work/tr.csf" --target-language de --codepage 1252)
suggest_args=(tm suggest "$work/m.tmx" "the commander is under attack and our harvester is ready")
spelling_args=(check "$work/old.csf" --spelling en_US --rules spelling --codepage 1252)
echo "status, 1 + 3 tables:   $(seconds "$cli" "${status_args[@]}") s (target <= 3 s), peak $(peak_mib "$cli" "${status_args[@]}") MiB"
echo "tm build, one pair:     $(seconds "$cli" "${build_args[@]}") s (target <= 3 s), peak $(peak_mib "$cli" "${build_args[@]}") MiB"
echo "                        $("$cli" "${build_args[@]}")"
echo "tm suggest incl. load:  $(seconds "$cli" "${suggest_args[@]}") s, peak $(peak_mib "$cli" "${suggest_args[@]}") MiB"
echo "check --spelling en_US: $(seconds "$cli" "${spelling_args[@]}") s (target <= 5 s)"
