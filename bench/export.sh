#!/usr/bin/env bash
# The real binary writing a landscape out, as users run it: the median wall
# time of `vellmoor --at SECOND --export FILE` for each format, in a scratch
# folder with the shipped colours.txt, against building the landscape alone
# (a run that builds it and writes nothing: an unwritable .r16).
# Usage: bench/export.sh BINARY [runs, default 9]
set -euo pipefail
scratch=
trap '[ -z "$scratch" ] || rm -rf "$scratch"' EXIT
bin=$(realpath "$1") runs=${2:-9} second=1767225761
scratch=$(mktemp -d)
cp "$(dirname "$0")/../colours.txt" "$scratch/"
cd "$scratch"
median() {  # FILE [nowhere]: median ms of the runs
    local k a b t=()
    for ((k = 0; k < runs; k++)); do
        a=$(date +%s%N)
        "$bin" --at "$second" --export "$1" >/dev/null 2>&1 || [ "${2:-}" = nowhere ]
        b=$(date +%s%N)
        t+=($(((b - a) / 1000000)))
    done
    printf '%s\n' "${t[@]}" | sort -n | sed -n "$((runs / 2 + 1))p"
}
base=$(median nowhere/land.r16 nowhere)
printf '%-28s %6s ms\n' "building alone" "$base"
for f in land.glb land.png land.r16; do
    t=$(median "$f")
    printf '%-28s %6s ms  (%s ms beyond building, %s bytes)\n' "--export $f" "$t" $((t - base)) "$(stat -c %s "$f")"
done
