#!/usr/bin/env bash
# Sets up, builds and starts the reference terminal with its demo market.
# Without a display it runs under a virtual one for a few seconds and saves a
# screenshot. Extra arguments go to the terminal (see --help).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTICKERDECK_TESTS=OFF

runtime=build/runtime
# Without a regional locale the numbers lose their thousands separators.
case "${LC_ALL:-${LANG:-C}}" in
  C|C.*|POSIX|"") export LC_ALL=en_US.UTF-8 ;;
esac
if [[ -n "${DISPLAY:-}" ]]; then
  exec "$runtime/tickerdeck-terminal" "$@"
fi

shot="$PWD/build/screenshot.png"
echo "No display: running the terminal on a virtual screen for a few seconds."
xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$runtime/tickerdeck-terminal" --quit-after 6 --screenshot "$shot" "$@"
echo "Screenshot saved: $shot (other windows beside it as ${shot%.png}-N.png)"
