#!/usr/bin/env bash
# Checks a built package as a laboratory receives it: what it holds, its
# desktop entry and AppStream data, then an install, the programs run from
# /usr/bin, and its removal, after which none of its files may be left.
#
#   scripts/check-package.sh wegator_<version>_amd64.deb
#
# It installs and removes the package wegator on this machine (as root or
# through sudo), so it refuses to run where that package is installed already.
set -euo pipefail
deb=$(realpath "$1")
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
lock=(-o DPkg::Lock::Timeout=600)
work=$(mktemp -d)
installed=no
cleanup() {
    if [ $installed = yes ]; then
        DEBIAN_FRONTEND=noninteractive $sudo apt-get "${lock[@]}" purge -y -qq wegator > /dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

version=$(dpkg-deb -f "$deb" Version)
echo "== $deb: contents"
dpkg-deb -c "$deb" | awk '{ print $6 }' > "$work/contents"
for file in bin/wegator bin/wegator-cli bin/wegator-sim \
    share/wegator/wegator_en.qm share/wegator/help_pl.html share/wegator/help_en.html \
    share/wegator/manifest.schema.json \
    share/icons/hicolor/scalable/apps/wegator.svg share/applications/wegator.desktop \
    share/metainfo/com.example.wegator.metainfo.xml \
    share/man/man1/wegator.1.gz share/man/man1/wegator-cli.1.gz share/man/man1/wegator-sim.1.gz; do
    grep -qx "./usr/$file" "$work/contents" || fail "the package lacks /usr/$file"
done
if grep -v '^\./usr/' "$work/contents"; then fail "files outside /usr"; fi
# Depends was worked out from the programs' libraries.
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends does not name the Qt libraries"

echo "== desktop entry and AppStream data"
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/wegator.desktop"
appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/com.example.wegator.metainfo.xml"
# The tree as a whole: the metainfo's launchable and icon are in the package.
appstreamcli validate-tree --no-net "$work/root"

echo "== install"
if dpkg-query -W -f='${Status}' wegator 2> /dev/null | grep -q "install ok installed"; then
    fail "the package wegator is installed already; remove it first"
fi
installed=yes
# Recommends are the user's choice; the check needs only the package and its Depends.
DEBIAN_FRONTEND=noninteractive $sudo apt-get "${lock[@]}" install -y -qq --no-install-recommends "$deb" > /dev/null
dpkg -L wegator > "$work/files"

echo "== the installed programs"
for program in wegator wegator-cli wegator-sim; do
    [ "$(/usr/bin/$program --version)" = "$program $version" ] || fail "$program --version is not \"$program $version\""
done
/usr/bin/wegator-cli rh --p1 101.325 --p2 101.325 --dp 10 --t 20 --json > "$work/rh.json"
grep -q '"name":"RH","unit":"%","water":"52.494"' "$work/rh.json" || fail "wegator-cli rh computed something else"
if command -v man > /dev/null; then
    MANWIDTH=80 man wegator-cli 2> /dev/null | grep -q 'wegator-cli lab read' || fail "man wegator-cli does not show the page"
fi

echo "== removal"
DEBIAN_FRONTEND=noninteractive $sudo apt-get "${lock[@]}" purge -y -qq wegator > /dev/null
installed=no
if dpkg-query -W -f='${Status}' wegator 2> /dev/null | grep -q "installed"; then fail "wegator is still installed"; fi
while read -r path; do
    [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is left after the removal"
done < "$work/files"
[ ! -e /usr/share/wegator ] || fail "/usr/share/wegator is left after the removal"
echo "check-package: $deb is sound"
