# shellcheck shell=bash disable=SC2034 # names defined here are used by the files that source this one
# Drawing helpers shared by the asset generators; sourced, not run.
#
# Every picture is described in MVG with coordinates in final pixels, where
# pixel (x, y) spans x..x+1 and y..y+1, so a 1-wide stroke centred on a half
# coordinate, or a fill between whole ones, lands exactly on the pixel grid.
# It is drawn SUPERSAMPLE times larger and averaged down with a box filter:
# that gives smooth, predictable edges without ImageMagick's own antialiasing
# smearing axis-aligned shapes over two pixels.

SUPERSAMPLE=8

if command -v magick >/dev/null 2>&1; then
  IM=(magick)
else
  IM=(convert)
fi

# Palette. Mid tones were picked to keep at least about 3:1 contrast against
# both the dark (#1e2227) and the light (#f3f4f6) toolbar backgrounds.
NEUTRAL='#7c8698'
PAPER='#ffffff'
BLUE='#3b7ff0'
BLUE_DARK='#1f5bc4'
GREEN='#26a65b'
RED='#e5484d'
AMBER='#f0a020'
AMBER_DARK='#a8660a'

# render OUT WIDTH HEIGHT MVG: draws MVG and writes OUT as 8-bit RGBA PNG.
# Metadata chunks (dates, names) are stripped so reruns give identical bytes.
render() {
  local out=$1 width=$2 height=$3 mvg=$4
  mkdir -p "$(dirname "$out")"
  "${IM[@]}" -size $((width * SUPERSAMPLE))x$((height * SUPERSAMPLE)) xc:none \
    -draw "translate -0.5,-0.5 scale $SUPERSAMPLE,$SUPERSAMPLE $mvg" \
    -filter box -resize "${width}x${height}!" \
    -strip -define png:exclude-chunks=date,time PNG32:"$out"
}

# render_scaled OUT SIZE DESIGN_SIZE MVG: draws MVG laid out on a
# DESIGN_SIZE square at SIZE pixels (used for the application mark).
render_scaled() {
  local out=$1 size=$2 design=$3 mvg=$4
  local factor
  factor=$(awk -v s="$size" -v d="$design" -v k="$SUPERSAMPLE" 'BEGIN { printf "%.6f", s * k / d }')
  mkdir -p "$(dirname "$out")"
  "${IM[@]}" -size $((size * SUPERSAMPLE))x$((size * SUPERSAMPLE)) xc:none \
    -draw "translate -0.5,-0.5 scale $factor,$factor $mvg" \
    -filter box -resize "${size}x${size}!" \
    -strip -define png:exclude-chunks=date,time PNG32:"$out"
}

# ImageMagick strokes the chord of an unfilled path arc as well, so arcs are
# drawn as fine polylines instead.
ARC_AWK='
  function arc_points(cx, cy, r, a0, a1,    n, i, t, out) {
    n = int((a1 > a0 ? a1 - a0 : a0 - a1) / 4) + 2
    out = ""
    for (i = 0; i <= n; i++) {
      t = (a0 + (a1 - a0) * i / n) * atan2(0, -1) / 180
      out = out sprintf("%.3f,%.3f ", cx + r * cos(t), cy + r * sin(t))
    }
    return out
  }'

# arc_arrow CX CY R FROM TO HEAD COLOUR WIDTH: a stroked circular arc with a
# solid arrow head at its TO end pointing along the direction of travel.
# Angles are degrees, clockwise from three o'clock; TO < FROM runs
# counter-clockwise.
arc_arrow() {
  awk -v cx="$1" -v cy="$2" -v r="$3" -v a0="$4" -v a1="$5" -v h="$6" \
      -v colour="$7" -v width="$8" "$ARC_AWK"'
  BEGIN {
    pi = atan2(0, -1); t1 = a1 * pi / 180
    s = a1 > a0 ? 1 : -1
    # The stroke stops under the head so its butt end cannot poke out.
    stop = a1 - s * (h * 0.5 / r) * 180 / pi
    x1 = cx + r * cos(t1); y1 = cy + r * sin(t1)
    dx = -sin(t1) * s; dy = cos(t1) * s   # unit tangent along travel
    px = -dy; py = dx                      # unit normal
    bx = x1 - dx * h * 0.45; by = y1 - dy * h * 0.45
    printf "push graphic-context fill none stroke %s stroke-width %s stroke-linecap butt stroke-linejoin round ", colour, width
    printf "polyline %s pop graphic-context ", arc_points(cx, cy, r, a0, stop)
    printf "push graphic-context stroke none fill %s ", colour
    printf "polygon %.3f,%.3f %.3f,%.3f %.3f,%.3f pop graphic-context ", \
      bx + dx * h, by + dy * h, bx + px * h * 0.62, by + py * h * 0.62, bx - px * h * 0.62, by - py * h * 0.62
  }'
}

# arc_line CX CY R FROM TO: polyline points of a circular arc, same angles.
arc_line() {
  awk -v cx="$1" -v cy="$2" -v r="$3" -v a0="$4" -v a1="$5" "$ARC_AWK"'
  BEGIN { print arc_points(cx, cy, r, a0, a1) }'
}

# star CX CY OUTER INNER POINTS: polygon points of a star with one point up.
star() {
  awk -v cx="$1" -v cy="$2" -v ro="$3" -v ri="$4" -v n="$5" 'BEGIN {
    pi = atan2(0, -1)
    for (i = 0; i < 2 * n; i++) {
      a = -pi / 2 + i * pi / n; rr = i % 2 ? ri : ro
      printf "%.3f,%.3f ", cx + rr * cos(a), cy + rr * sin(a)
    }
  }'
}

# gear CX CY OUTER INNER TEETH HOLE: path data of a toothed wheel with a
# round hole (draw it with fill-rule evenodd).
gear() {
  awk -v cx="$1" -v cy="$2" -v ro="$3" -v ri="$4" -v n="$5" -v hole="$6" 'BEGIN {
    pi = atan2(0, -1); step = 2 * pi / n
    top = step * 0.20; base = step * 0.32
    for (i = 0; i < n; i++) {
      c = -pi / 2 + i * step
      printf "%s %.3f,%.3f ", i ? "L" : "M", cx + ri * cos(c - base), cy + ri * sin(c - base)
      printf "L %.3f,%.3f ", cx + ro * cos(c - top), cy + ro * sin(c - top)
      printf "L %.3f,%.3f ", cx + ro * cos(c + top), cy + ro * sin(c + top)
      printf "L %.3f,%.3f ", cx + ri * cos(c + base), cy + ri * sin(c + base)
    }
    printf "Z M %.3f,%.3f A %.3f,%.3f 0 1,0 %.3f,%.3f A %.3f,%.3f 0 1,0 %.3f,%.3f Z",
      cx + hole, cy, hole, hole, cx - hole, cy, hole, hole, cx + hole, cy
  }'
}
