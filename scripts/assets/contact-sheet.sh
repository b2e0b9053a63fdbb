#!/usr/bin/env bash
# Writes contact sheets of every icon, enlarged with hard pixel edges, on the
# dark and on the light theme background, for reviewing the drawings by eye.
# Usage: contact-sheet.sh [OUT_DIR] (default: a temporary directory).
# SCALE (default 4) sets the enlargement.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$(mktemp -d)}
scale=${SCALE:-4}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every icon enlarged into an equal cell so labels line up.
cell=$((16 * scale))
for file in "$root"/icon/*.png "$root"/icon/flag/*.png "$root"/icon/asset/*.png; do
  name=${file#"$root"/icon/}
  name=${name%.png}
  [[ $name == tickerdeck || $name == tickerdeck-48 ]] && continue
  convert "$file" -filter point -resize "$((scale * 100))%" -background none \
    -gravity center -extent "${cell}x${cell}" "$work/${name//\//_}.png"
done
# The larger application marks do not fit a 16-pixel cell; show them apart.
for size in 32 48; do
  file=$root/icon/tickerdeck$([[ $size == 32 ]] || echo "-$size").png
  convert "$file" -filter point -resize "$((scale * 100))%" "$work/tickerdeck_$size.png"
done

cells=()
for file in "$work"/*.png; do
  [[ $file == */tickerdeck_32.png || $file == */tickerdeck_48.png ]] || cells+=("$file")
done

for theme in "dark:#1e2227:#c9ced6" "light:#f3f4f6:#30343a"; do
  IFS=: read -r name background ink <<<"$theme"
  montage "${cells[@]}" -background "$background" -fill "$ink" \
    -font DejaVu-Sans -pointsize 11 -set label '%t' -tile 10x -geometry +6+4 "$work/grid-$name.miff"
  montage "$work/tickerdeck_32.png" "$work/tickerdeck_48.png" -background "$background" \
    -geometry +6+6 "$work/marks-$name.miff"
  convert "$work/grid-$name.miff" "$work/marks-$name.miff" -background "$background" -append \
    +repage "$out/icons-$name.png"
done
echo "$out"
