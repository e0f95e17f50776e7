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
Choose "Start The Show!", and press any key to end the show. Alt+Enter
switches the running show between the full screen and a window (our
glide2x.dll does it; another one may not).

Another glide2x.dll
-------------------
lumivex.exe finds glide2x.dll by name, in its own folder first. Replace ours
with another glide2x.dll (a 3dfx card's driver, or other software providing
Glide 2.x) to run the show on that instead. Only the 32-bit program can use
the glide2x.dll of a 3dfx driver; the 64-bit one needs a 64-bit glide2x.dll.

Settings of our glide2x.dll (environment variables)
---------------------------------------------------
Like the accelerator drivers of the time, our library is set up with
environment variables, e.g. in a command prompt before starting the show:
  set LUMIVEX_OUTPUT=window
  set LUMIVEX_SCALE=2
A value that is not understood is ignored: the default is used.

  LUMIVEX_OUTPUT=fullscreen   the window covers the whole screen and the
                              picture keeps its shape, with black bars
                              (the default)
  LUMIVEX_OUTPUT=window       the window's inside is 640x480 times LUMIVEX_SCALE
  LUMIVEX_OUTPUT=offscreen    nothing on screen (for frame dumps and traces)
  LUMIVEX_SCALE=N             window size factor, 1 to 8 (default 1)
  LUMIVEX_SWAP_INTERVAL=N     retraces per frame instead of the show's 2
                              (30 frames a second); 0 runs unpaced
  LUMIVEX_DUMP_DIR=FOLDER     write frames there as frame-NNNNNN.png
  LUMIVEX_DUMP_FRAMES=LIST    which frames, e.g. 0,157,720-729
  LUMIVEX_TRACE=FILE          write every Glide call to FILE, one a line
  LUMIVEX_TRACE_FRAMES=LIST   keep the triangles of these frames only
  LUMIVEX_KEY_AT_FRAME=N      press a key by itself after frame N
  LUMIVEX_BOARDS=0            find no board: the start-up check fails
  LUMIVEX_FAIL_OPEN=1         the window open fails: the start-up check fails

These work with our glide2x.dll only; another one ignores them.
EOF
}

for bits in "${targets[@]}"; do
  case $bits in 64|32) ;; *) echo "usage: $0 [64|32]..." >&2; exit 2 ;; esac
  build=$root/build-win$bits
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw$bits.cmake" \
    -DCMAKE_BUILD_TYPE=Release
  cmake --build "$build" -j"$(nproc)" --target lumivex glide2x

  stage=$build/package/lumivex
  rm -rf "$build/package"
  mkdir -p "$stage"
  cp "$build/bin/lumivex.exe" "$build/bin/glide2x.dll" "$stage/"
  # Symbols only make the download larger.
  triplet=$([ "$bits" = 64 ] && echo x86_64 || echo i686)-w64-mingw32
  "$triplet-strip" --strip-unneeded "$stage/lumivex.exe" "$stage/glide2x.dll"
  cp -r "$root/pak" "$stage/pak"
  # Windows line ends, so that every editor shows the readme as written.
  readme "$bits" | sed 's/$/\r/' >"$stage/README.txt"

  mkdir -p "$root/out"
  zip_file=$root/out/lumivex-win$bits.zip
  rm -f "$zip_file"
  (cd "$build/package" && zip -qr -X "$zip_file" lumivex)
  echo "Packed $zip_file"
done
