#!/usr/bin/env bash
# Renders every tab of the main window at its design size to PNG files for review
# (offscreen; no display needed). Pictures go to OUT (default build/render).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
OUT=${OUT:-$BUILD_DIR/render}
[ -f "$BUILD_DIR/build.ninja" ] || cmake -S . -B "$BUILD_DIR" -G Ninja
cmake --build "$BUILD_DIR" --target tst_mainwindow_render -j 2
mkdir -p "$OUT"
HVPP_RENDER_DIR=$(cd "$OUT" && pwd) QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} \
  "$BUILD_DIR/bin/tst_mainwindow_render"
ls -1 "$OUT"/*.png
