#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the build folder into a temporary folder (as
# `make package` does into build/) and checks its name, its control fields and
# that it holds exactly the installed files, under /usr and owned by root.
# Usage: check-package.sh CPACK BUILD_DIR SOURCE_DIR
set -euo pipefail
cpack=$1
build=$(cd "$2" && pwd -P)
source=$(cd "$3" && pwd -P)

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$tmp" && "$cpack" --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1) \
  || { cat "$tmp/cpack.log"; fail "cpack"; }
deb=$tmp/out/ravelon_1.2.0.30_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb among: $(ls "$tmp/out")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = ravelon ] || fail "Package: $(field Package)"
[ "$(field Version)" = 1.2.0.30 ] || fail "Version: $(field Version)"
[ "$(field Maintainer)" = "Ravelon project <ravelon@example.org>" ] || fail "Maintainer: $(field Maintainer)"
depends=$(field Depends)
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for dep in libc6 libstdc++6 libgmp10 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins; do
  grep -qxF "$dep" <<<"$names" || fail "Depends lacks $dep: $depends"
done
description=$(field Description)
grep -qF 'Jones polynomial' <<<"$description" || fail "no English description"
grep -qF '結び目から多項式を求めるアプリケーション' <<<"$description" || fail "no Japanese description"

# Every file, and nothing else.
{
  echo usr/bin/ravelon
  echo usr/bin/ravelon-calc
  echo usr/share/ravelon/Ravelon.hlp
  echo usr/share/ravelon/knot-table.tsv
  for f in "$source"/examples/*.rvd; do echo "usr/share/ravelon/examples/${f##*/}"; done
  echo usr/share/man/man1/ravelon.1.gz
  echo usr/share/man/man1/ravelon-calc.1.gz
  echo usr/share/man/ja/man1/ravelon.1.gz
  echo usr/share/man/ja/man1/ravelon-calc.1.gz
  echo usr/share/applications/ravelon.desktop
  echo usr/share/mime/packages/ravelon.xml
  echo usr/share/metainfo/org.example.ravelon.metainfo.xml
  for size in 16 32 48 128; do echo "usr/share/icons/hicolor/${size}x${size}/apps/ravelon.png"; done
  echo usr/share/icons/hicolor/scalable/apps/ravelon.svg
  echo usr/share/doc/ravelon/copyright
} | sort >"$tmp/expected"
dpkg-deb -c "$deb" >"$tmp/contents"
awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' "$tmp/contents" | sort >"$tmp/files"
diff -u "$tmp/expected" "$tmp/files" || fail "the package's files differ from the expected ones (- missing, + extra)"
awk '$2 != "root/root" { exit 1 }' "$tmp/contents" || fail "files not owned by root"
awk '{ sub(/^\.\//, "", $6) } $6 != "" && $6 !~ /^usr\// { exit 1 }' "$tmp/contents" || fail "files outside /usr"

# The programs are stripped (their debugging data stays in the build).
dpkg-deb -x "$deb" "$tmp/root"
for program in ravelon ravelon-calc; do
  file -b "$tmp/root/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
done
# The copyright file: machine-readable, the program under the GPL 3 or later
# (as the AppStream data says), the knot table with its attribution, and the
# licence text the package points to there.
copyright=$tmp/root/usr/share/doc/ravelon/copyright
head -1 "$copyright" | grep -qxF 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  || fail "the copyright file is not in the machine-readable format"
awk '/^Files: \*$/ { files = 1; next } files && /^License:/ { print $2; exit }' "$copyright" | grep -qxF GPL-3.0-or-later \
  || fail "the copyright file does not give the program's licence"
grep -qF 'Files: data/knot-table.tsv' "$copyright" && grep -qF 'KnotInfo: Table of Knot Invariants' "$copyright" \
  && grep -qF 'LinkInfo: Table of Link Invariants' "$copyright" || fail "the copyright file lacks the table's attribution"
grep -qF '/usr/share/common-licenses/GPL-3' "$copyright" || fail "the copyright file does not point to the licence text"
grep -qF '<project_license>GPL-3.0-or-later</project_license>' \
  "$tmp/root/usr/share/metainfo/org.example.ravelon.metainfo.xml" || fail "the AppStream data lacks the licence"
cmp -s "$source/LICENSE" /usr/share/common-licenses/GPL-3 || fail "LICENSE is not the GPL 3"
echo "package $deb checked"
