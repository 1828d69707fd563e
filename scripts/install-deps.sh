#!/usr/bin/env bash
# Installs the Debian packages the build needs; does nothing when all are present.
#
#   scripts/install-deps.sh          what make run, make test and make check-asan need
#   scripts/install-deps.sh fuzz     that, and what make fuzz needs besides
#   scripts/install-deps.sh package  that, and what make package and make check-package need
#   scripts/install-deps.sh drive    that, and xdotool, to drive the program under
#                                    xvfb-run with keyboard and mouse as a person would
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
  qt6-svg-dev  # the desktop program draws its icon and pictures from SVG files
  qt6-translations-l10n  # Qt's own texts (entry-field context menus) in Polish
  qt6-serialport-dev  # the laboratory reads its instruments over serial lines
  libcli11-dev nlohmann-json3-dev
  python3-jsonschema  # a test checks the laboratory's manifests against their JSON Schema
  xvfb xauth imagemagick poppler-utils fonts-dejavu-core
)

for group in "$@"; do
  case "$group" in
    # libFuzzer comes with clang's runtime libraries; gcc has no fuzzer driver.
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    # CPack's DEB generator finds the programs with file and works out Depends
    # with dpkg-shlibdeps (dpkg-dev); the checks validate the desktop entry
    # (desktop-file-utils) and the AppStream data (appstream).
    package) packages+=(file dpkg-dev desktop-file-utils appstream) ;;
    # Checking a change by hand on a virtual display: clicks and keys sent to the windows.
    drive) packages+=(xdotool) ;;
    *) echo "install-deps.sh: unknown package group '$group' (known: fuzz, package, drive)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
# Wait for another apt run (a parallel build, an unattended upgrade) instead of failing.
lock=(-o DPkg::Lock::Timeout=600)
$sudo apt-get "${lock[@]}" update -qq
$sudo apt-get "${lock[@]}" install -y -qq --no-install-recommends "${missing[@]}"
