#!/usr/bin/env bash
# Builds the Windows programs with mingw-w64 and packs what a Windows user
# downloads: out/lumivex-win64.zip and out/lumivex-win32.zip, each holding
# lumivex/ with lumivex.exe, glide2x.dll, pak/ and README.txt.
# Usage: package-windows.sh [64|32]...   (both when none is named)
# Needs the Debian packages mingw-w64 and zip (scripts/deps.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(64 32)

readme() {
  local bits=$1
  cat <<EOF
Lumivex for Windows ($bits-bit)
===========================

Lumivex is a real-time 3D demo, "the show": a start-up dialog with the
credits, then three effects in an endless cycle (a textured logo, four nested
tumbling cubes, a vertex-coloured torus) until any key is pressed.

It draws only through the Glide 2.x library, glide2x.dll. The glide2x.dll in
this folder is Lumivex's own: a software implementation of every Glide call
the show makes, drawing into the program's window with GDI. No 3D card is
needed.

How to run
----------
Unpack the zip anywhere and double-click lumivex.exe in the lumivex folder.
The show reads its data from the pak folder beside it, so start it from that
folder (in a command prompt: cd into the folder, then run lumivex.exe).
Choose "Start The Show!", and press any key to end the show.

Another glide2x.dll
-------------------
lumivex.exe finds glide2x.dll by name, in its own folder first. Replace ours
with another glide2x.dll (a 3dfx card's driver, or other software providing
Glide 2.x) to run the show on that instead. Only the 32-bit program can use
the glide2x.dll of a 3dfx driver; the 64-bit one needs a 64-bit glide2x.dll.

Settings of our glide2x.dll (environment variables)
---------------------------------------------------
Like the accelerator drivers of the time, our library is set up with
environment variables, e.g. in a command prompt: set LUMIVEX_SCALE=2

  LUMIVEX_OUTPUT=window       draw into the program's window (the default),
                              its client area 640x480 times LUMIVEX_SCALE
  LUMIVEX_OUTPUT=fullscreen   make the window cover the screen; the picture
                              keeps its shape, with black bars
  LUMIVEX_OUTPUT=offscreen    draw nothing on screen (for dumps and traces)
  LUMIVEX_SCALE=N             window size factor (whole number, 1 to 4)
  LUMIVEX_DUMP_DIR=DIR        write frames as PNG files into DIR
  LUMIVEX_DUMP_FRAMES=LIST    which frames to write
  LUMIVEX_TRACE=FILE          write every Glide call to FILE
  LUMIVEX_KEY_AT_FRAME=N      press a key by itself at frame N (ends the show)
  LUMIVEX_BOARDS=0            pretend no board is found (shows the start-up
                              check's report)
EOF
}

for bits in "${targets[@]}"; do
  case $bits in 64|32) ;; *) echo "usage: $0 [64|32]..." >&2; exit 2 ;; esac
  build=$root/build-win$bits
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw$bits.cmake" \
    -DCMAKE_BUILD_TYPE=Release
  cmake --build "$build" -j"$(nproc)" --target lumivex glide2x_dll

  stage=$build/package/lumivex
  rm -rf "$build/package"
  mkdir -p "$stage"
  cp "$build/bin/lumivex.exe" "$build/bin/glide2x.dll" "$stage/"
  cp -r "$root/pak" "$stage/pak"
  # Windows line ends, so that every editor shows the readme as written.
  readme "$bits" | sed 's/$/\r/' >"$stage/README.txt"

  mkdir -p "$root/out"
  zip_file=$root/out/lumivex-win$bits.zip
  rm -f "$zip_file"
  (cd "$build/package" && zip -qr -X "$zip_file" lumivex)
  echo "Packed $zip_file"
done
