#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60) over a fresh
# corpus grown from its seeds in fuzz/seeds/<target>; prints how many inputs each ran.
# Exits non-zero when a target finds a crash, a hang or a leak (its input is left in the
# build folder). Without clang it says so and does nothing.
#   [SUMWARDEN_FUZZ_TARGETS="a_fuzz b_fuzz"] scripts/fuzz.sh [SECONDS] [BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds="${1:-60}"
build="${2:-$top/build-fuzz}"
targets=(${SUMWARDEN_FUZZ_TARGETS:-skin_file_fuzz check_file_fuzz layout_fuzz skin_controls_fuzz})

compiler=$(command -v clang++ || true)
if [ -z "$compiler" ]; then
  echo "fuzz: clang++ not found; the fuzz targets were not run"
  exit 0
fi
if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER="$compiler" "${launcher[@]}" -DSUMWARDEN_BUILD_FUZZ=ON \
    -DSUMWARDEN_BUILD_TESTS=OFF -DSUMWARDEN_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target "${targets[@]}" >/dev/null

export QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$top/fuzz/lsan.supp"
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  log="$build/$target.log"
  if ! (cd "$build" && "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "$top/fuzz/seeds/$target" \
        >"$log" 2>&1); then
    echo "fuzz: $target found a problem; see $log"
    tail -n 40 "$log"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "fuzz: $target ran ${runs:-?} inputs in ${seconds} s, no finding"
done
