#!/usr/bin/env bash
# Sets up a Debian 12 machine for Vellumora, builds it, and either starts the
# program, runs the whole test suite headless or makes the Debian package.
#
#   tools/dev.sh run     install what is missing, build, start the program
#   tools/dev.sh test    install what is missing, build, run every test
#   tools/dev.sh package install what is missing, build a Release package
#                        (in build-package), print the .deb's path
#   tools/dev.sh install install what is missing, nothing else
#
# Options through the environment: BUILD_DIR (default build), SANITIZE=1 for
# an AddressSanitizer + UndefinedBehaviorSanitizer build, WITH_LIBREOFFICE=1
# to install LibreOffice for the tests that compare with it.
set -euo pipefail

cd "$(dirname "$0")/.."
mode=${1:-}
case "$mode" in run|test|package|install) ;; *) echo "usage: $0 run|test|package|install" >&2; exit 2 ;; esac

# qt6-svg-dev draws the scalable icon; desktop-file-utils and appstream check
# the launcher and the software-centre entry; dpkg-dev and file let cpack
# work out the package's library dependencies; poppler-utils reads back the
# PDF of the story's book in its test. Nuspell checks spelling with the
# Hunspell dictionaries (hunspell-en-us); Hunspell itself is only built into
# the benchmark that compares the two. qt6-image-formats-plugins lets Qt read
# photos in WebP and TIFF. fonts-linuxlibertine is the book's face: a book
# face whose regular, italic and bold carry accented, Greek and Cyrillic letters.
packages=(cmake ninja-build g++ clang-14 libclang-rt-14-dev qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
          fonts-liberation libgtest-dev libbenchmark-dev desktop-file-utils appstream dpkg-dev file poppler-utils
          libnuspell-dev libhunspell-dev hunspell-en-us qt6-image-formats-plugins fonts-linuxlibertine)
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

options=(-G Ninja)
command -v ccache >/dev/null && options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ "$mode" = package ]; then
  build=${BUILD_DIR:-build-package}
  cmake -S . -B "$build" "${options[@]}" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVELLUMORA_BENCH=OFF >/dev/null
  cmake --build "$build" --parallel "$(nproc)"
  cpack --config "$build/CPackConfig.cmake" -B "$build" >/dev/null
  realpath "$build"/vellumora_*.deb
  exit 0
fi

build=${BUILD_DIR:-build}
options+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
[ "${SANITIZE:-0}" = 1 ] && options+=(-DVELLUMORA_SANITIZE=ON -DVELLUMORA_BENCH=OFF)
cmake -S . -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"

if [ "$mode" = run ]; then
  exec "$build/src/app/vellumora"
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --timeout 600 -j "$(nproc)"
