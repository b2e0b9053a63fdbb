#!/usr/bin/env bash
# Verifies the committed icons and alert sound: every file the program loads
# exists with the size and pixel format it expects, toolbar icons stay
# visible on both the dark and the light theme, and the chime is a short,
# audible, unclipped 16-bit mono 44.1 kHz PCM file.
# Usage: check-assets.sh [REPO_ROOT]. Exits non-zero on the first report.
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
if command -v magick >/dev/null 2>&1; then IM=(magick); else IM=(convert); fi

failures=0     # individual findings
bad_files=0    # files with at least one finding
checked=0      # files looked at
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# check FUNCTION ARGS...: runs the checks of one file and counts the file.
check() {
  local before=$failures
  checked=$((checked + 1))
  "$@"
  ((failures == before)) || bad_files=$((bad_files + 1))
}

TOOLBAR=(add alert fit history history_red setting list edit remove excel filter printer
  refresh tab horizontal vertical ladder tape sweeper charting fillscope ticket_buy
  ticket_sell theme window save quit)
FLAGS=(us gb de fr nl ch jp hk cn sg au ca kr eu se it es in br)
ASSETS=(equity etf bond warrant fund reit index future option fx)
DARK='#1e2227'
LIGHT='#f3f4f6'

# png_header FILE: "width height bitdepth colourtype", read from IHDR.
png_header() {
  local bytes
  read -r -a bytes <<<"$(od -An -tu1 -j16 -N10 "$1" | tr -s ' \n' '  ')"
  echo "$(((bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3]))" \
    "$(((bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7]))" "${bytes[8]}" "${bytes[9]}"
}

check_png() { # PATH WIDTH HEIGHT
  local file=$root/$1 header
  if [[ ! -s $file ]]; then fail "$1 is missing"; return 1; fi
  if [[ $(head -c 8 "$file" | od -An -tx1 | tr -d ' \n') != 89504e470d0a1a0a ]]; then
    fail "$1 is not a PNG file"; return 1
  fi
  header=$(png_header "$file")
  [[ $header == "$2 $3 8 6" ]] || fail "$1 is '$header', expected '$2 $3 8 6' (w h depth RGBA)"
}

# alpha_range FILE: lowest and highest alpha as fractions of opaque.
alpha_range() {
  "${IM[@]}" "$1" -alpha extract -format "%[fx:minima] %[fx:maxima]" info:
}

# visibility FILE BACKGROUND: RMS difference the icon makes over BACKGROUND.
visibility() {
  "${IM[@]}" -size "$(identify -format %wx%h "$1")" "xc:$2" "$1" -composite \
    -size "$(identify -format %wx%h "$1")" "xc:$2" -compose difference -composite \
    -colorspace gray -format "%[fx:sqrt(mean*mean+standard_deviation*standard_deviation)]" info:
}

check_icon_on_backgrounds() { # PATH
  local file=$root/$1 range background contrast
  [[ -s $file ]] || return
  range=$(alpha_range "$file")
  awk -v r="$range" 'BEGIN { split(r, a, " "); exit !(a[1] == 0 && a[2] == 1) }' ||
    fail "$1 needs a transparent background and opaque ink (alpha $range)"
  for background in "$DARK" "$LIGHT"; do
    contrast=$(visibility "$file" "$background")
    awk -v c="$contrast" 'BEGIN { exit !(c >= 0.10) }' ||
      fail "$1 is too faint on $background (difference $contrast)"
  done
}

check_opaque() { # PATH
  local range
  [[ -s $root/$1 ]] || return
  range=$(alpha_range "$root/$1")
  [[ $range == "1 1" ]] || fail "$1 should be fully opaque (alpha $range)"
}

check_sound() { # PATH
  local file=$root/$1 rate channels bits encoding duration peak
  if [[ ! -s $file ]]; then fail "$1 is missing"; return; fi
  rate=$(soxi -r "$file") channels=$(soxi -c "$file") bits=$(soxi -b "$file")
  encoding=$(soxi -e "$file") duration=$(soxi -D "$file")
  [[ $(head -c 4 "$file") == RIFF ]] || fail "$1 is not a RIFF WAVE file"
  [[ $rate == 44100 && $channels == 1 && $bits == 16 ]] ||
    fail "$1 is ${rate} Hz, ${channels} channel(s), ${bits} bit; expected 44100 Hz mono 16 bit"
  [[ $encoding == "Signed Integer PCM" ]] || fail "$1 encoding is '$encoding', expected PCM"
  awk -v d="$duration" 'BEGIN { exit !(d >= 0.4 && d <= 0.9) }' || fail "$1 lasts $duration s, expected about 0.6 s"
  peak=$(sox "$file" -n stat 2>&1 | awk '/Maximum amplitude/ { print $3 }')
  awk -v p="$peak" 'BEGIN { exit !(p >= 0.3 && p < 0.99) }' || fail "$1 peaks at $peak: silent or clipping"
}

icon_16_on_theme() { check_png "$1" 16 16 && check_icon_on_backgrounds "$1"; }
arrow_on_theme() { check_png "$1" 10 10 && check_icon_on_backgrounds "$1"; }
flag_png() { check_png "$1" 16 11 && check_opaque "$1"; }

for name in "${TOOLBAR[@]}"; do check icon_16_on_theme "icon/$name.png"; done
check check_png icon/tickerdeck-16.png 16 16
check check_png icon/tickerdeck.png 32 32
check check_png icon/tickerdeck-48.png 48 48
for name in green_up red_down; do check arrow_on_theme "icon/$name.png"; done
for code in "${FLAGS[@]}"; do check flag_png "icon/flag/$code.png"; done
for id in "${ASSETS[@]}"; do check icon_16_on_theme "icon/asset/$id.png"; done
check check_sound sound/alert.wav

echo "assets: $((checked - bad_files)) passed, $bad_files failed"
((failures == 0))
