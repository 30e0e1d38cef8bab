#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the includes of the core run one way only: each folder may
# include itself and the folders below it, never one above or beside it.
set -euo pipefail
cd "$1"
declare -A below=(
    [arith]="arith"
    [knot]="arith knot"
    [bracket/order]="arith knot bracket/order"
    [bracket]="arith knot bracket"
    [classical]="arith knot classical"
    [table]="arith table"
    [diagram]="arith knot diagram"
    [layout]="arith knot diagram layout"
)
core="arith knot bracket classical table diagram layout app cli"
bad=0
for folder in "${!below[@]}"; do
    while IFS= read -r line; do
        file=${line%%:*}
        included=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<< "${line#*:}")
        room=${included%/*}
        top=${included%%/*}
        [[ " $core " == *" $top "* ]] || continue
        ok=0
        for allowed in ${below[$folder]}; do
            # bracket/ may include bracket/order/; bracket/order/ may not include bracket/.
            if [[ $room == "$allowed" || ($folder == bracket && $room == bracket/order) ]]; then ok=1; fi
        done
        if (( ! ok )); then
            echo "$file includes $included"
            bad=1
        fi
    done < <(find "$folder" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) -exec grep -H '#include "' {} +)
done
exit $bad
