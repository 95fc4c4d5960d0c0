#!/usr/bin/env bash
# Installs the build tree into a temporary DESTDIR and checks what lands
# there, that the launcher and the software-centre entry are valid, and that
# the uninstall target takes every file away again.
#
#   check_install.sh <build dir> <application id> <version>
set -euo pipefail
build=$1 id=$2 version=$3
. "$(dirname "$0")/common.sh"
need_tools desktop-file-validate appstreamcli od
start_work "$build"

# A prefix no real install uses, so that the manifest never names real files.
prefix=/opt/vellumora-install-check
stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
  { cat "$work/install.log" >&2; fail "cmake --install failed"; }
root="$stage$prefix"

expected_files "$id" "$prefix" >"$work/expected"
(cd "$stage" && find . -type f -o -type l) | sed 's|^\.||' | LC_ALL=C sort >"$work/found"
same_list "the install" "$work/expected" "$work/found"

# Each PNG is a PNG (its signature) of the size its folder names (the
# IHDR chunk's width and height) with an alpha channel (colour type 6).
for png in "$root"/share/icons/hicolor/*x*/apps/"$id".png; do
  folder=$(basename "$(dirname "$(dirname "$png")")")
  signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
  [ "$signature" = 89504e470d0a1a0a ] || fail "$png is not a PNG"
  read -r w1 w2 w3 w4 h1 h2 h3 h4 depth colour < <(od -An -tu1 -j16 -N10 "$png")
  size="$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))x$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))"
  [ "$size" = "$folder" ] || fail "$png is $size pixels, not $folder"
  [ "$colour" = 6 ] || fail "$png has no alpha channel (colour type $colour, depth $depth)"
done

# The installed program answers without a window system; an unknown option
# is refused once the window system's own options are taken away.
answer=$(without_display "$root/bin/vellumora" --version) || fail "--version failed"
[ "$answer" = "Vellumora $version" ] || fail "--version says '$answer', not 'Vellumora $version'"
help=$(without_display "$root/bin/vellumora" --help) || fail "--help failed"
grep -q -- "--version" <<<"$help" || fail "--help does not list --version: $help"
refusal=0
# Should the option be accepted, the program would run on: timeout ends it.
QT_QPA_PLATFORM=offscreen timeout 30 "$root/bin/vellumora" --no-such-option >/dev/null 2>"$work/refusal" || refusal=$?
[ "$refusal" = 1 ] && grep -q "Unknown option 'no-such-option'" "$work/refusal" ||
  fail "an unknown option gave exit code $refusal and: $(cat "$work/refusal")"

desktop="$root/share/applications/$id.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
# The launcher must start the installed program and show the installed icon.
grep -qx "Exec=vellumora" "$desktop" || fail "the launcher does not start vellumora"
grep -qx "Icon=$id" "$desktop" || fail "the launcher's icon is not $id"
metainfo="$root/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the software-centre entry does not name the launcher $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "no release $version in $metainfo"

DESTDIR="$stage" cmake --build "$build" --target uninstall >"$work/uninstall.log" ||
  { cat "$work/uninstall.log" >&2; fail "the uninstall target failed"; }
left=$(cd "$stage" && find . -type f -o -type l)
[ -z "$left" ] || fail "uninstall left files behind: $left"
echo "install, validation and uninstall: all good"
