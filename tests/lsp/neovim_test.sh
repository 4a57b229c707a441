#!/bin/sh
# Runs neovim_test.lua on copies of its decks; 77 (skipped) without nvim.
#   sh neovim_test.sh SERVER
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
command -v nvim >/dev/null || { echo "nvim is not installed"; exit 77; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$here/slips.deck" "$work/"
printf 'F12  yy\nFü1 yy\nG\nF7   \n' >"$work/fixes.deck"
nvim --headless --clean -c "luafile $here/neovim_test.lua" -- "$1" "$here/fake_server.mjs" "$work" </dev/null
