#!/usr/bin/env bash
# Fails when a file of the core includes a header from a floor above its own.
# The floors, from the ground up: text, app and axis (the string table, the settings
# record and its store, round chart axes), physics and montecarlo, pages, lab, sheet (the settings sheet and the
# plan of a settings change, which reach into every page). A folder of the core
# that is no floor fails too, so that a new one is given its place here.
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

status=0
for dir in "$core"/*/; do
  name=$(basename "$dir")
  own=$(floor "$name")
  if [ "$own" -lt 0 ]; then
    echo "core/$name is on no floor: give it one in $0" >&2
    status=1
    continue
  fi
  while IFS=: read -r file line include; do
    target=$(sed -E 's/^#include "([a-z_]+)\/.*/\1/' <<<"$include")
    level=$(floor "$target")
    if [ "$level" -gt "$own" ]; then
      echo "${file#"$core"/}:$line: $name includes $target, a floor above it: $include" >&2
      status=1
    fi
  done < <(grep -HnE '^#include "[a-z_]+/' "$dir"*.h "$dir"*.cpp 2>/dev/null || true)
done
[ "$status" -eq 0 ] && echo "core floors: every include goes down or stays on its floor"
exit "$status"
