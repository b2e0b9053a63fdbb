# shellcheck shell=bash
# Country and region flags (16x11) for instrument and exchange lists;
# sourced by make-assets.sh. Simplified to what still reads at this size.

FLAG_W=16
FLAG_H=11
# A faint dark rim keeps white fields from dissolving into light backgrounds.
FLAG_RIM="fill none stroke #0000004a stroke-width 1 rectangle 0.5,0.5 15.5,10.5"

flag() {
  render "$1/$2.png" $FLAG_W $FLAG_H "stroke none $3 $FLAG_RIM"
}

horizontal_tricolour() { # top middle bottom
  echo "fill $1 rectangle 0,0 16,4 fill $2 rectangle 0,4 16,7 fill $3 rectangle 0,7 16,11"
}

vertical_tricolour() { # left middle right
  echo "fill $1 rectangle 0,0 5,11 fill $2 rectangle 5,0 11,11 fill $3 rectangle 11,0 16,11"
}

# The union flag drawn into the box 0,0..W,H, as used by gb and in the
# canton of au.
union_flag() {
  local w=$1 h=$2
  awk -v w="$w" -v h="$h" 'BEGIN {
    cx = w / 2; cy = h / 2; k = h / 11
    printf "fill #012169 rectangle 0,0 %s,%s ", w, h
    printf "push graphic-context fill none stroke #ffffff stroke-width %.3f line 0,0 %s,%s line %s,0 0,%s pop graphic-context ", 2.6 * k, w, h, w, h
    printf "push graphic-context fill none stroke #c8102e stroke-width %.3f line 0,0 %s,%s line %s,0 0,%s pop graphic-context ", 1.0 * k, w, h, w, h
    printf "fill #ffffff rectangle %.3f,0 %.3f,%s rectangle 0,%.3f %s,%.3f ", cx - 2 * k, cx + 2 * k, h, cy - 2.5 * k, w, cy + 2.5 * k
    printf "fill #c8102e rectangle %.3f,0 %.3f,%s rectangle 0,%.3f %s,%.3f ", cx - 1 * k, cx + 1 * k, h, cy - 1.5 * k, w, cy + 1.5 * k
  }'
}

dots_on_circle() { # CX CY R DOT COUNT
  awk -v cx="$1" -v cy="$2" -v r="$3" -v d="$4" -v n="$5" 'BEGIN {
    pi = atan2(0, -1)
    for (i = 0; i < n; i++) {
      a = -pi / 2 + i * 2 * pi / n; x = cx + r * cos(a); y = cy + r * sin(a)
      printf "circle %.3f,%.3f %.3f,%.3f ", x, y, x + d, y
    }
  }'
}

hk_petals() {
  awk 'BEGIN {
    for (i = 0; i < 5; i++) {
      a = -90 + i * 72; t = a * atan2(0, -1) / 180
      printf "push graphic-context translate %.3f,%.3f rotate %d ellipse 0,0 1.55,0.85 0,360 pop graphic-context ", 8 + 1.6 * cos(t), 5.5 + 1.6 * sin(t), a
    }
  }'
}

