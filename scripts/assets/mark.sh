# shellcheck shell=bash
# The application mark: a tile of stacked quote rows with an up tick.
# Laid out on a 32-unit grid with even coordinates so the 16, 32 and 48
# pixel renderings all land on whole pixels; sourced by make-assets.sh.

MARK_DESIGN="
  stroke none fill #2458d3 roundrectangle 2,2 30,30 6,6
  fill #ffffffe6
  roundrectangle 6,8 18,12 2,2
  roundrectangle 6,14 16,18 2,2
  roundrectangle 6,20 20,24 2,2
  fill #5be38f polygon 25,6 30,13 20,13
  fill #ff8a8a roundrectangle 20,14 26,18 2,2
  fill #5be38f roundrectangle 22,20 26,24 2,2"

make_mark() {
  local dir=$1
  render_scaled "$dir/tickerdeck.png" 32 32 "$MARK_DESIGN"
  render_scaled "$dir/tickerdeck-16.png" 16 32 "$MARK_DESIGN"
  render_scaled "$dir/tickerdeck-48.png" 48 32 "$MARK_DESIGN"
}

# The desktop's application icon at the sizes of the hicolor theme.
make_app_icons() {
  local dir=$1 size
  for size in 16 32 48 128 256; do
    render_scaled "$dir/tickerdeck-$size.png" "$size" 32 "$MARK_DESIGN"
  done
}
