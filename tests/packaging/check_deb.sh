#!/usr/bin/env bash
# Builds the Debian package from the build tree into a temporary folder and
# checks its files, its control fields and the program inside it.
#
#   check_deb.sh <build dir> <application id> <version>
set -euo pipefail
build=$1 id=$2 version=$3
. "$(dirname "$0")/common.sh"
need_tools cpack dpkg-deb dpkg-shlibdeps file
start_work "$build"

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "cpack made ${#debs[@]} packages: ${debs[*]}"
deb=${debs[0]}
[ "$(basename "$deb")" = "vellumora_${version}_$(dpkg --print-architecture).deb" ] ||
  fail "the package is called $(basename "$deb")"

expected_files "$id" ./usr >"$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort >"$work/found"
same_list "the package" "$work/expected" "$work/found"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vellumora ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
depends=$(field Depends)
for needed in libqt6widgets6 qt6-qpa-plugins fonts-liberation fonts-linuxlibertine libnuspell5; do
  grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
# Spelling runs without a dictionary but marks nothing, so one is recommended.
grep -q "hunspell-en-us" <<<"$(field Recommends)" || fail "Recommends lacks hunspell-en-us: $(field Recommends)"

dpkg-deb -x "$deb" "$work/root"
file -b "$work/root/usr/bin/vellumora" | grep -q ", stripped" || fail "the program is not stripped"
answer=$(without_display "$work/root/usr/bin/vellumora" --version) || fail "--version failed"
[ "$answer" = "Vellumora $version" ] || fail "the packaged program says '$answer'"
echo "package $(basename "$deb"): all good"
