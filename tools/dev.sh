#!/usr/bin/env bash
# Sets up a Debian 12 machine for Vellumora, builds it, and either starts the
# program or runs the whole test suite headless.
#
#   tools/dev.sh run     install what is missing, build, start the program
#   tools/dev.sh test    install what is missing, build, run every test
#   tools/dev.sh install install what is missing, nothing else
#
# Options through the environment: BUILD_DIR (default build), SANITIZE=1 for
# an AddressSanitizer + UndefinedBehaviorSanitizer build, WITH_LIBREOFFICE=1
# to install LibreOffice for the tests that compare with it.
set -euo pipefail

cd "$(dirname "$0")/.."
mode=${1:-}
case "$mode" in run|test|install) ;; *) echo "usage: $0 run|test|install" >&2; exit 2 ;; esac

packages=(cmake ninja-build g++ clang-14 libclang-rt-14-dev qt6-base-dev qt6-base-dev-tools libgl-dev fonts-liberation
          libgtest-dev libbenchmark-dev)
[ "${WITH_LIBREOFFICE:-0}" = 1 ] && packages+=(libreoffice-writer-nogui)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" = 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
[ "$mode" = install ] && exit 0

build=${BUILD_DIR:-build}
options=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
[ "${SANITIZE:-0}" = 1 ] && options+=(-DVELLUMORA_SANITIZE=ON -DVELLUMORA_BENCH=OFF)
command -v ccache >/dev/null && options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"

if [ "$mode" = run ]; then
  exec "$build/src/app/vellumora"
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --timeout 600 -j "$(nproc)"
