#!/usr/bin/env bash
# Fails when a file of the core includes a header from a floor above its own.
# The floors, from the ground up: text, app and axis (the string table, the settings
# record and its store, round chart axes), physics and montecarlo, pages, lab, sheet (the settings sheet and the
# plan of a settings change, which reach into every page). A folder of the core
# that is no floor fails too, so that a new one is given its place here.
#
# The laboratory's floor is divided into rooms, which stand on each other the same
# way: base (its texts and its clock), lines (instrument lines and streams), tables
# (correction tables), trends (history and stability), records (data files, run
# files, manifests), station (the laboratory page and everything that runs it). A
# room includes only its own room and those below it; every file of lab/ lives in a
# room.
set -euo pipefail
core=${1:?usage: check_floors.sh CORE_FOLDER}

floor() {
  case "$1" in
    text | app | axis) echo 0 ;;
    physics | montecarlo) echo 1 ;;
    pages) echo 2 ;;
    lab) echo 3 ;;
    sheet) echo 4 ;;
    *) echo -1 ;;
  esac
}

room() {
  case "$1" in
    base) echo 0 ;;
    lines) echo 1 ;;
    tables) echo 2 ;;
    trends) echo 3 ;;
    records) echo 4 ;;
    station) echo 5 ;;
    *) echo -1 ;;
  esac
}

status=0
fail() {
  echo "$1" >&2
  status=1
}

# Includes of the files in folder $1 (not below it), as "file:line:include" lines.
includes() {
  grep -HnE '^#include "[a-z_]+/' "$1"*.h "$1"*.cpp 2>/dev/null || true
}

for dir in "$core"/*/; do
  name=$(basename "$dir")
  own=$(floor "$name")
  if [ "$own" -lt 0 ]; then
    fail "core/$name is on no floor: give it one in $0"
    continue
  fi
  while IFS=: read -r file line include; do
    target=$(sed -E 's/^#include "([a-z_]+)\/.*/\1/' <<<"$include")
    level=$(floor "$target")
    if [ "$level" -gt "$own" ]; then
      fail "${file#"$core"/}:$line: $name includes $target, a floor above it: $include"
    fi
  done < <(includes "$dir")
done

lab="$core/lab"
for file in "$lab"/*.h "$lab"/*.cpp; do
  [ -e "$file" ] && fail "${file#"$core"/} lies in lab/ itself: give it a room"
done
for dir in "$lab"/*/; do
  name=$(basename "$dir")
  own=$(room "$name")
  if [ "$own" -lt 0 ]; then
    fail "core/lab/$name is no room of the laboratory: give it its place in $0"
    continue
  fi
  while IFS=: read -r file line include; do
    # Below lab/ every include names a floor; one of lab/ must also name a room.
    target=$(sed -nE 's/^#include "lab\/([a-z_]+)\/.*/\1/p' <<<"$include")
    if [ -z "$target" ]; then
      if [[ "$include" == '#include "lab/'* ]]; then
        fail "${file#"$core"/}:$line: lab/$name includes a header of no room: $include"
      fi
      continue
    fi
    level=$(room "$target")
    if [ "$level" -lt 0 ]; then
      fail "${file#"$core"/}:$line: lab/$name includes lab/$target, which is no room: $include"
    elif [ "$level" -gt "$own" ]; then
      fail "${file#"$core"/}:$line: lab/$name includes lab/$target, a room above it: $include"
    fi
  done < <(includes "$dir")
done

[ "$status" -eq 0 ] && echo "core floors: every include goes down or stays on its floor, and in lab/ in its room"
exit "$status"
