# shellcheck shell=bash
# Toolbar, menu and widget icons (16x16); sourced by make-assets.sh.
# Style: 1.5 px outlines for round shapes, 2 px for straight strokes, solid
# fills with a darker rim where a light colour must also hold on white.

make_toolbar_icons() {
  local dir=$1 S=16

  render "$dir/add.png" $S $S "
    fill none stroke $GREEN stroke-width 2 stroke-linecap round
    line 8,3 8,13 line 3,8 13,8"

  render "$dir/remove.png" $S $S "
    fill none stroke $RED stroke-width 2 stroke-linecap round
    line 4,4 12,12 line 12,4 4,12"

  render "$dir/alert.png" $S $S "
    fill $AMBER stroke $AMBER_DARK stroke-width 1 stroke-linejoin round
    path 'M 8,2.5 C 5.4,2.5 4,4.5 4,7.2 L 4,9.6 L 2.5,11.5 L 13.5,11.5 L 12,9.6 L 12,7.2 C 12,4.5 10.6,2.5 8,2.5 Z'
    stroke none fill $AMBER_DARK
    circle 8,13.1 9.6,13.1
    circle 8,1.9 8.9,1.9"

  render "$dir/fit.png" $S $S "
    fill none stroke $NEUTRAL stroke-width 1
    line 1.5,3 1.5,14 line 14.5,3 14.5,14
    stroke $BLUE stroke-width 1.5 stroke-linecap round stroke-linejoin round
    line 4,8.5 13,8.5
    polyline 6.5,5.5 3.8,8.5 6.5,11.5
    polyline 10.5,5.5 13.2,8.5 10.5,11.5"

  local colour
  for colour in "history:$NEUTRAL" "history_red:$RED"; do
    render "$dir/${colour%%:*}.png" $S $S "
      $(arc_arrow 8 8.5 5.6 500 214 3.8 "${colour#*:}" 1.5)
      fill none stroke ${colour#*:} stroke-width 2 stroke-linecap round stroke-linejoin round
      polyline 8,6 8,8.5 10,10"
  done

  render "$dir/setting.png" $S $S "
    fill $NEUTRAL stroke none fill-rule evenodd
    path '$(gear 8 8 7.2 5.2 8 2.2)'"

  render "$dir/list.png" $S $S "
    fill none stroke $BLUE stroke-width 2 stroke-linecap round
    line 3,4 13,4 line 5,8 11,8 line 7,12 9,12"

  render "$dir/filter.png" $S $S "
    fill $BLUE stroke $BLUE stroke-width 1 stroke-linejoin round
    polygon 2,2.5 14,2.5 9.5,8 9.5,13.5 6.5,12 6.5,8"

  render "$dir/edit.png" $S $S "
    push graphic-context
      translate 2.3,13.7 rotate -45
      stroke $BLUE_DARK stroke-width 0.8 stroke-linejoin round
      fill #f2d09a polygon 0,0 3.4,-2 3.4,2
      fill $BLUE rectangle 3.4,-2 11,2
      fill #f08b90 rectangle 11,-2 13.4,2
      stroke none fill #2b3340 polygon 0,0 1.3,-0.8 1.3,0.8
    pop graphic-context"

  render "$dir/excel.png" $S $S "
    fill $PAPER stroke $GREEN stroke-width 1
    rectangle 1.5,2.5 14.5,13.5
    stroke none fill $GREEN rectangle 1,2 15,5.5
    fill none stroke $GREEN
    line 2,8.5 14,8.5 line 2,11 14,11
    line 5.5,5 5.5,13 line 10.5,5 10.5,13"

  render "$dir/printer.png" $S $S "
    fill $PAPER stroke $NEUTRAL stroke-width 1
    rectangle 4.5,1.5 11.5,6
    fill $NEUTRAL roundrectangle 1.5,5.5 14.5,11.5 1.5,1.5
    fill $PAPER rectangle 4.5,9.5 11.5,14.5
    fill none line 6,12 10,12
    stroke none fill $GREEN rectangle 11,7 13,8.5"

  render "$dir/refresh.png" $S $S "
    $(arc_arrow 8 8 5.4 200 322 4.4 "$BLUE" 1.6)
    $(arc_arrow 8 8 5.4 20 142 4.4 "$BLUE" 1.6)"

  render "$dir/tab.png" $S $S "
    fill ${NEUTRAL}40 stroke $NEUTRAL stroke-width 1
    rectangle 1.5,6.5 14.5,13.5
    stroke none fill $BLUE
    path 'M 1,7 L 1,4 Q 1,2.5 2.5,2.5 L 7.2,2.5 Q 8.2,2.5 8.6,3.5 L 10,7 Z'"

  render "$dir/horizontal.png" $S $S "
    stroke none fill ${BLUE}b0 rectangle 2,9 14,13
    fill none stroke $NEUTRAL stroke-width 1
    rectangle 1.5,2.5 14.5,13.5
    line 2,8.5 14,8.5"

  render "$dir/vertical.png" $S $S "
    stroke none fill ${BLUE}b0 rectangle 9,3 14,13
    fill none stroke $NEUTRAL stroke-width 1
    rectangle 1.5,2.5 14.5,13.5
    line 8.5,3 8.5,13"

  render "$dir/ladder.png" $S $S "
    stroke none fill $NEUTRAL
    rectangle 1,2 4,4 rectangle 1,5 4,7 rectangle 1,9 4,11 rectangle 1,12 4,14
    fill $RED rectangle 5,2 15,4 rectangle 5,5 11,7
    fill $GREEN rectangle 5,9 12,11 rectangle 5,12 15,14"

  render "$dir/tape.png" $S $S "
    stroke none
    fill $GREEN rectangle 1,2 3,4
    fill $RED rectangle 1,6 3,8
    fill $GREEN rectangle 1,10 3,12
    fill $RED rectangle 1,14 3,16
    fill $NEUTRAL
    rectangle 5,2 10,4 rectangle 12,2 15,4
    rectangle 5,6 9,8 rectangle 11,6 15,8
    rectangle 5,10 10,12 rectangle 12,10 15,12
    rectangle 5,14 9,16 rectangle 11,14 15,16"

  render "$dir/sweeper.png" $S $S "
    stroke none fill $NEUTRAL
    rectangle 1,8 4,14 rectangle 5,8 8,14
    fill ${NEUTRAL}70 rectangle 13,8 16,14
    fill $BLUE rectangle 9,8 12,14
    polygon 8,2 13,2 10.5,6"

  render "$dir/charting.png" $S $S "
    stroke none fill $GREEN
    rectangle 2,5 3,15 rectangle 1,8 4,13
    fill $RED
    rectangle 7,2 8,12 rectangle 6,4 9,9
    fill $GREEN
    rectangle 12,1 13,9 rectangle 11,3 14,7"

  render "$dir/fillscope.png" $S $S "
    stroke none fill $GREEN rectangle 4,5 6,9
    fill $RED rectangle 7,4 9,8
    fill none stroke $NEUTRAL stroke-width 1.6
    circle 6.5,6.5 11.2,6.5
    stroke-width 2.4 stroke-linecap round line 10.2,10.2 13.8,13.8"

  render "$dir/ticket_buy.png" $S $S "
    stroke none fill $BLUE roundrectangle 0,0 16,16 3.5,3.5
    fill $PAPER $(centred_text GLYPH_BOLD B 16 3 0)"

  render "$dir/ticket_sell.png" $S $S "
    stroke none fill $RED roundrectangle 0,0 16,16 3.5,3.5
    fill $PAPER $(centred_text GLYPH_BOLD S 16 3 0)"

  render "$dir/theme.png" $S $S "
    stroke none fill $NEUTRAL path 'M 8,2 A 6,6 0 0,1 8,14 Z'
    fill none stroke $NEUTRAL stroke-width 1.5 circle 8,8 14,8"

  render "$dir/window.png" $S $S "
    fill none stroke $NEUTRAL stroke-width 1
    rectangle 1.5,1.5 11.5,10.5
    stroke none fill $NEUTRAL rectangle 1,1 12,4
    fill none stroke $GREEN stroke-width 2 stroke-linecap round
    line 12,9 12,15 line 9,12 15,12"

  render "$dir/save.png" $S $S "
    stroke none fill $BLUE
    path 'M 1,2.5 Q 1,1 2.5,1 L 12,1 L 15,4 L 15,13.5 Q 15,15 13.5,15 L 2.5,15 Q 1,15 1,13.5 Z'
    fill $PAPER rectangle 4,1 11,5.5 rectangle 3.5,8.5 12.5,15
    fill $BLUE_DARK rectangle 8.5,2 10,4.5
    fill ${NEUTRAL}90 rectangle 5,10.5 11,11.5 rectangle 5,12.5 11,13.5"

  render "$dir/quit.png" $S $S "
    fill none stroke $NEUTRAL stroke-width 1.8 stroke-linecap round stroke-linejoin round
    polyline $(arc_line 8 8.5 5.5 310 590)
    line 8,2 8,8"
}
