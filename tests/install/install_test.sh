#!/usr/bin/env bash
# Installs the built program into a temporary prefix, checks what was
# installed (the desktop validators included), starts the installed program
# from a folder outside the build under a virtual X server, ends it with
# Alt+X, and removes the installation again.
#
# Usage: install_test.sh <build folder> <source folder>
#        install_test.sh --under-x <program> <program folder>   (internal)
set -euo pipefail
self=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Waits for a top-level window with this exact title; prints its id.
window_named() {
  timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}

# Presses keys in the window with this title.
keys_to() {
  local window
  window=$(window_named "$1") || fail "no window '$1' appeared"
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers "${@:2}"
}

if [ "$1" = --under-x ]; then
  program=$2
  folder=$3
  # The installed program starts with its data and ends with Exit (Alt+X).
  "$program" 2>/dev/null &
  keys_to "KELBINE IDENTIFICATION" alt+x
  status=0
  wait $! || status=$?
  [ "$status" -eq 0 ] || fail "the installed program ended with status $status"

  # Without its species file it says so and ends with status 1.
  mv "$folder/qid.dta" "$folder/qid.dta.away"
  "$program" 2>/dev/null &
  keys_to "DATA FILE ERROR" Return
  status=0
  wait $! || status=$?
  mv "$folder/qid.dta.away" "$folder/qid.dta"
  [ "$status" -eq 1 ] || fail "without qid.dta the program ended with status $status, not 1"
  exit 0
fi

build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
work=$(mktemp -d)
# Installing rewrites the build's install manifest: keep the user's own.
manifest=$build/install_manifest.txt
[ -f "$manifest" ] && cp "$manifest" "$work/manifest"
cleanup() {
  if [ -f "$work/manifest" ]; then cp "$work/manifest" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$work"
}
trap cleanup EXIT

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

desktop=$(echo "$prefix"/share/applications/*.desktop)
[ -f "$desktop" ] || fail "no single desktop entry in share/applications"
id=$(basename "$desktop" .desktop)
[ -x "$prefix/bin/quenla-id" ] || fail "no executable bin/quenla-id"
diff -r "$source/data" "$prefix/share/quenla-id" || fail "share/quenla-id differs from the program folder"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry names another icon"
for size in 16 32 48 64 128 256; do
  [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" ] || fail "no ${size}x$size icon"
done

# The validators say nothing at all, not even hints.
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
metainfo=$prefix/share/metainfo/$id.metainfo.xml
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli: $report"
if grep -q '^[EWI]:' <<<"$report"; then fail "appstreamcli: $report"; fi

# Started from a folder that is not the build's, with nothing beside it.
mkdir "$work/elsewhere"
cd "$work/elsewhere"
xvfb-run -a -s "-screen 0 1280x1024x24" "$self" --under-x "$prefix/bin/quenla-id" "$prefix/share/quenla-id"

cmake -DPREFIX="$prefix" -P "$build/uninstall.cmake" >/dev/null
left=$(find "$prefix" -type f)
[ -z "$left" ] || fail "uninstalling left: $left"
echo "installed, validated, started, ended and uninstalled"
