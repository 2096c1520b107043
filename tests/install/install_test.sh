#!/usr/bin/env bash
# Installing into a temporary prefix: the files, the desktop validators, both programs run from elsewhere, uninstalling.
# Usage: install_test.sh <build folder> <source folder>. The program runs under a virtual X server and is ended with Alt+X.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }

if [ "$1" = --under-x ]; then
  unset QT_QPA_PLATFORM  # this X server, whatever the tests chose
  "$2" >/dev/null 2>&1 &
  trap 'kill $! 2>/dev/null || true' EXIT  # never left running
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^KELBINE IDENTIFICATION$' | head -n 1) ||
    fail "the installed program showed no main window"
  xdotool windowfocus --sync "$window" key --clearmodifiers alt+x
  wait $! || fail "the installed program ended with status $?"
  exit 0
fi

build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
self=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
work=$(mktemp -d)
# Installing rewrites the build's install manifest: keep the user's own.
manifest=$build/install_manifest.txt
[ -f "$manifest" ] && cp "$manifest" "$work/manifest"
trap '[ -f "$work/manifest" ] && cp "$work/manifest" "$manifest" || rm -f "$manifest"; rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

desktop=$(echo "$prefix"/share/applications/*.desktop)
id=$(basename "$desktop" .desktop)
[ -x "$prefix/bin/quenla-id" ] || fail "no bin/quenla-id"
diff -r "$source/data" "$prefix/share/quenla-id" || fail "share/quenla-id is not the program folder"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry names another icon"
for size in 16 32 48 64 128 256; do
  [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" ] || fail "no ${size}x$size icon"
done
# The validators pass without a word, hints included.
report=$(desktop-file-validate "$desktop" 2>&1 && appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" 2>&1) ||
  fail "$report"
if grep -q '^[EWI]:\|hint' <<<"$report"; then fail "$report"; fi

mkdir "$work/elsewhere" && cd "$work/elsewhere"
# The batch tool finds the installed species file as the program does. Its output is taken whole:
# a reader that stops at the first match would end the tool with a broken pipe.
results=$("$prefix/bin/quenla-id-batch" "$prefix/share/quenla-id/examples.csv" 2>/dev/null) ||
  fail "the installed batch tool failed on the examples"
grep -q '^  FRUIT, LEAF and BUD    1  frutescens$' <<<"$results" ||
  fail "the installed batch tool did not identify the examples"
xvfb-run -a -s "-screen 0 1280x1024x24" "$self" --under-x "$prefix/bin/quenla-id"

cmake -DPREFIX="$prefix" -P "$build/uninstall.cmake" >/dev/null
left=$(find "$prefix" -type f)
[ -z "$left" ] || fail "uninstalling left $left"
