#!/usr/bin/env bash
# Times sumwarden-cli against other MD5 tools on the same page-cached files, alternating
# them in each round, and prints each one's median wall time and processor time (user and
# system), its peak memory, and the ratio peer time / Sumwarden time (above 1: Sumwarden
# is faster). The processor time shows the work done, which other load on the machine
# hardly changes; the wall time shows what the user waits. The spread is the range of the
# wall times (slowest minus fastest) against their median.
# Usage: bench/compare-peers.sh [--cold] [BUILD_DIR] [ROUNDS] [WORKLOAD...]
# Workloads: one-large eight-half-gib many-64mib sixteen-64mib small-files million-entries
# (default: all but sixteen-64mib).
# --cold drops the files from the page cache before every run of every tool (sync, then
# the kernel is told no page of them is needed; no special rights), so each run reads the
# disk; the peers are then also plain `cat` and 8 `cat` in parallel, what reading the files
# costs without hashing. Default then: small-files sixteen-64mib one-large, 5 rounds.
# Installs the peers it needs (hashdeep, rhash) with apt-get. SUMWARDEN_BENCH_DATA names a
# folder that keeps the generated files between runs (default: a temporary one).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cold=false
if [ "${1:-}" = --cold ]; then
    cold=true
    shift
fi
build="${1:-${SUMWARDEN_BUILD_DIR:-$top/build}}"
rounds="${2:-$($cold && echo 5 || echo 3)}"
shift $(($# < 2 ? $# : 2))
workloads=("$@")
if [ ${#workloads[@]} -eq 0 ]; then
    if $cold; then
        workloads=(small-files sixteen-64mib one-large)
    else
        workloads=(one-large eight-half-gib many-64mib small-files million-entries)
    fi
fi
build=$(cd "$build" && pwd)
cli="$build/bin/sumwarden-cli"
peak="$build/bin/sumwarden-peak-memory"
md5bench="$build/bin/sumwarden-md5-bench"
evict="$build/bin/sumwarden-evict"
for tool in "$cli" "$peak" "$md5bench" "$evict"; do
    [ -x "$tool" ] || { echo "no $tool: build first" >&2; exit 2; }
done

missing=()
command -v hashdeep >/dev/null || missing+=(hashdeep)
command -v rhash >/dev/null || missing+=(rhash)
command -v openssl >/dev/null || missing+=(openssl)
if [ ${#missing[@]} -gt 0 ]; then
    sudo=$([ "$(id -u)" -eq 0 ] || echo sudo)
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cores=$(nproc)
if [ -n "${SUMWARDEN_BENCH_DATA:-}" ]; then
    data="$SUMWARDEN_BENCH_DATA"
    mkdir -p "$data"
else
    data=$(mktemp -d)
    trap 'rm -rf "$data"' EXIT
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"; [ -n "${SUMWARDEN_BENCH_DATA:-}" ] || rm -rf "$data"' EXIT

echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $cores cores"
if $cold; then
    device=$(findmnt -no SOURCE -T "$data" || echo unknown)
    rotational=$(cat "/sys/block/$(basename "$device")/queue/rotational" 2>/dev/null || echo "?")
    echo "data on: $device (rotational: $rotational)"
    cache="files dropped from the page cache before every run"
else
    cache="warm page cache"
fi
echo "MD5 path: $("$md5bench" --path); rounds: $rounds; times are medians, $cache"
printf '%-28s %-24s %8s %7s %7s %8s %7s %9s\n' workload tool "wall s" ratio spread "cpu s" ratio "peak KiB"

# Files of random bytes, made once: COUNT SIZE FOLDER.
make_files() {
    local count=$1 size=$2 folder=$3
    [ -f "$folder/done" ] && return
    mkdir -p "$folder"
    for ((i = 0; i < count; i++)); do
        head -c "$size" /dev/urandom >"$folder/file-$i"
    done
    touch "$folder/done"
}

# 20,000 files of 1 to 16 KiB in 200 folders.
make_small_files() {
    local folder=$1
    [ -f "$folder.done" ] && return
    rm -rf "$folder"
    mkdir -p "$folder"
    python3 - "$folder" <<'EOF'
import os, random, sys
random.seed(1321)
top = sys.argv[1]
for d in range(200):
    os.mkdir(os.path.join(top, "d%03d" % d))
    for f in range(100):
        with open(os.path.join(top, "d%03d" % d, "f%03d" % f), "wb") as out:
            out.write(os.urandom(random.randint(1024, 16384)))
EOF
    touch "$folder.done"
}

median_of() {
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# (max - min) / median of the numbers.
spread_of() {
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (v[NR] - v[1]) / v[int((NR + 1) / 2)] }'
}

# Runs each labelled command ROUNDS times, alternating, then prints one row per command.
# Arguments: WORKLOAD, FOLDER (dropped from the page cache before each run when --cold),
# then LABEL COMMAND pairs (COMMAND is a shell line run in $scratch); the first pair is
# Sumwarden, whose median the ratios divide.
compare() {
    local workload=$1 folder=$2
    shift 2
    local labels=() commands=()
    while [ $# -gt 0 ]; do
        labels+=("$1")
        commands+=("$2")
        shift 2
    done
    local -A times=() cpus=() memory=()
    for ((round = 0; round < rounds; round++)); do
        for i in "${!commands[@]}"; do
            local start end kib cpu
            ! $cold || "$evict" "$folder"
            start=$(date +%s%N)
            read -r kib cpu < <(cd "$scratch" && "$peak" --cpu bash -c "${commands[$i]}")
            end=$(date +%s%N)
            times[$i]+="$((end - start)) "
            cpus[$i]+="$cpu "
            memory[$i]=$(((${memory[$i]:-0} > kib) ? ${memory[$i]:-0} : kib))
        done
    done
    local ours="" oursCpu=""
    for i in "${!commands[@]}"; do
        local median medianCpu spread
        median=$(median_of ${times[$i]})
        spread=$(spread_of ${times[$i]})
        medianCpu=$(median_of ${cpus[$i]})
        [ -n "$ours" ] || { ours=$median; oursCpu=$medianCpu; }
        awk -v w="$workload" -v l="${labels[$i]}" -v t="$median" -v c="$medianCpu" \
            -v m="${memory[$i]}" -v o="$ours" -v oc="$oursCpu" -v s="$spread" \
            'BEGIN { printf "%-28s %-24s %8.3f %7.2f %6.0f%% %8.3f %7.2f %9d\n", w, l, t / 1e9, t / o, s * 100, c, c / oc, m }'
        workload=""
    done
}

run_hash_workload() { # WORKLOAD COUNT SIZE
    local workload=$1 folder="$data/$1"
    make_files "$2" "$3" "$folder"
    find "$folder" -name 'file-*' | sort -V >"$scratch/list"
    cat "$folder"/file-* >/dev/null
    [ "$(xargs -d '\n' "$cli" hash <"$scratch/list" | cut -f2 | md5sum)" = \
      "$(xargs -d '\n' md5sum <"$scratch/list" | cut -d' ' -f1 | md5sum)" ] ||
        { echo "$workload: digests differ from md5sum" >&2; exit 1; }
    local last
    if $cold; then
        last=("cat" "xargs -d '\n' cat <'$scratch/list'"
              "8 x cat" "xargs -d '\n' -P8 -n $((($2 + 7) / 8)) cat <'$scratch/list'")
    else
        last=("openssl md5" "xargs -d '\n' openssl md5 <'$scratch/list'")
    fi
    compare "$workload" "$folder" "sumwarden-cli hash" "xargs -d '\n' '$cli' hash <'$scratch/list'" \
        "md5sum" "xargs -d '\n' md5sum <'$scratch/list'" \
        "xargs -P$cores md5sum" "xargs -d '\n' -P$cores -n $((($2 + cores - 1) / cores)) md5sum <'$scratch/list'" \
        "hashdeep -c md5" "xargs -d '\n' hashdeep -c md5 <'$scratch/list'" \
        "rhash --md5" "xargs -d '\n' rhash --md5 <'$scratch/list'" \
        "${last[@]}"
}

run_small_files() {
    local folder="$data/small"
    make_small_files "$folder"
    rm -f "$folder/CheckSum.md5"
    (cd "$folder" && find . -type f | sort >"$scratch/list")
    (cd "$folder" && xargs -d '\n' md5sum <"$scratch/list" >"$scratch/sums.md5")
    split -n "l/$cores" "$scratch/sums.md5" "$scratch/sums-part-"
    find "$folder" -type f -exec cat {} + >/dev/null
    local reads=()
    if $cold; then
        reads=("cat" "cd '$folder' && find . -type f -print0 | xargs -0 cat"
               "8 x cat" "cd '$folder' && find . -type f -print0 | xargs -0 -P8 -n 500 cat")
    fi
    local openssl=()
    $cold || openssl=("openssl md5" "cd '$folder' && find . -type f -print0 | xargs -0 openssl md5 >'$scratch/out'")
    compare "small-files make" "$folder" "sumwarden-cli make" "'$cli' make '$folder'" \
        "md5sum" "cd '$folder' && find . -type f -print0 | xargs -0 md5sum >'$scratch/out'" \
        "xargs -P$cores md5sum" "cd '$folder' && find . -type f -print0 | xargs -0 -P$cores -n 500 md5sum >'$scratch/out'" \
        "hashdeep -c md5 -r" "hashdeep -c md5 -r '$folder' >'$scratch/out'" \
        "rhash --md5 -r" "rhash --md5 -r '$folder' >'$scratch/out'" \
        "${openssl[@]}" "${reads[@]}"
    "$cli" make "$folder" >/dev/null
    hashdeep -c md5 -r "$folder" >"$scratch/known.hashdeep"
    compare "small-files verify" "$folder" "sumwarden-cli verify" "'$cli' verify '$folder/CheckSum.md5'" \
        "md5sum -c" "cd '$folder' && md5sum -c --quiet '$scratch/sums.md5'" \
        "$cores x md5sum -c" "cd '$folder' && for p in '$scratch'/sums-part-*; do md5sum -c --quiet \"\$p\" & done; wait" \
        "hashdeep -a" "hashdeep -c md5 -a -k '$scratch/known.hashdeep' -r '$folder' >'$scratch/out'" \
        "rhash -c" "cd '$folder' && rhash -c --skip-ok '$scratch/sums.md5' >'$scratch/out'" \
        "${reads[@]}"
}

run_million_entries() {
    local folder="$data/million"
    mkdir -p "$folder"
    if [ ! -f "$folder/CheckSum.md5" ]; then
        awk 'BEGIN { printf ";header\r\n\r\n"; for (i = 0; i < 1000000; i++) printf "d41d8cd98f00b204e9800998ecf8427e\tgone\\file-%d\r\n", i }' \
            >"$folder/CheckSum.md5"
        awk 'BEGIN { for (i = 0; i < 1000000; i++) printf "d41d8cd98f00b204e9800998ecf8427e  gone/file-%d\n", i }' \
            >"$folder/sums.md5"
    fi
    compare "1,000,000 missing entries" "$folder" "sumwarden-cli verify" "'$cli' verify '$folder/CheckSum.md5' >/dev/null" \
        "md5sum -c" "cd '$folder' && md5sum -c sums.md5 >/dev/null 2>&1 || true" \
        "rhash -c" "cd '$folder' && rhash -c sums.md5 >/dev/null 2>&1 || true"
}

for workload in "${workloads[@]}"; do
    case "$workload" in
    one-large) run_hash_workload one-large 1 $((1 << 30)) ;;
    eight-half-gib) run_hash_workload eight-half-gib 8 $((512 << 20)) ;;
    many-64mib) run_hash_workload many-64mib 64 $((64 << 20)) ;;
    sixteen-64mib) run_hash_workload sixteen-64mib 16 $((64 << 20)) ;;
    small-files) run_small_files ;;
    million-entries) run_million_entries ;;
    *) echo "unknown workload $workload" >&2; exit 2 ;;
    esac
done
