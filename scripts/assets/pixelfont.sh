# shellcheck shell=bash disable=SC2034 # names defined here are used by the files that source this one
# A tiny hand-drawn pixel font for the letters on badges; sourced, not run.
# Glyphs are rows of '#' (ink) and '.' (empty) so letters stay razor sharp at
# 16 pixels, where any outline font turns to grey mush.

declare -A GLYPH_SMALL=(
  [B]='####. #...# #...# ####. #...# #...# ####.'
  [D]='####. #...# #...# #...# #...# #...# ####.'
  [E]='##### #.... #.... ####. #.... #.... #####'
  [F]='##### #.... #.... ####. #.... #.... #....'
  [I]='### .#. .#. .#. .#. .#. ###'
  [O]='.###. #...# #...# #...# #...# #...# .###.'
  [P]='####. #...# #...# ####. #.... #.... #....'
  [Q]='.###. #...# #...# #...# #.#.# #..#. .##.#'
  [R]='####. #...# #...# ####. #.#.. #..#. #...#'
  [T]='##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..'
  [U]='#...# #...# #...# #...# #...# #...# .###.'
  [W]='#...# #...# #...# #.#.# #.#.# #.#.# .#.#.'
  [X]='#...# #...# .#.#. ..#.. .#.#. #...# #...#'
)

# Bold capitals with two-pixel stems for the single-letter order tickets.
declare -A GLYPH_BOLD=(
  [B]='#####. ##..## ##..## ##..## #####. ##..## ##..## ##..## #####.'
  [S]='.####. ##..## ##.... ##.... .####. ....## ....## ##..## .####.'
)

# glyph_width FONT LETTER
glyph_width() {
  local -n font=$1
  local rows
  read -r -a rows <<<"${font[$2]}"
  echo "${#rows[0]}"
}

# glyph_rects FONT LETTER X Y: MVG rectangles for the ink of one letter.
glyph_rects() {
  local -n font=$1
  local letter=$2 x0=$3 y0=$4
  local rows out="" y x row
  read -r -a rows <<<"${font[$letter]}"
  for ((y = 0; y < ${#rows[@]}; y++)); do
    row=${rows[y]}
    for ((x = 0; x < ${#row}; x++)); do
      if [[ ${row:x:1} == "#" ]]; then
        out+="rectangle $((x0 + x)),$((y0 + y)) $((x0 + x + 1)),$((y0 + y + 1)) "
      fi
    done
  done
  echo "$out"
}

# centred_text FONT TEXT BOX_WIDTH Y GAP: the rectangles of TEXT centred
# horizontally in a box of BOX_WIDTH pixels, GAP pixels between letters.
centred_text() {
  local font=$1 text=$2 box=$3 y=$4 gap=$5
  local total=0 i width x out=""
  for ((i = 0; i < ${#text}; i++)); do
    width=$(glyph_width "$font" "${text:i:1}")
    total=$((total + width + (i ? gap : 0)))
  done
  x=$(((box - total) / 2))
  for ((i = 0; i < ${#text}; i++)); do
    out+=$(glyph_rects "$font" "${text:i:1}" "$x" "$y")
    out+=" "
    x=$((x + $(glyph_width "$font" "${text:i:1}") + gap))
  done
  echo "$out"
}
