#!/usr/bin/env bash
# Builds the Debian package from this build tree and checks it: what a Debian user relies on
# (stripped programs, computed Depends plus a CJK font, copyright, changelog, manual pages,
# data under share/hvpp, the help once) and lintian without errors or warnings.
# Exit 77 (skipped) where cpack's Debian tools or lintian are missing.
set -uo pipefail
BUILD=$1
for tool in lintian dpkg-deb dpkg-shlibdeps file cpack help2man; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
check() { # description, command...
  local what=$1; shift
  if "$@" >/dev/null 2>&1; then echo "ok   $what"; else echo "FAIL $what"; fail=1; fi
}

cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/hvpp_*.deb) || { echo "no package"; exit 1; }
dpkg-deb -x "$deb" "$work/root"
control=$(dpkg-deb -f "$deb")
depends=$(dpkg-deb -f "$deb" Depends)
version=$(sed -n 's/^project(hvpp VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")

check "version $version from CMakeLists.txt" test "$(dpkg-deb -f "$deb" Version)" = "$version"
check "Depends computed from the programs (Qt)" grep -q 'libqt6core6' <<<"$depends"
check "Depends names a CJK font" grep -q 'fonts-noto-cjk | fonts-wqy-microhei' <<<"$depends"
check "maintainer is not on localhost" bash -c "! grep -qi '^Maintainer:.*localhost' <<<\"\$0\"" "$control"
check "extended description" test "$(dpkg-deb -f "$deb" Description | wc -l)" -gt 3
for prog in hvpp hvpp-cli hvpp-sim; do
  check "$prog is stripped" bash -c "file -b '$work/root/usr/bin/$prog' | grep -q ', stripped'"
  check "manual page of $prog" test -s "$work/root/usr/share/man/man1/$prog.1.gz"
  check "$prog's manual page has its version" bash -c "zcat '$work/root/usr/share/man/man1/$prog.1.gz' | grep -q '$version'"
done
check "copyright names the MIT (Expat) licence" grep -q 'License: Expat' "$work/root/usr/share/doc/hvpp/copyright"
check "changelog compressed" gzip -t "$work/root/usr/share/doc/hvpp/changelog.gz"
check "fuse description files under share/hvpp" test -f "$work/root/usr/share/hvpp/Set/ATMEGA8.FUS"
check "English translation under share/hvpp" test -s "$work/root/usr/share/hvpp/translations/hvpp_en.qm"
check "help in both languages under share/hvpp" test -f "$work/root/usr/share/hvpp/help/help_en.html"
check "the help installed once" test "$(find "$work/root" -name 'help.html' | wc -l)" -eq 1
size=$(du -sk --apparent-size "$work/root" | cut -f1)
declared=$(dpkg-deb -f "$deb" Installed-Size)
check "Installed-Size $declared KiB fits the files ($size KiB)" test "$declared" -ge $((size * 9 / 10)) -a "$declared" -le $((size * 12 / 10 + 8))

lintian --fail-on error,warning --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1
status=$?
cat "$work/lintian.log"
check "lintian: no errors, no warnings" test $status -eq 0
exit $fail
