#!/usr/bin/env bash
# Peak memory of hash, make and verify on a small and a large input of each kind; the
# ratios stay near 1 when memory does not grow with file size, walk length or entry count.
# Usage: bench/peak-memory.sh [BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-${SUMWARDEN_BUILD_DIR:-$top/build}}"
cli="$build/bin/sumwarden-cli"
peak="$build/bin/sumwarden-peak-memory"
[ -x "$cli" ] && [ -x "$peak" ] || { echo "build first" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints "<label>: <small> KiB, <large> KiB, ratio <large/small>".
compare() {
    awk -v l="$1" -v s="$2" -v g="$3" \
        'BEGIN { printf "%-32s %7d KiB %7d KiB  ratio %.2f\n", l, s, g, g / s }'
}

head -c $((1 << 20)) /dev/zero >"$work/small"
truncate -s 2G "$work/large"
compare "hash: 1 MiB / 2 GiB file" \
    "$("$peak" "$cli" hash "$work/small")" "$("$peak" "$cli" hash "$work/large")"

make_tree() { # folder, number of files (in sub folders of 100)
    mkdir -p "$1"
    for ((i = 0; i < $2; i++)); do
        [ $((i % 100)) -eq 0 ] && mkdir -p "$1/d$((i / 100))"
        : >"$1/d$((i / 100))/file-$i"
    done
}
make_tree "$work/few" 100
make_tree "$work/many" 20000
compare "make: 100 / 20000 files" \
    "$("$peak" "$cli" make "$work/few")" "$("$peak" "$cli" make "$work/many")"
compare "verify: 100 / 20000 entries" \
    "$("$peak" "$cli" verify "$work/few/CheckSum.md5")" \
    "$("$peak" "$cli" verify "$work/many/CheckSum.md5")"
