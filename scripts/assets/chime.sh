# shellcheck shell=bash
# The alert chime: two soft bell tones a fifth apart, the second entering
# while the first rings out; sourced by make-assets.sh.
# -R fixes sox's random seed and -D turns off dither, which would otherwise
# add fresh noise on every run and make the file differ each time.

CHIME_RATE=44100

# bell_tone OUT FREQUENCY DELAY: a sine with a quieter octave partial, a
# soft 10 ms attack and a bell-like decay (about 6 dB per 100 ms: the slow
# tail of a long logarithmic fade), starting DELAY seconds in.
bell_tone() {
  local out=$1 freq=$2 delay=$3 ring=1.4 length=0.56
  local octave
  octave=$(awk -v f="$freq" 'BEGIN { print f * 2 }')
  sox -R -D -n -r $CHIME_RATE -c 1 -b 16 "$out.base.wav" synth $ring sine "$freq" vol 0.75
  sox -R -D -n -r $CHIME_RATE -c 1 -b 16 "$out.octave.wav" synth $ring sine "$octave" vol 0.18
  sox -R -D -m "$out.base.wav" "$out.octave.wav" "$out.raw.wav"
  sox -R -D "$out.raw.wav" "$out" fade l 0.01 $ring $ring trim 0 $length fade t 0 $length 0.12 pad "$delay"
  rm -f "$out.base.wav" "$out.octave.wav" "$out.raw.wav"
}

make_chime() {
  local out=$1 work
  work=$(mktemp -d)
  mkdir -p "$(dirname "$out")"
  bell_tone "$work/low.wav" 880 0
  bell_tone "$work/high.wav" 1318.5 0.15
  sox -R -D -m "$work/low.wav" "$work/high.wav" -r $CHIME_RATE -c 1 -b 16 -e signed-integer "$out" \
    trim 0 0.62 fade t 0 0.62 0.06 gain -n -3
  rm -rf "$work"
}
