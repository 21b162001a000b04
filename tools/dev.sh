#!/usr/bin/env bash
# Set-up, build, and then either start the workstation or run every test.
#   tools/dev.sh run    installs what is missing, builds, starts the workstation on ./ward-data
#   tools/dev.sh test   installs what is missing, builds, runs every test
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
what=${1:-}
case "$what" in run|test|build) ;; *) echo "usage: tools/dev.sh run|test|build" >&2; exit 2 ;; esac

packages=(cmake make g++ pkg-config ccache qt6-base-dev libgl-dev libsqlite3-dev
          libgtest-dev libgmock-dev googletest libbenchmark-dev
          fonts-wqy-zenhei fonts-arphic-ukai poppler-utils xvfb xauth
          qt6-translations-l10n)
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
