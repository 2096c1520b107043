#!/usr/bin/env bash
# Redraws every picture in data/graphics: builds the small Qt drawing
# program, runs it into a scratch folder, then turns its PNG output into the
# GIF and ICO files the program loads (Qt cannot write GIF).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
dest=$(cd "$here/../../data/graphics" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! command -v convert >/dev/null 2>&1; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get install -y -qq imagemagick
fi

cmake -S "$here" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" -j2 >/dev/null
QT_QPA_PLATFORM=offscreen "$work/build/draw_graphics" "$work/out"

out=$work/out
# Flat colours and short gradients: no dithering keeps the faces clean.
for png in "$out"/*.png; do
  name=$(basename "$png" .png)
  case "$name" in
    Ostrel*|mag-plus|mag-minus) continue ;;
  esac
  convert "$png" +dither -colors 255 "$dest/$name.gif"
done
# 32 x 32 first: a reader that takes one picture from the file takes that one.
convert "$out"/Ostrel{32,16,48,64,128,256}.png "$dest/Ostrel.ico"
convert "$out/mag-plus.png" "$dest/mag-plus.ico"
convert "$out/mag-minus.png" "$dest/mag-minus.ico"
cp "$out/bkgnd.jpg" "$out/s_vil3.jpg" "$dest/"
echo "pictures written to $dest"
