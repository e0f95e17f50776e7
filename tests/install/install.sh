#!/usr/bin/env bash
# Installed like a Linux program: into a temporary prefix, the program started
# from / finds its data and plays a whole pass offscreen, exit status 0, and
# records with its capture module; the Debian package holds the program and
# its module, the data, the manual page, the desktop entry and the icon, and
# depends on the libraries they link; the desktop entry is valid.
# Usage: install.sh build-dir
set -uo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install"
(cd / && env -u DISPLAY -u WAYLAND_DISPLAY LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=offscreen LUMIVEX_SWAP_INTERVAL=0 \
  LUMIVEX_KEY_AT_FRAME=3599 LUMIVEX_TRACE="$work/trace" LUMIVEX_TRACE_FRAMES=0 \
  timeout 300 "$work/prefix/bin/lumivex") || fail "the installed program, started from /: status $?"
[ "$(grep -c '^grBufferSwap' "$work/trace")" -ge 3600 ] || fail "not a whole pass"
(cd / && env -u DISPLAY LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=offscreen LUMIVEX_KEY_AT_FRAME=2 LUMIVEX_CAPTURE="$work/a.mkv" \
  "$work/prefix/bin/lumivex" 2>&1) | grep . && fail "the installed program cannot capture"

desktop-file-validate "$work/prefix/share/applications/lumivex.desktop" || fail "desktop-file-validate"

(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null) || fail "cpack"
deb=$(ls "$work"/deb/lumivex_*.deb) || fail "no .deb"
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/lumivex ./usr/lib/lumivex/liblumivex_capture.so ./usr/share/lumivex/pak/torus.dat \
            ./usr/share/lumivex/pak/cube.3df \
            ./usr/share/man/man6/lumivex.6.gz ./usr/share/applications/lumivex.desktop \
            ./usr/share/icons/hicolor/128x128/apps/lumivex.png; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done
depends=$(dpkg-deb -f "$deb" Depends)
for package in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libavcodec fonts-liberation; do
  [[ $depends == *"$package"* ]] || fail "the package does not depend on $package: $depends"
done
echo "passed: installed program plays a pass from /; $(basename "$deb") holds it all; Depends: $depends"
