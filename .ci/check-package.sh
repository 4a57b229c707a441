#!/usr/bin/env bash
# Checks a built Debian package without installing it: its control fields,
# that it holds what the install rules list and nothing else, that the program
# is stripped and names its version, and that the program unpacked from it
# runs the pier-cap example to the expected reports.
#
#   bash .ci/check-package.sh build-package/barlist_1.2.0-1_amd64.deb
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
deb="$(realpath "${1:?usage: check-package.sh PACKAGE.deb}")"
examples="$root/examples"

fail() {
  echo "check-package: $*" >&2
  exit 1
}

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Control fields: the dependencies come from dpkg-shlibdeps, so an empty
# Depends means it did not run.
dpkg-deb -I "$deb" >"$work/info"
grep -q '^ Package: barlist$' "$work/info" || fail "not the barlist package"
grep -q '^ Depends: .*libc6' "$work/info" || fail "no library dependencies"
grep -q '^ Depends: .*libstdc++6' "$work/info" || fail "no C++ library dependency"
grep -q '^ Maintainer: .*<.*@.*>$' "$work/info" || fail "no maintainer"

# Contents: every file is one of these, and each of these is there.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sort >"$work/files"
expected=(
  ./usr/bin/barlist
  ./usr/share/doc/barlist/README.md
  ./usr/share/doc/barlist/changelog.gz
  ./usr/share/doc/barlist/changelog.Debian.gz
  ./usr/share/lintian/overrides/barlist
  ./usr/share/doc/barlist/copyright
  ./usr/share/vim/vimfiles/compiler/barlist.vim
  ./usr/share/vim/vimfiles/ftdetect/barlist.vim
  ./usr/share/doc/barlist/docs/deck-format.md
  ./usr/share/doc/barlist/examples/pier-cap.deck
  ./usr/share/doc/barlist/examples/pier-cap.tab
)
for f in "${expected[@]}"; do
  grep -qxF "$f" "$work/files" || fail "missing $f"
done
grep -qE '^\./usr/share/man/man1/barlist\.1(\.gz)?$' "$work/files" || fail "missing the manual page"
# The workbench page, when the web build made it before the package.
if [ -f "$root/build-web/barlist.html" ]; then
  grep -qxF ./usr/share/barlist/barlist.html "$work/files" || fail "missing ./usr/share/barlist/barlist.html"
fi
# The language server, when the web build made it before the package.
if [ -f "$root/build-web/barlist-lsp.js" ]; then
  for f in ./usr/bin/barlist-lsp ./usr/share/barlist/barlist-lsp.js ./usr/share/man/man1/barlist-lsp.1.gz; do
    grep -qxF "$f" "$work/files" || fail "missing $f"
  done
fi
stray="$(grep -vE '^\./usr/(bin/barlist(-lsp)?|share/man/man1/barlist(-lsp)?\.1(\.gz)?|share/doc/barlist/.+|share/vim/vimfiles/[a-z]+/barlist\.vim|share/barlist/barlist(\.html|-lsp\.js)|share/lintian/overrides/barlist)$' "$work/files" || true)"
[ -z "$stray" ] || fail "files that are not to be installed: $stray"

dpkg-deb -x "$deb" "$work/root"
program="$work/root/usr/bin/barlist"
if readelf -S "$program" | grep -qE '\.symtab|\.debug_'; then
  fail "the program is not stripped"
fi

# The program names the version the package carries, without its release.
version="$(dpkg-deb -f "$deb" Version)"
version="${version%-*}"
[ "$("$program" --version)" = "barlist $version" ] || fail "barlist --version does not say barlist $version"

# The example run on the command line, from a folder of its own. The
# quantities file shows the date and time of the run, which the expected
# file shows as DD-MMM-YY and HH:MM:SS.
mkdir "$work/run"
cp "$examples/pier-cap.deck" "$work/run/example.deck"
(
  cd "$work/run"
  "$program" example.deck example.qty example.tab >run.out 2>run.err
) || fail "the program failed on the example: $(cat "$work/run/run.err")"
[ ! -s "$work/run/run.out" ] && [ ! -s "$work/run/run.err" ] || fail "the program wrote: $(cat "$work/run/run.out" "$work/run/run.err")"

cmp "$work/run/example.tab" "$examples/pier-cap.tab" || fail "the bar table differs from examples/pier-cap.tab"
sed -E -e 's/^[0-9]{2}-[A-Z]{3}-[0-9]{2} /DD-MMM-YY /' -e 's/^[0-9]{2}:[0-9]{2}:[0-9]{2} /HH:MM:SS /' \
  "$work/run/example.qty" >"$work/run/masked.qty"
cmp "$work/run/masked.qty" "$examples/pier-cap.qty" || fail "the quantities differ from examples/pier-cap.qty"

# Debian's own checks, the pedantic and informational ones too: nothing at all.
lintian --display-info --pedantic --fail-on error,warning,info,pedantic "$deb" || fail "lintian reports tags"

echo "check-package: $(basename "$deb") is sound"
