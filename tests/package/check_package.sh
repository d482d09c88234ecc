#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Checks a built package as a lab would meet it: lintian (any error or warning fails), the
# files it installs (files.txt beside this script), its name and version, the desktop entry
# and metainfo validators, the copyright file naming every library the programs link, and
# the command line run from the package unpacked into a temporary root.
#   check_package.sh PACKAGE.deb
set -uo pipefail
deb=$1
here=$(dirname "$0")
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$deb" ] || fail "no package at $deb"

version=$(dpkg-deb -f "$deb" Version) arch=$(dpkg-deb -f "$deb" Architecture)
[ "$(basename "$deb")" = "as-worn-rx_${version}_${arch}.deb" ] ||
  fail "$(basename "$deb") is not named as-worn-rx_${version}_${arch}.deb"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6svg6' || fail "no dependency on the SVG plugin"

echo "== lintian $(basename "$deb")"
lintian --fail-on error,warning --display-info "$deb" || fail "lintian (above)"

echo "== Files in $(basename "$deb")"
listed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort)
echo "$listed"
diff <(sort "$here/files.txt") <(echo "$listed") ||
  fail "the package's files differ from $here/files.txt (< expected, > packed)"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root" || fail "dpkg -x failed"
id=org.asworn.AsWornRx
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "metainfo"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo has no release $version"
zcat "$root/usr/share/doc/as-worn-rx/changelog.gz" | head -1 | grep -qF "as-worn-rx ($version)" ||
  fail "the changelog's latest entry is not of version $version"
for page in asworn asworn-cli; do
  zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "As-Worn Rx $version" ||
    fail "man page $page(1) is not of version $version"
done

# Each library a program links has a Files paragraph naming it, and every licence those
# paragraphs name has its own License paragraph.
copyright=$root/usr/share/doc/as-worn-rx/copyright
mapfile -t named < <(awk '/^Files:/ { files = 1; sub(/^Files:/, "") } /^[^ ]/ { files = 0 }
                          files { for (i = 1; i <= NF; i++) print $i }' "$copyright")
libdir=usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for program in "$root"/usr/bin/*; do
  for lib in $(objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }'); do
    found=0
    for pattern in "${named[@]}"; do
      # shellcheck disable=SC2053 # the pattern is a glob on purpose
      [[ $pattern == usr/lib/* && $libdir/$lib == $pattern ]] && found=1
    done
    [ $found -eq 1 ] || fail "$(basename "$program") links $lib, which the copyright file does not name"
  done
done
unexplained=$(awk '/^Files:/ { files = 1 } /^$/ { files = 0 }
  /^License:/ { sub(/^License: */, ""); if (!files) { given[$0] = 1; next }
                n = split($0, names, /,? (and|or) /); for (i = 1; i <= n; i++) used[names[i]] = 1 }
  END { for (name in used) if (!(name in given)) print name }' "$copyright")
[ -z "$unexplained" ] || fail "licences without their License paragraph: $unexplained"

cli=$root/usr/bin/asworn-cli
said=$("$cli" --version) || fail "asworn-cli --version failed"
[ "$said" = "asworn-cli $version"$'\n'"License: Apache-2.0" ] ||
  fail "asworn-cli --version says '$said', package is $version under Apache-2.0"
ticket=$("$cli" ticket --set odsph=-4.00 --set odcyl=-1.00 --set ossph=-4.00 \
  --set oscyl=-1.00 --set odfvd=10.0 --set osfvd=10.0 --set tilt=10 --set wrap=5) ||
  fail "asworn-cli ticket failed"
for line in $'odcsph\t-3.87' $'odccyl\t-0.85' $'odcaxis\t4' $'oscaxis\t176' $'odpb\tBase In'; do
  grep -qxF "$line" <<<"$ticket" || fail "the unpacked asworn-cli ticket lacks '$line'"
done
echo "PASS: $(basename "$deb") installs its files, validates, and its asworn-cli computes"
