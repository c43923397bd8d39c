#!/usr/bin/env bash
# Times whole runs of `vste-cli diff` of two million-label tables and `vste-cli update` with
# three of them (made by make_compare_tables), best of three, and reports their peak memory.
# Usage: bench/compare_cli.sh [BUILD_DIR]   (default: build)
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
        "$@" >/dev/null 2>&1 || [ $? -eq 3 ]
        t1=$(date +%s.%N)
        best=$(echo "$t0 $t1 ${best:-999}" | awk '{d=$2-$1; print (d<$3)?d:$3}')
    done
    echo "$best"
}
peak_mib() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1 | awk '{printf "%d", $1/1024}'; }

diff_args=(diff "$work/old.csf" "$work/new.csf" --codepage 1252)
update_args=(update --old-source "$work/old.csf" --new-source "$work/new.csf"
             --translation "$work/tr.csf" "$work/out.csf" --codepage 1252)
echo "tables:           $(stat -c %s "$work/old.csf") bytes each, 1,000,000 labels"
echo "vste-cli diff:    $(seconds "$cli" "${diff_args[@]}") s (target < 1.5 s), peak $(peak_mib "$cli" "${diff_args[@]}") MiB"
echo "vste-cli update:  $(seconds "$cli" "${update_args[@]}") s (target < 2 s), peak $(peak_mib "$cli" "${update_args[@]}") MiB"
"$cli" "${update_args[@]}" | head -c 120; echo " ..."
