#!/bin/sh
# The vim plugin on a real vim: a deck's file type, its guide column, and
# :make filling the quickfix list with every diagnostic at its line and
# column (a note about a whole line too), in vim's own mode and in its
# compatible mode. Skipped (status 77) where vim is not installed.
#   quickfix_test.sh BARLIST_DIR PLUGIN_DIR
set -eu
command -v vim >/dev/null || exit 77
# A tiny vim without scripting cannot run the plugin.
vim --version | grep -q "+eval" || exit 77
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
printf '%s\n' '*B06C001 100CHECKED' 'UWALL             1' ' 11A01001000   1' ' 13A01001000 12' 'Z' \
  '*B06C002 100CUT' 'UPIER             1' >t.deck
expected='
e 3 2 ILLEGAL BAR SIZE (problem C001, unit WALL, bar 11A01)
n 3 2 bar sizes are 10, 13, 16, 19, 22, 25, 29, 32, 36, 43 and 57, right-justified in columns 2-3; use K cards, not empty lines
w 4 13 count punched at the left of its field: read as 12, listed in the bar table as 120
n 4 13 punch the count right-justified in columns 13-16
e 7 0 premature end of file in problem C002
n 7 0 end every problem with a Z card; after the last, put only comments, line skips and blank lines
barlist 80'
for mode in -N -C; do
  rm -f result
  PATH="$1:$PATH" vim -u NONE -i NONE "$mode" -es --cmd "set rtp^=$2" -c 'filetype plugin on' -c 'edit t.deck' \
    -c 'silent make' \
    -c 'redir! > result | for e in getqflist() | echo e.type e.lnum e.col e.text | endfor | echo &filetype &colorcolumn | redir END' \
    -c 'qa!' >/dev/null 2>&1 || true
  actual="$(cat result 2>/dev/null || true)"
  [ "$actual" = "$expected" ] || { printf 'vim %s\nexpected:%s\nactual:%s\n' "$mode" "$expected" "$actual"; exit 1; }
done
