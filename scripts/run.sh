#!/usr/bin/env bash
# Builds hvpp and runs it. With a display: the window. Without one: the command-line
# front end checks the connection and detects the chip. PORT names the programmer's serial
# port (COMn, /dev/ttyUSB0); without it the built-in simulated programmer is used.
set -euo pipefail
cd "$(dirname "$0")/.."
# Only the programs: the tests and benchmarks wait for scripts/test.sh.
bash scripts/build.sh hvpp hvpp-cli hvpp-sim >/dev/null
BIN=${BUILD_DIR:-build}/bin
PORT=${PORT:-sim}
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$BIN/hvpp" ] && [ "${HVPP_CLI:-}" != 1 ]; then
  exec "$BIN/hvpp" --port "$PORT" "$@"
fi
"$BIN/hvpp-cli" --port "$PORT" check
"$BIN/hvpp-cli" --port "$PORT" detect
