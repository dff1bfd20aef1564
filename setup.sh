#!/usr/bin/env bash
# Installs what is missing, builds Zandrel, then plays it or runs the tests.
#   ./setup.sh play    build and start the game
#   ./setup.sh test    build and run the whole test suite
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-play}
case "$mode" in play|test) ;; *) echo "usage: $0 play|test" >&2; exit 2 ;; esac

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libsdl2-mixer-dev timgm6mb-soundfont
  fonts-liberation2 fonts-ipafont-gothic
  libgtest-dev libgmock-dev libbenchmark-dev
)
if [ "$mode" = test ]; then
  # The end-to-end tests drive the game in a real X server.
  packages+=(xvfb xauth x11-utils xdotool imagemagick)
  # CI checks the formatting of the sources.
  packages+=(clang-format)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then
    apt_get=(apt-get)
  elif command -v sudo >/dev/null; then
    apt_get=(sudo apt-get)
  else
    echo "Missing packages: ${missing[*]}; run this script as root once to install them." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${apt_get[@]}" update -qq
  "${apt_get[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

if [ "$mode" = play ]; then
  exec ./build/zandrel "${@:2}"
else
  cd build
  ctest --output-on-failure -j "$(nproc)"
fi
