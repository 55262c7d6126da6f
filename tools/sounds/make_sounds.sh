#!/bin/bash
# Makes the program's sounds into resources/sounds: the game sounds, the "New" turn sound
# and the twenty chatter sounds. Everything is synthesised (sox) or spoken (espeak-ng);
# five chatter sounds are MPEG Layer III (lame) in a wave wrapper (wrap_mp3.py).
# The output is committed; run this again only to change a sound. sox runs with -R so
# its noise and dither are the same on every run.
#
# Usage: make_sounds.sh [FOLDER]   (default: resources/sounds of this repository); the
# resource list sounds.qrc is written beside FOLDER.
# Needs: sox, espeak-ng, lame, python3.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../../resources/sounds}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

for tool in sox espeak-ng lame python3; do
    command -v "$tool" >/dev/null || { echo "make_sounds.sh: $tool is missing" >&2; exit 1; }
done

# tone FILE RATE CHANNELS LENGTH SYNTH-SPECS... [-- EFFECTS...]
# One synth run with as many generator channels as asked, mixed down to one 16-bit channel
# (by an even mix unless the effects hold their own remix).
tone() {
    local file=$1 rate=$2 channels=$3 length=$4
    shift 4
    local specs=() effects=()
    while (($#)) && [[ $1 != -- ]]; do specs+=("$1"); shift; done
    (($#)) && shift
    effects=("$@")
    [[ " ${effects[*]} " == *" remix "* ]] || effects=(remix - "${effects[@]}")
    sox -R -r "$rate" -c "$channels" -n -b 16 -c 1 "$file" synth "$length" "${specs[@]}" gain -6 \
        "${effects[@]}"
}

# pcm FILE.wav NAME RATE BITS: final conversion to mono PCM of the given rate and depth.
pcm() {
    local encoding=signed-integer
    [[ $4 == 8 ]] && encoding=unsigned-integer
    sox -R "$1" -r "$3" -b "$4" -e "$encoding" -c 1 "$out/$2.wav" norm -1
}

# say FILE VOICE PITCH SPEED TEXT: espeak-ng speech at 22050 Hz, 16 bit.
say() {
    espeak-ng -v "$2" -p "$3" -s "$4" -w "$1" "$5"
}

# silence FILE RATE LENGTH
silence() {
    sox -R -r "$2" -c 1 -n -b 16 "$1" trim 0 "$3"
}

# mp3 FILE.wav NAME: MPEG Layer III at 22050 Hz mono, wrapped as a wave file.
mp3() {
    sox -R "$1" -r 22050 -b 16 -c 1 "$2-src.wav" norm -1
    lame --quiet -t -m m -b 32 --resample 22.05 "$2-src.wav" "$2.mp3"
    python3 "$here/wrap_mp3.py" "$2.mp3" "$2-src.wav" "$out/$2.wav"
}

# ---- game sounds, 44100 Hz 16 bit, 0.10 to 0.35 s ----

# A soft clock tick.
tone tick.wav 44100 2 0.10 sine 1600 sine 2400 -- fade l 0.001 0.1 0.095 lowpass 4000 norm -9
pcm tick.wav TICK 44100 16

# A wooden knock for a tile put down.
tone place.wav 44100 2 0.12 sine 420-260 pinknoise -- remix 1v0.9,2v0.2 lowpass 2500 \
    fade l 0.002 0.12 0.11 norm -4
pcm place.wav PLACE 44100 16

# A short falling sweep for a tile taken away.
tone clear.wav 44100 2 0.25 sine 900-180 pinknoise -- remix 1v0.8,2v0.15 lowpass 3000 \
    fade h 0.005 0.25 0.2 norm -4
pcm clear.wav CLEAR 44100 16

# A bright rising chime for a word.
tone goodword.wav 44100 4 0.5 pluck C6 pluck E6 pluck G6 pluck C7 -- delay 0 0.05 0.10 0.15 \
    remix - fade 0 0.35 0.12 norm -2
pcm goodword.wav GOODWORD 44100 16

# A low buzz for a refused steal.
tone badword.wav 44100 2 0.3 square 110 square 116.5 -- lowpass 900 fade l 0.01 0.3 0.06 norm -3
pcm badword.wav BADWORD 44100 16

# ---- 22050 Hz 8 bit, about 1 s ----

# The own turn: two bell notes rising into a major chord.
tone start.wav 44100 3 1.0 pluck G5 pluck C6 pluck E6 -- delay 0 0.15 0.15 remix - \
    fade 0 1.0 0.35 norm -1
pcm start.wav START 22050 8

# A brass fanfare for the end of a game: C E G, then a held C major chord.
brass() { tone "$1" 22050 "$2" "$3" "${@:4}" -- lowpass 2200 fade t 0.01 "$3" 0.04 norm -3; }
brass f1.wav 1 0.14 sawtooth C5
brass f2.wav 1 0.14 sawtooth E5
brass f3.wav 1 0.14 sawtooth G5
tone f4.wav 22050 4 0.58 sawtooth C5 sawtooth E5 sawtooth G5 sawtooth C6 -- lowpass 2200 \
    tremolo 6 15 fade t 0.01 0.58 0.3 norm -3
sox -R f1.wav f2.wav f3.wav f4.wav gameover.wav
pcm gameover.wav GAMEOVER 22050 8

# ---- 11025 Hz 8 bit ----

# Somebody came in: a two-note door chime, 0.8 s.
bell() { tone "$1" 11025 2 0.4 sine "$2" sine "$3" -- remix 1v0.8,2v0.2 fade l 0.003 0.4 0.38 norm -2; }
bell d1.wav 659.3 1817
bell d2.wav 523.3 1443
sox -R d1.wav d2.wav entered.wav
pcm entered.wav ENTERED 11025 8

# A steal done: a quick rising swipe, then two ringing notes; 1.25 s.
tone r1.wav 44100 2 0.35 sine 300-1500 pinknoise -- remix 1v0.7,2v0.2 fade h 0.05 0.35 0.1 norm -4
tone r2.wav 44100 2 0.9 pluck C5 pluck G5 -- delay 0 0.12 remix - fade 0 0.9 0.4 norm -2
sox -R r1.wav r2.wav roundover.wav
pcm roundover.wav ROUNDOVER 11025 8

# ---- the "New" turn sound: a soft marimba-like rising pair ----
tone n1.wav 22050 2 0.22 sine A5 sine A6 -- remix 1v0.85,2v0.15 fade l 0.004 0.22 0.2 norm -3
tone n2.wav 22050 2 0.4 sine E6 sine E7 -- remix 1v0.85,2v0.15 fade l 0.004 0.4 0.37 norm -3
sox -R n1.wav n2.wav turnnew.wav
pcm turnnew.wav TURNNEW 22050 16

# ---- chatter sounds ----

say w1.wav en-us+m3 30 150 "Doh!"
pcm w1.wav WAVE1 11025 8

# Two coughs: a voiced thump with a noisy tail.
cough() {
    tone "$1" 11025 3 0.28 brownnoise whitenoise sine "$2" -- remix 1v0.5,2v0.25,3v0.35 \
        bandpass 900 1.2q fade p 0.008 0.28 0.22 norm -2
}
cough c1.wav 170
cough c2.wav 150
silence cgap.wav 11025 0.12
sox -R c1.wav cgap.wav c2.wav cough.wav
pcm cough.wav WAVE2 11025 8

say w3.wav en-us 55 160 "Hello!"
pcm w3.wav WAVE3 22050 8

say w4.wav en+m1 50 150 "Thank you!"
pcm w4.wav WAVE4 11025 8

say w5.wav en-us+m3 60 150 "Where have you been?"
pcm w5.wav WAVE5 22050 8

# Snoring: a rumbling in-breath and a soft out-breath.
tone s1.wav 22050 2 1.5 brownnoise sawtooth 38 -- remix 1v0.6,2v0.4 lowpass 500 tremolo 38 70 \
    fade h 0.6 1.5 0.5 norm -2
tone s2.wav 22050 1 1.2 pinknoise -- lowpass 1200 fade h 0.3 1.2 0.8 norm -14
silence sgap.wav 22050 0.2
sox -R s1.wav sgap.wav s2.wav snore1.wav
sox -R snore1.wav sgap.wav snore1.wav snoring.wav
mp3 snoring.wav WAVE6

# Sneezing: "ah... ah..." and a noisy burst.
say n_ah.wav en+f2 75 120 "ah, ahh,"
tone n_choo.wav 22050 2 0.45 whitenoise pinknoise -- remix 1v0.6,2v0.4 highpass 1500 \
    fade p 0.01 0.45 0.35 norm -1
sox -R n_ah.wav n_choo.wav sneeze.wav
pcm sneeze.wav WAVE7 11025 8

say w8.wav en-us 45 140 "Sorry."
pcm w8.wav WAVE8 8000 8

say w9.wav en+f3 60 150 "Welcome!"
pcm w9.wav WAVE9 22050 8

say w10.wav en-us+m3 85 150 "Yee haw!"
pcm w10.wav WAVE10 22254 8

say w11.wav en+f4 90 170 "Yippee!"
pcm w11.wav WAVE11 11025 8

say w12.wav en-us+m3 40 110 "Oh no!"
pcm w12.wav WAVE12 8000 8

# Applause: many hand claps at scattered times over a soft bed of noise.
RANDOM=1307
clap_files=()
for i in $(seq 1 140); do
    centre=$((900 + RANDOM % 1400))
    # Arithmetic only: a command substitution would reseed RANDOM in its subshell.
    milliseconds=$((RANDOM % 2000))
    start=$((milliseconds / 1000)).$((milliseconds / 100 % 10))$((milliseconds / 10 % 10))$((milliseconds % 10))
    tone "clap$i.wav" 11025 1 0.06 whitenoise -- bandpass "$centre" 1.5q fade l 0.002 0.06 0.055 \
        vol 0.$((3 + RANDOM % 6)) pad "$start"
    clap_files+=("clap$i.wav")
done
tone bed.wav 11025 1 2.3 pinknoise -- bandpass 1500 2q vol 0.08
sox -R -m "${clap_files[@]}" bed.wav applause_raw.wav
sox -R applause_raw.wav applause.wav trim 0 2.3 fade h 0.2 2.3 0.6 norm -1
pcm applause.wav WAVE13 11025 8

# Honk honk: two square waves a major third apart, like a car horn.
tone h1.wav 11025 2 0.25 square 370 square 466 -- lowpass 2500 fade t 0.01 0.25 0.03 norm -2
tone h2.wav 11025 2 0.5 square 370 square 466 -- lowpass 2500 fade t 0.01 0.5 0.06 norm -2
silence hgap.wav 11025 0.1
sox -R h1.wav hgap.wav h2.wav honk.wav
pcm honk.wav WAVE14 11025 8

# Oooh: three voices together.
say o1.wav en+m3 35 70 "ooh"
say o2.wav en+f3 70 70 "ooh"
say o3.wav en+m1 50 65 "ooh"
sox -R -m o1.wav o2.wav o3.wav oooh.wav norm -1
mp3 oooh.wav WAVE15

# A razzberry: a flapping low buzz.
tone razz.wav 22050 2 1.2 sawtooth 72 pinknoise -- remix 1v0.7,2v0.3 tremolo 27 90 lowpass 2200 \
    fade t 0.05 1.2 0.25 norm -1
mp3 razz.wav WAVE16

# Cheering: several voices over the rumble of a crowd.
say y1.wav en-us+m3 60 120 "Yay!"
say y2.wav en+f4 85 130 "Woo hoo!"
say y3.wav en+m1 45 110 "Yeah!"
sox -R y2.wav y2d.wav pad 0.3
sox -R y3.wav y3d.wav pad 0.55
tone crowd.wav 22050 2 2.0 pinknoise brownnoise -- remix 1v0.5,2v0.5 bandpass 1100 1q \
    tremolo 7 40 fade h 0.2 2.0 0.7 vol 0.5
sox -R -m y1.wav y2d.wav y3d.wav crowd.wav cheer.wav norm -1
mp3 cheer.wav WAVE17

say w18.wav en+f4 95 220 "ha ha ha ha ha!"
pcm w18.wav WAVE18 22050 8

say w19.wav en-us+m3 25 180 "ho ho ho, ha ha ha!"
pcm w19.wav WAVE19 11025 8

say cry.wav en+f3 90 90 "waah, boo hoo hoo!"
mp3 cry.wav WAVE20

# The resource list, one entry per sound under ":/sounds/<NAME>.wav".
qrc=$out/../sounds.qrc
{
    echo '<!DOCTYPE RCC>'
    echo '<RCC version="1.0">'
    echo '    <qresource prefix="/sounds">'
    for file in $(cd "$out" && ls ./*.wav | sort -V); do
        name=$(basename "$file")
        echo "        <file alias=\"$name\">sounds/$name</file>"
    done
    echo '    </qresource>'
    echo '</RCC>'
} >"$qrc"

echo "sounds written to $out: $(du -ch "$out"/*.wav | tail -1 | cut -f1)"
