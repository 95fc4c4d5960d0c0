# Shared by the packaging checks: skipping, failing, a private temporary
# folder, and keeping the build tree's install manifest as it was (installing
# and cpack both rewrite it, and the uninstall target trusts it).
skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (tools/dev.sh install adds it)"
  done
}

# Sets $work to a new temporary folder, removed on exit together with any
# manifest the check left behind; a manifest from before is put back.
start_work() {
  local build=$1
  work=$(mktemp -d)
  manifest="$build/install_manifest.txt"
  if [ -e "$manifest" ]; then cp -p "$manifest" "$work/manifest.saved"; fi
  trap 'finish_work' EXIT
  trap 'exit 1' INT TERM
}

finish_work() {
  if [ -e "$work/manifest.saved" ]; then
    cp -p "$work/manifest.saved" "$manifest"
  else
    rm -f "$manifest"
  fi
  rm -rf "$work"
}

# The files a package or install holds, one a line, sorted, under $2/$3.
expected_files() {
  local id=$1 prefix=$2 size
  {
    echo "$prefix/bin/vellumora"
    echo "$prefix/share/applications/$id.desktop"
    echo "$prefix/share/metainfo/$id.metainfo.xml"
    echo "$prefix/share/icons/hicolor/scalable/apps/$id.svg"
    for size in 16 24 32 48 64 128 256; do
      echo "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    done
    echo "$prefix/share/doc/vellumora/copyright"
    echo "$prefix/share/doc/vellumora/changelog.gz"
    echo "$prefix/share/man/man1/vellumora.1.gz"
  } | LC_ALL=C sort
}

# Compares two listings and shows the difference when they disagree.
same_list() {
  local what=$1 expected=$2 actual=$3
  diff -u "$expected" "$actual" >&2 || fail "$what holds other files than expected (- expected, + found)"
}

# Runs the program with no window system at all: --version and --help must
# not need one.
without_display() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"
}
