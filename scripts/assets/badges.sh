# shellcheck shell=bash
# Asset-class badges (16x16) shown before instrument names, and the
# trade-direction arrows used inside grid cells; sourced by make-assets.sh.

# id:letters:colour — every class gets its own hue, all share the shape.
ASSET_BADGES=(
  "equity:EQ:#2f6fdd"
  "etf:ET:#0d8f84"
  "bond:BD:#b86a0b"
  "warrant:WT:#7c4fe0"
  "fund:FD:#1f9048"
  "reit:RE:#d9531e"
  "index:IX:#4a44c8"
  "future:FU:#b4279a"
  "option:OP:#0e7fa6"
  "fx:FX:#546275"
)

make_asset_badges() {
  local dir=$1/asset entry id letters colour
  for entry in "${ASSET_BADGES[@]}"; do
    IFS=: read -r id letters colour <<<"$entry"
    render "$dir/$id.png" 16 16 "
      stroke none fill $colour roundrectangle 0,0 16,16 3.5,3.5
      fill $PAPER $(centred_text GLYPH_SMALL "$letters" 16 4 1)"
  done
}

make_direction_arrows() {
  local dir=$1
  render "$dir/green_up.png" 10 10 "stroke none fill #26a65b polygon 5,1 9.5,8.5 0.5,8.5"
  render "$dir/red_down.png" 10 10 "stroke none fill #e5484d polygon 0.5,1.5 9.5,1.5 5,9"
}
