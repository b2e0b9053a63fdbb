#!/usr/bin/env bash
# Builds a Release tree in build-package and the Debian packages from it:
#   build-package/tickerdeck_<version>_amd64.deb      the terminal and the board
#   build-package/tickerdeck-dev_<version>_all.deb    contract headers, CMake package
# then checks them with lintian and the desktop files with their validators.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
dir=build-package
# Debian's own compiler and linker flags, with every hardening feature on.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release -DTICKERDECK_TESTS=OFF -DTICKERDECK_SANITIZE=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags"
(cd "$dir" && rm -f ./*.deb && cpack -G DEB)

desktop-file-validate packaging/org.tickerdeck.terminal.desktop
appstreamcli validate --no-net "$dir/packaging/org.tickerdeck.terminal.metainfo.xml"
# Packages with errors fail here; warnings and notes are shown.
lintian --fail-on error --info "$dir"/tickerdeck_*_amd64.deb "$dir"/tickerdeck-dev_*_all.deb
ls -1 "$dir"/*.deb
