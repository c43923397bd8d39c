#!/usr/bin/env bash
# Times `vste-cli convert` of the million-label CSF against `dd bs=4M` copies of the same file,
# with and without fsync, in the same run, and reports the peak memory of the conversion.
# Usage: bench/convert_vs_dd.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cmake --build "$build" --target make_big_csf vste-cli >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench/make_big_csf" "$work/big.csf"
size=$(stat -c %s "$work/big.csf")
cat "$work/big.csf" >/dev/null # warm the page cache for both

seconds() { # command... -> elapsed seconds of the best of three runs
    local best=""
    for _ in 1 2 3; do
        rm -f "$work/out.csf"
        local t0 t1
        t0=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        t1=$(date +%s.%N)
        best=$(echo "$t0 $t1 ${best:-999}" | awk '{d=$2-$1; print (d<$3)?d:$3}')
    done
    echo "$best"
}

dd_s=$(seconds dd if="$work/big.csf" of="$work/out.csf" bs=4M conv=fsync)
plain_s=$(seconds dd if="$work/big.csf" of="$work/out.csf" bs=4M)
cli_s=$(seconds "$build/src/cli/vste-cli" convert "$work/big.csf" "$work/out.csf")
rm -f "$work/out.csf"
peak_kib=$(/usr/bin/time -f %M "$build/src/cli/vste-cli" convert "$work/big.csf" "$work/out.csf" 2>&1 >/dev/null | tail -1)
cmp -s "$work/big.csf" "$work/out.csf" && same="identical" || same="DIFFERENT"

echo "file:            $size bytes"
echo "dd bs=4M:        ${dd_s} s (with fsync, as the editor's save does)"
echo "dd bs=4M plain:  ${plain_s} s (no fsync)"
ratio() { echo "$1 $2" | awk '{printf "%.2f", $1/$2}'; }
echo "vste-cli convert: ${cli_s} s ($(ratio "$cli_s" "$dd_s") x dd with fsync, target <= 3 x;" \
    "$(ratio "$cli_s" "$plain_s") x plain dd, target <= 6 x)"
echo "peak memory:     $((peak_kib / 1024)) MiB ($(echo "$peak_kib $size" | awk '{printf "%.2f", $1*1024/$2}') x file; target <= 2.5 x)"
echo "output:          $same to the input"
