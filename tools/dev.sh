#!/usr/bin/env bash
# Set-up, build, and then either start the workstation or run every test.
#   tools/dev.sh run       installs what is missing, builds, starts the workstation on ./ward-data
#   tools/dev.sh test      installs what is missing, builds, runs every test
#   tools/dev.sh fuzz [S] [H]  builds the fuzz harnesses with clang (build-fuzz/) and runs each
#                          (or only those named in H, e.g. "ewd csv") for S seconds (default 60),
#                          seeded with the starter templates and seed CSVs
#   tools/dev.sh sanitize  builds everything under AddressSanitizer and UndefinedBehaviorSanitizer
#                          (build-sanitize/) and runs every test
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
what=${1:-}
case "$what" in run|test|build|fuzz|sanitize) ;; *) echo "usage: tools/dev.sh run|test|build|fuzz [seconds] [harnesses]|sanitize" >&2; exit 2 ;; esac

packages=(cmake make g++ pkg-config ccache qt6-base-dev libgl-dev libsqlite3-dev
          libgtest-dev libgmock-dev googletest libbenchmark-dev
          fonts-wqy-zenhei fonts-arphic-ukai poppler-utils xvfb xauth
          qt6-translations-l10n clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  # env, not a plain assignment: sudo would drop the variable.
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build="$root/build"
# Paths relative to the checkout, so that another clone of the repository (CI) finds the
# compiler cache of this one.
export CCACHE_BASEDIR="$root"

if [ "$what" = fuzz ]; then
  seconds=${2:-60}
  fuzzbuild="$root/build-fuzz"
  cmake -S "$root" -B "$fuzzbuild" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DQH_FUZZ=ON -DQH_BUILD_TESTS=OFF -DQH_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build "$fuzzbuild" -j"$(nproc)" --target fuzz_ewd fuzz_dialect fuzz_csv ewd_payload
  corpus="$fuzzbuild/corpus"
  mkdir -p "$corpus/ewd" "$corpus/dialect" "$corpus/csv" "$fuzzbuild/findings"
  # The starter templates as whole files and as their JSON payloads (see fuzz/fuzz_ewd.cpp).
  mapfile -t templates < <(find "$root/data/seed/dzbl/templates" -name '*.ewd')
  if [ ${#templates[@]} -gt 0 ]; then
    cp -n "${templates[@]}" "$corpus/ewd/" 2>/dev/null || true
    "$fuzzbuild/bin/ewd_payload" "$corpus/ewd" "${templates[@]}"
  fi
  cp -n "$root"/fuzz/seeds/dialect/* "$corpus/dialect/" 2>/dev/null || true
  for f in "$root"/fuzz/seeds/csv/* "$root"/data/seed/*/*.tsv; do cp -n "$f" "$corpus/csv/" 2>/dev/null || true; done
  export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
  for h in ${3:-ewd dialect csv}; do
    echo "fuzz_$h: $seconds s"
    # A crash, a leak of time (-timeout) or of memory (-rss_limit_mb) stops the run and leaves
    # the input in build-fuzz/findings for a regression test.
    "$fuzzbuild/bin/fuzz_$h" "$corpus/$h" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
        -max_len=262144 -artifact_prefix="$fuzzbuild/findings/$h-" -print_final_stats=1 2>&1 | tail -n 12
  done
  exit 0
fi
if [ "$what" = sanitize ]; then
  sanbuild="$root/build-sanitize"
  cmake -S "$root" -B "$sanbuild" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQH_SANITIZE=ON -DQH_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build "$sanbuild" -j"$(nproc)"
  cd "$sanbuild"
  ASAN_OPTIONS=detect_leaks=0 QH_CRASH_RUNS=20 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
  exit 0
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ "$what" = run ]; then
  # Starting the workstation needs only the two programs, not the tests.
  cmake --build "$build" -j"$(nproc)" --target qinghe-emr qinghe-emr-admin
else
  cmake --build "$build" -j"$(nproc)"
fi

case "$what" in
  run)
    # The ward's data lives in ./ward-data, which no build touches; the first start
    # creates it, later starts and rebuilds never overwrite it.
    mkdir -p "$root/ward-data"
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "no display: start this from a desktop session (or set DISPLAY)" >&2
    fi
    exec "$build/bin/qinghe-emr" --data "$root/ward-data"
    ;;
  test)
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
    ;;
esac