make_flags() {
  local dir=$1/flag
  local us_stripes="" us_stars="" i
  for ((i = 0; i < 11; i += 2)); do us_stripes+="rectangle 0,$i 16,$((i + 1)) "; done
  for i in 1,1 3,1 5,1 2,2 4,2 1,3 3,3 5,3 2,4 4,4; do
    us_stars+="rectangle $i $((${i%,*} + 1)),$((${i#*,} + 1)) "
  done

  flag "$dir" us "fill #ffffff rectangle 0,0 16,11 fill #b22234 $us_stripes
    fill #3c3b6e rectangle 0,0 7,6 fill #ffffffd0 $us_stars"
  flag "$dir" gb "$(union_flag 16 11)"
  flag "$dir" de "$(horizontal_tricolour '#1a1a1a' '#dd0000' '#ffce00')"
  flag "$dir" fr "$(vertical_tricolour '#0055a4' '#ffffff' '#ef4135')"
  flag "$dir" it "$(vertical_tricolour '#009246' '#ffffff' '#ce2b37')"
  flag "$dir" nl "$(horizontal_tricolour '#ae1c28' '#ffffff' '#21468b')"
  flag "$dir" ch "fill #da291c rectangle 0,0 16,11
    fill #ffffff rectangle 7,2 9,9 rectangle 4.5,4 11.5,7"
  flag "$dir" jp "fill #ffffff rectangle 0,0 16,11 fill #bc002d circle 8,5.5 11.2,5.5"
  flag "$dir" hk "fill #de2910 rectangle 0,0 16,11 fill #ffffff $(hk_petals)"
  flag "$dir" cn "fill #de2910 rectangle 0,0 16,11
    fill #ffde00 polygon $(star 3.6 3.6 2.5 1.0 5)
    $(awk 'BEGIN { split("6.6,1.5 7.8,3 7.8,4.7 6.6,6.1", p, " ");
      for (i in p) { split(p[i], c, ","); printf "circle %s,%s %.2f,%s ", c[1], c[2], c[1] + 0.65, c[2] } }')"
  flag "$dir" sg "fill #ffffff rectangle 0,0 16,11 fill #ef3340 rectangle 0,0 16,5.5
    fill #ffffff circle 3.6,2.9 5.7,2.9 fill #ef3340 circle 4.4,2.9 6.2,2.9
    fill #ffffff $(dots_on_circle 6.3 2.9 1.25 0.45 5)"
  flag "$dir" au "fill #012169 rectangle 0,0 16,11
    push graphic-context $(union_flag 8 5.5) pop graphic-context
    fill #ffffff polygon $(star 4 8.3 1.7 0.75 7)
    circle 12,2.2 12.65,2.2 circle 10,5 10.6,5 circle 14,4.6 14.6,4.6
    circle 12.2,8.6 12.9,8.6 circle 13.3,6.5 13.7,6.5"
  flag "$dir" ca "fill #ffffff rectangle 0,0 16,11 fill #d52b1e rectangle 0,0 4,11 rectangle 12,0 16,11
    polygon $(awk 'BEGIN { n = split("0,-3.7 0.8,-2.3 1.6,-2.7 1.3,-0.9 2.7,-1.8 2.4,-0.7 3.2,-0.4 1.7,1 2,1.9 0.35,1.5 0.35,3.2 -0.35,3.2 -0.35,1.5 -2,1.9 -1.7,1 -3.2,-0.4 -2.4,-0.7 -2.7,-1.8 -1.3,-0.9 -1.6,-2.7 -0.8,-2.3", p, " ");
      for (i = 1; i <= n; i++) { split(p[i], c, ","); printf "%.2f,%.2f ", 8 + c[1], 5.7 + c[2] } }')"
  flag "$dir" kr "fill #ffffff rectangle 0,0 16,11
    fill #0047a0 circle 8,5.5 10.7,5.5
    fill #cd2e3a path 'M 5.3,5.5 A 2.7,2.7 0 0,1 10.7,5.5 A 1.35,1.35 0 0,1 8,5.5 A 1.35,1.35 0 0,0 5.3,5.5 Z'
    fill none stroke #1a1a1a stroke-width 1.1
    line 1.6,3.3 3.4,1.4 line 12.6,1.4 14.4,3.3 line 1.6,7.7 3.4,9.6 line 12.6,9.6 14.4,7.7"
  flag "$dir" eu "fill #003399 rectangle 0,0 16,11 fill #ffcc00 $(dots_on_circle 8 5.5 3.4 0.6 12)"
  flag "$dir" se "fill #006aa7 rectangle 0,0 16,11 fill #fecc00 rectangle 5,0 8,11 rectangle 0,4 16,7"
  flag "$dir" es "fill #aa151b rectangle 0,0 16,11 fill #f1bf00 rectangle 0,3 16,8
    fill #c8404a rectangle 3,4 5,7"
  flag "$dir" in "$(horizontal_tricolour '#ff9933' '#ffffff' '#138808')
    fill none stroke #000080 stroke-width 0.7 circle 8,5.5 9.4,5.5"
  flag "$dir" br "fill #009c3b rectangle 0,0 16,11 fill #ffdf00 polygon 1.6,5.5 8,1.3 14.4,5.5 8,9.7
    fill #002776 circle 8,5.5 10.6,5.5"
}
