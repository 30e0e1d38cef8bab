#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix, as `cmake --install` does for a
# user, and checks what got there: the installed ravelon-calc computes an
# installed example, the desktop program finds its installed help file (and
# the one beside it in the build folder), the menu entry, file type, icons,
# AppStream data and manual pages are valid and agree with each other.
# Usage: check-install.sh CMAKE BUILD_DIR SOURCE_DIR
set -euo pipefail
cmake=$1
build=$(cd "$2" && pwd -P)
source=$(cd "$3" && pwd -P)

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate update-desktop-database xmllint update-mime-database appstreamcli file man; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done

tmp=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/usr
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share

# The calculator, on an installed example.
out=$("$prefix/bin/ravelon-calc" "$share/ravelon/examples/figure-eight.rvd")
grep -qxF '  ジョーンズ多項式: t^2 - t + 1 - t^-1 + t^-2' <<<"$out" || fail "ravelon-calc printed: $out"
installed=$(cd "$share/ravelon/examples" && ls)
shipped=$(cd "$source/examples" && ls -- *.rvd)
[ "$installed" = "$shipped" ] || fail "installed examples differ from examples/*.rvd: $installed"
"$prefix/bin/ravelon-calc" "$share/ravelon/examples/"*.rvd >/dev/null || fail "ravelon-calc fails on an installed example"

# The desktop program answers without a display.
[ "$("$prefix/bin/ravelon" --version)" = "Ravelon 1.2.0.30" ] || fail "ravelon --version"
"$prefix/bin/ravelon" --help | grep -q -- '--help-file' || fail "ravelon --help"

# Its help file: installed in share/ravelon, beside the program in the build
# folder, and reported missing when it is not there.
found=$("$prefix/bin/ravelon" --help-file) || fail "installed ravelon does not find its help file"
[ "$found" = "$share/ravelon/Ravelon.hlp" ] || fail "installed ravelon looks for its help at $found"
cmp -s "$found" "$source/resources/Ravelon.hlp" || fail "installed help file differs"
[ "$("$build/app/ravelon" --help-file)" = "$build/app/Ravelon.hlp" ] || fail "ravelon in the build folder"
mv "$found" "$tmp/Ravelon.hlp"
if "$prefix/bin/ravelon" --help-file >/dev/null 2>&1; then fail "--help-file succeeds without a help file"; fi
mv "$tmp/Ravelon.hlp" "$found"

# The menu entry, and the database the desktop builds from it.
desktop=$share/applications/ravelon.desktop
msgs=$(desktop-file-validate "$desktop") || fail "desktop-file-validate: $msgs"
if grep -v ': hint: ' <<<"$msgs" | grep -q .; then fail "desktop-file-validate: $msgs"; fi
grep -qxF 'Exec=ravelon %f' "$desktop" || fail "Exec line"
grep -qxF 'Comment=結び目から多項式を求めるアプリケーション' "$desktop" || fail "Comment line"
grep -qxF 'MimeType=application/x-ravelon-knot;' "$desktop" || fail "MimeType line"
update-desktop-database "$share/applications"
grep -qxF 'application/x-ravelon-knot=ravelon.desktop;' "$share/applications/mimeinfo.cache" \
  || fail "the desktop database does not open knot data files with ravelon.desktop"

# The file type: valid XML, and the MIME database built from it maps *.rvd.
xmllint --noout "$share/mime/packages/ravelon.xml"
XDG_DATA_DIRS=$share update-mime-database "$share/mime"
grep -qxF '50:application/x-ravelon-knot:*.rvd' "$share/mime/globs2" || fail "*.rvd is not in the MIME globs"
grep -qxF 'application/x-ravelon-knot:ravelon' "$share/mime/icons" || fail "the file type's icon is not ravelon"
grep -qF 'xml:lang="ja"' "$share/mime/application/x-ravelon-knot.xml" || fail "no Japanese comment"

# The icons: the window's pictures at their sizes, and the scalable one.
for size in 16 32 48 128; do
  png=$share/icons/hicolor/${size}x${size}/apps/ravelon.png
  file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "$png: $(file -b "$png")"
done
xmllint --noout "$share/icons/hicolor/scalable/apps/ravelon.svg"

# The AppStream data names the installed menu entry and programs.
metainfo=$share/metainfo/org.example.ravelon.metainfo.xml
msgs=$(appstreamcli validate --no-net "$metainfo") || fail "appstreamcli validate: $msgs"
grep -qF '<launchable type="desktop-id">ravelon.desktop</launchable>' "$metainfo" || fail "launchable"
grep -qF '<release version="1.2.0.30"' "$metainfo" || fail "release"

# The manual pages render without warnings.
for page in ravelon ravelon-calc; do
  gz=$share/man/man1/$page.1.gz
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$gz" 2>"$tmp/warnings") || fail "man $page"
  [ ! -s "$tmp/warnings" ] || fail "man $page: $(cat "$tmp/warnings")"
  grep -q "^NAME" <<<"$text" && grep -q "^EXIT STATUS" <<<"$text" && grep -q "^EXAMPLES" <<<"$text" \
    || fail "man $page lacks a section"
  # The Japanese page beside it, with the same sections and options.
  ja=$share/man/ja/man1/$page.1.gz
  jatext=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$ja" 2>"$tmp/warnings") || fail "man ja $page"
  [ ! -s "$tmp/warnings" ] || fail "man ja $page: $(cat "$tmp/warnings")"
  grep -q "^名前" <<<"$jatext" && grep -q "^終了ステータス" <<<"$jatext" && grep -q "^例" <<<"$jatext" \
    || fail "man ja $page lacks a section"
  options() { grep -o -- '--[a-z][a-z-]*' <<<"$1" | sort -u; }
  [ "$(options "$text")" = "$(options "$jatext")" ] || fail "man ja $page names other options than man $page"
done
echo "install tree checked in $prefix"
