#!/usr/bin/env bash
# The Debian package made from a build is named after the release it is built on, passes
# lintian without errors or warnings (nor the hardening and stripping it reports as info),
# names no dependency twice, its desktop entry is valid and translated, its AppStream
# metainfo valid, and every GStreamer element the program loads by name comes from a
# package it depends on or recommends.
set -euo pipefail
build="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Packaged from the build as it is, into a folder of its own.
umask 022
cpack --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 \
  || { cat "$tmp/cpack.log"; fail "cpack failed"; }
debs=("$tmp"/out/*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -s "${debs[0]}" ] || fail "expected one package, got: ${debs[*]}"
deb="${debs[0]}"

. /etc/os-release
if [ "$ID" = debian ]; then
  case "$(basename "$deb")" in *"~deb${VERSION_ID}_"*) ;; *) fail "$(basename "$deb") does not name Debian $VERSION_ID" ;; esac
fi

lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb" 2>&1 | tee "$tmp/lintian.log" \
  || fail "lintian found errors or warnings"
! grep -E "hardening-no-bindnow|binary-has-unneeded-section" "$tmp/lintian.log" || fail "not hardened or stripped as Debian's packages are"
twice="$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | sort | uniq -d)"
[ -z "$twice" ] || fail "named twice in Depends: $twice"

dpkg-deb -x "$deb" "$tmp/root"
entry="$tmp/root/usr/share/applications/ocumetra.desktop"
desktop-file-validate "$entry" || fail "desktop entry rejected"
# The program's own languages besides English.
for lang in zh_CN zh_TW es de ko fr it nl tr; do
  for key in GenericName Comment Keywords; do
    grep -q "^$key\[$lang\]=." "$entry" || fail "desktop entry has no $key[$lang]"
  done
done
# The metainfo with the desktop entry it launches, as software centres read them.
ls "$tmp"/root/usr/share/metainfo/*.metainfo.xml >/dev/null || fail "no AppStream metainfo"
appstreamcli validate-tree --no-net "$tmp/root" || fail "AppStream metainfo rejected"

# The recorder's elements on a Wayland desktop, and those Qt's camera classes use for
# picture-in-picture's second camera.
relations="$(dpkg-deb -f "$deb" Depends Recommends | sed 's/^[^:]*://' | tr ',' '\n' | sed 's/^ *//; s/[ (].*//')"
export GST_REGISTRY="$tmp/gst-registry.bin"
for element in pipewiresrc videoconvert appsink camerabin v4l2src; do
  plugin="$(gst-inspect-1.0 "$element" | sed -n 's/^ *Filename *//p' | head -1)"
  [ -n "$plugin" ] || fail "no GStreamer element $element here"
  # dpkg knows the file by its path below /usr.
  package="$(dpkg -S "$(realpath "$plugin")" | cut -d: -f1)"
  grep -qx "$package" <<< "$relations" || fail "$element comes from $package, which the package does not name"
done
echo "package OK: $(basename "$deb")"
