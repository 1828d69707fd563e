#!/usr/bin/env bash
# A manual page kept in step with its program: the long options the page
# describes under OPTIONS and COMMANDS are exactly those the program's --help
# and its commands' --help print, every command without subcommands has its
# own section (.SS "<program> <command>"), the page has the sections a reader
# looks for, and --version answers "<program> <version>".
#
#   man_page_test.sh PROGRAM PAGE
set -euo pipefail
program=$1
page=$2
name=$(basename "$program")
failed=0
fail() { echo "$page: $*" >&2; failed=1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

version=$("$program" --version) || fail "$name --version failed"
[[ $version =~ ^$name\ [0-9]+(\.[0-9]+)+$ ]] || fail "$name --version printed \"$version\""

for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES EXAMPLES; do
    grep -Eq "^\.SH \"?$section\"?$" "$page" || fail "no section $section"
done

# The options of a help text are the ones its option lines begin with
# ("  --dp TEXT ...", "  -h,--help ..."); the help of every command adds its own.
help_options() { grep -Eo '^  (-[[:alnum:]],)?--[[:alnum:]][[:alnum:]-]*' | sed 's/^.*--/--/'; }
walk() {
    local help
    help=$("$program" "$@" --help) || fail "$name $* --help failed"
    printf '%s\n' "$help" | help_options >> "$work/help"
    local commands
    commands=$(printf '%s\n' "$help" | awk '/^Subcommands:/ { on = 1; next } on && /^$/ { exit } on && /^  [a-z]/ { print $1 }')
    if [ -z "$commands" ] && [ $# -gt 0 ]; then
        local heading="$name $*"
        grep -Fqx ".SS \"${heading//-/\\-}\"" "$page" || fail "no section .SS \"$heading\""
    fi
    for command in $commands; do walk "$@" "$command"; done
}
walk

# The options a page describes: the tags of the .TP paragraphs of its OPTIONS
# and COMMANDS sections.
awk '/^\.SH/ { described = ($0 ~ /^\.SH "?(OPTIONS|COMMANDS)"?$/) } described && tag { print } { tag = ($0 == ".TP") }' \
    "$page" | grep -Eo '\\-\\-[[:alnum:]][[:alnum:]\\-]*' | sed 's/\\-/-/g' > "$work/page" || true

sort -u "$work/help" > "$work/help.sorted"
sort -u "$work/page" > "$work/page.sorted"
missing=$(comm -23 "$work/help.sorted" "$work/page.sorted")
extra=$(comm -13 "$work/help.sorted" "$work/page.sorted")
[ -z "$missing" ] || fail "options of --help the page does not describe:" $missing
[ -z "$extra" ] || fail "options the page describes but --help does not know:" $extra
exit $failed
