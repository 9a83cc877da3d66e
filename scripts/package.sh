#!/usr/bin/env bash
# Builds the Debian package (build/hvpp_<version>_<arch>.deb; set BUILD_DIR to build
# elsewhere): the three programs, their manual pages and data, then cpack, then lintian
# when it is installed. Installs what packaging needs when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh file dpkg-dev help2man gzip
BUILD_DIR=${BUILD_DIR:-build}
[ -f "$BUILD_DIR/build.ninja" ] || cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Configured before help2man was there: look again, so that the manual pages are made.
grep -q '^HVPP_HELP2MAN:FILEPATH=/' "$BUILD_DIR/CMakeCache.txt" || cmake -U HVPP_HELP2MAN "$BUILD_DIR" >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)" --target hvpp hvpp-cli hvpp-sim hvpp_man hvpp_changelog
rm -f "$BUILD_DIR"/hvpp_*.deb
(cd "$BUILD_DIR" && cpack -G DEB >/dev/null)
deb=$(ls "$BUILD_DIR"/hvpp_*.deb)
echo "$deb"
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" && echo "lintian: no errors, no warnings"
else
  echo "lintian is not installed (apt-get install lintian): the package was not checked"
fi
