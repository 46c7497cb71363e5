#!/usr/bin/env bash
# Installs what is missing, builds, and starts Zerantix on the example workbook.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DZX_BUILD_TESTS=OFF
program=${BUILD_DIR:-build}/src/zerantix
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
No display found (DISPLAY is not set), so the program window cannot open here.
The program is built. Start it in a graphical session, or under Xvfb:
  xvfb-run -a -s "-screen 0 1280x1024x24" $program "$PWD/examples"
MSG
  exit 1
fi
exec "$program" "$PWD/examples"
