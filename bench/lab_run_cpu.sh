#!/bin/bash
# CPU that `wegator-cli lab run` takes on the station's six streams (all five
# instrument kinds played by wegator-sim) over one minute: the goal is well
# under 1 % of one core. Uses the programs of an existing build (default
# build/); run `make build` first.
#
#   bench/lab_run_cpu.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
work=$(mktemp -d)
trap 'kill $sim 2> /dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/config/TREVAN" "$work/state"
cat > "$work/station.txt" << 'STATION'
qx316 --link COM1
qx310-env --link COM2
qx310 --link COM4
qx311 --link COM5
f250 --link COM6
dp30 --link COM3
STATION
# The simulator plays all six instrument roles; the station reads the five its
# settings use (the QX-310 as thermometer with the QX-311 gradient: the F-250
# is read only when it is the thermometer).
cat > "$work/lab.reg" << 'SETTINGS'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\SOFTWARE\TREVAN\WEGATOR]
"Language"="pl"
"SETTINGS_LAB_DEVICES"=dword:00000001
"SETTINGS_PORT_COM_QX316"=dword:00000001
"SETTINGS_PORT_COM_ENV_QX310"=dword:00000002
"SETTINGS_PORT_COM_DP30"=dword:00000003
"SETTINGS_PORT_COM_QX310"=dword:00000004
"SETTINGS_PORT_COM_QX311"=dword:00000005
"SETTINGS_PORT_COM_F250"=dword:00000006
"SETTINGS_PORT_ENV_QX310_DEVICE"=dword:00000001
"SETTINGS_PORT_TEMP_DEVICE"=dword:00000005
"SETTINGS_QX311_DEVIATION"=dword:00000001
"SAVE_FILE_CODE"="32767"
SETTINGS
echo "\"SAVE_FILE_NAME\"=\"$work/lab.csv\"" >> "$work/lab.reg"
export XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state
"$build/sim/wegator-sim" --station "$work/station.txt" --seconds $((seconds + 30)) > /dev/null &
sim=$!
for _ in $(seq 50); do [ -e "$work/config/TREVAN/ports/COM3" ] && break; sleep 0.1; done
/usr/bin/time -f '%U %S %e' -o "$work/time" "$build/cli/wegator-cli" lab run --settings "$work/lab.reg" \
  --seconds "$seconds" > /dev/null
read -r user system elapsed < "$work/time"
awk -v u="$user" -v s="$system" -v e="$elapsed" \
  'BEGIN { printf "lab run: %.2f s CPU in %.0f s, %.3f %% of one core\n", u + s, e, 100 * (u + s) / e }'
