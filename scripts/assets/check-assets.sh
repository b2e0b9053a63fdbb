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

# at_least VALUE MIN / below VALUE MAX: decimal comparisons in millionths,
# without starting a process for each.
at_least() { local a b; printf -v a '%.0f' "${1:-0}e6" 2>/dev/null; printf -v b '%.0f' "$2e6"; ((a >= b)); }
below() { local a b; printf -v a '%.0f' "${1:-0}e6" 2>/dev/null; printf -v b '%.0f' "$2e6"; ((a < b)); }

# png_header FILE: "signature width height bitdepth colourtype", the
# signature as decimal bytes, the rest read from IHDR; one process a file.
png_header() {
  local b
  read -r -a b <<<"$(od -An -tu1 -w26 -N26 "$1")"
  echo "${b[*]:0:8}" "$(((${b[16]:-0} << 24) | (${b[17]:-0} << 16) | (${b[18]:-0} << 8) | ${b[19]:-0}))" \
    "$(((${b[20]:-0} << 24) | (${b[21]:-0} << 16) | (${b[22]:-0} << 8) | ${b[23]:-0}))" "${b[24]:-}" "${b[25]:-}"
}

check_png() { # PATH WIDTH HEIGHT
  local file=$root/$1 header
  if [[ ! -s $file ]]; then fail "$1 is missing"; return 1; fi
  header=$(png_header "$file")
  if [[ $header != "137 80 78 71 13 10 26 10 "* ]]; then fail "$1 is not a PNG file"; return 1; fi
  header=${header#"137 80 78 71 13 10 26 10 "}
  [[ $header == "$2 $3 8 6" ]] || fail "$1 is '$header', expected '$2 $3 8 6' (w h depth RGBA)"
}

# Measuring one file per ImageMagick call costs a process start each; the
# measurements of every themed icon come from one call per quantity instead.
declare -A ALPHA VISIBLE_DARK VISIBLE_LIGHT

# measure_all ARRAY IM-ARGS...: fills ARRAY[path] with the value that the
# format prints for each of the THEMED files.
measure_all() {
  local -n into=$1
  local path value
  shift
  while read -r path value; do
    into[${path#"$root/"}]=$value
  done < <("${IM[@]}" "${THEMED[@]/#/$root/}" "$@" info:)
}

# Lowest and highest alpha as fractions of opaque, and the RMS difference an
# icon makes over each theme background.
measure_themed_icons() {
  ((${#THEMED[@]})) || return 0
  measure_all ALPHA -alpha extract -format "%d/%f %[fx:minima] %[fx:maxima]\n"
  local background
  for background in DARK LIGHT; do
    measure_all "VISIBLE_$background" -background "${!background}" -alpha remove -alpha off \
      null: \( -size 64x64 "xc:${!background}" \) -compose difference -layers composite \
      -colorspace gray -format "%d/%f %[fx:sqrt(mean*mean+standard_deviation*standard_deviation)]\n"
  done
}

check_icon_on_backgrounds() { # PATH
  local range=${ALPHA[$1]:-} contrast background
  [[ -s $root/$1 ]] || return
  [[ $range == "0 1" ]] ||
    fail "$1 needs a transparent background and opaque ink (alpha $range)"
  for background in DARK LIGHT; do
    local -n measured="VISIBLE_$background"
    contrast=${measured[$1]:-0}
    at_least "$contrast" 0.10 ||
      fail "$1 is too faint on ${!background} (difference $contrast)"
  done
}

check_opaque() { # PATH
  [[ -s $root/$1 ]] || return
  [[ ${ALPHA[$1]:-} == "1 1" ]] || fail "$1 should be fully opaque (alpha ${ALPHA[$1]:-unknown})"
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
  at_least "$duration" 0.4 && ! below 0.9 "$duration" || fail "$1 lasts $duration s, expected about 0.6 s"
  peak=$(sox "$file" -n stat 2>&1 | awk '/Maximum amplitude/ { print $3 }')
  at_least "$peak" 0.3 && below "$peak" 0.99 || fail "$1 peaks at $peak: silent or clipping"
}

icon_16_on_theme() { check_png "$1" 16 16 && check_icon_on_backgrounds "$1"; }
arrow_on_theme() { check_png "$1" 10 10 && check_icon_on_backgrounds "$1"; }
flag_png() { check_png "$1" 16 11 && check_opaque "$1"; }

THEMED=()
for name in "${TOOLBAR[@]}" green_up red_down; do THEMED+=("icon/$name.png"); done
for code in "${FLAGS[@]}"; do THEMED+=("icon/flag/$code.png"); done
for id in "${ASSETS[@]}"; do THEMED+=("icon/asset/$id.png"); done
# Missing files are reported by check_png; measure only what is there.
present=()
for path in "${THEMED[@]}"; do [[ -s $root/$path ]] && present+=("$path"); done
THEMED=("${present[@]}")
measure_themed_icons

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
