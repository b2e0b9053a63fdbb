#!/usr/bin/env bash
# Regenerates every icon under icon/ and the alert sound under sound/.
# The output is committed; rerun this after changing a drawing. Runs are
# deterministic, so an unchanged drawing gives byte-identical files.
# Needs ImageMagick, sox and awk (installed by scripts/deps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
assets=$root/scripts/assets

source "$assets/lib.sh"
source "$assets/pixelfont.sh"
source "$assets/toolbar.sh"
source "$assets/flags.sh"
source "$assets/badges.sh"
source "$assets/mark.sh"
source "$assets/chime.sh"

make_toolbar_icons "$root/icon"
make_direction_arrows "$root/icon"
make_mark "$root/icon"
make_app_icons "$root/packaging/icons"
make_flags "$root/icon"
make_asset_badges "$root/icon"
make_chime "$root/sound/alert.wav"

"$assets/check-assets.sh" "$root"
