#!/usr/bin/env bash
# Installs a build tree into a staging folder (DESTDIR, prefix /usr), builds
# examples/minimal-host against that installed tree alone, and runs it on a
# virtual display: it must load the installed board plug-in.
#   check-minimal-host.sh BUILD_DIR SOURCE_ROOT [COMPILER_AND_LINKER_FLAGS]
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$2" && pwd)
flags=${3:-}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root/examples/minimal-host" -B "$stage/build" -G Ninja -DCMAKE_PREFIX_PATH="$stage/usr" \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" "${launcher[@]}" >/dev/null
cmake --build "$stage/build" >/dev/null

output=$(xvfb-run -a -s "-screen 0 1280x800x24" "$stage/build/minimal-host" 1)
echo "$output"
expected="loaded Ticker Deck from $stage/usr/lib/tickerdeck/plugins/libtickerdeck.so"
if [[ "$output" != *"$expected"* ]]; then
  echo "expected: $expected" >&2
  exit 1
fi
