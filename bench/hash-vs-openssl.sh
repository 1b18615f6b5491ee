#!/usr/bin/env bash
# Times `sumwarden-cli hash` and `openssl md5` on the same page-cached 1 GiB file,
# alternately, and prints the best time of each and their ratio.
# Usage: bench/hash-vs-openssl.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-${SUMWARDEN_BUILD_DIR:-$top/build}}"
rounds="${2:-5}"
cli="$build/bin/sumwarden-cli"
[ -x "$cli" ] || { echo "no $cli: build first" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file="$work/one-gibibyte"
head -c $((1 << 30)) /dev/urandom >"$file"
cat "$file" >/dev/null # into the page cache

# Prints the wall time of a command in nanoseconds.
time_ns() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo $((end - start))
}

ours_digest=$("$cli" hash "$file" | cut -f2)
peer_digest=$(openssl md5 -r "$file" | cut -d' ' -f1)
[ "$ours_digest" = "$peer_digest" ] || { echo "digests differ: $ours_digest $peer_digest" >&2; exit 1; }

best_ours=0
best_peer=0
for round in $(seq "$rounds"); do
    ours=$(time_ns "$cli" hash "$file")
    peer=$(time_ns openssl md5 "$file")
    awk -v r="$round" -v o="$ours" -v p="$peer" \
        'BEGIN { printf "round %d: sumwarden-cli hash %.3f s, openssl md5 %.3f s\n", r, o / 1e9, p / 1e9 }'
    if [ "$best_ours" -eq 0 ] || [ "$ours" -lt "$best_ours" ]; then best_ours=$ours; fi
    if [ "$best_peer" -eq 0 ] || [ "$peer" -lt "$best_peer" ]; then best_peer=$peer; fi
done
awk -v o="$best_ours" -v p="$best_peer" 'BEGIN {
    printf "best: sumwarden-cli hash %.3f s, openssl md5 %.3f s\n", o / 1e9, p / 1e9
    printf "ratio (openssl time / sumwarden-cli time, above 1 means faster): %.3f\n", p / o
}'
