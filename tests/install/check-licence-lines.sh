#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every source file of the tree names its licence in one of its
# first three lines, and that the licence text itself is there.
set -euo pipefail
cd "$1"
grep -q "GNU GENERAL PUBLIC LICENSE" LICENSE || { echo "LICENSE is missing or not the GPL"; exit 1; }
mapfile -d '' files < <(
    find app arith bench bracket classical cli diagram examples fuzz knot layout packaging resources scripts table tests .ci \
         -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.h.in' -o -name '*.sh' -o -name '*.py' -o -name '*.1' \
                    -o -name 'CMakeLists.txt' -o -name 'install-deps' -o -name run \) -print0)
files+=(CMakeLists.txt Makefile)
missing=0
for file in "${files[@]}"; do
    if ! head -n 3 "$file" | grep -q "SPDX-License-Identifier: GPL-3.0-or-later"; then
        echo "no licence line: $file"
        missing=1
    fi
done
echo "${#files[@]} source files checked"
exit $missing
