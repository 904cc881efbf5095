#!/usr/bin/env bash
# Makes the eleven sound clips of the draw announcements in gui/sounds/: a short
# rising chime (jingle.wav) and the digits 0-9 spoken in Mandarin (0.wav .. 9.wav), as
# 16 kHz mono 16-bit WAV files. The clips are committed; run this only to remake them.
# Needs espeak-ng (Mandarin voice "cmn") and sox:  apt-get install espeak-ng sox
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/gui/sounds"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"

format=(-r 16000 -c 1 -b 16 -e signed-integer)

# Jingle: three rising notes with soft edges, about half a second.
notes=()
for freq in 880 1175 1568; do
  sox -n "${format[@]}" "$tmp/note$freq.wav" synth 0.16 sine "$freq" fade q 0.01 0.16 0.06 vol 0.5
  notes+=("$tmp/note$freq.wav")
done
sox "${notes[@]}" "${format[@]}" "$out/jingle.wav" gain -n -3

# Digits: spoken, silence trimmed at both ends, no longer than one 380 ms step.
words=(零 一 二 三 四 五 六 七 八 九)
for digit in 0 1 2 3 4 5 6 7 8 9; do
  espeak-ng -v cmn -s 200 -w "$tmp/raw$digit.wav" "${words[$digit]}"
  sox "$tmp/raw$digit.wav" "${format[@]}" "$tmp/word$digit.wav" vol 0.7 \
    silence 1 0.02 1% reverse silence 1 0.02 1% reverse
  length=$(soxi -D "$tmp/word$digit.wav")
  length=$(awk -v d="$length" 'BEGIN { printf "%.3f", (d < 0.36 ? d - 0.001 : 0.36) }')
  sox "$tmp/word$digit.wav" "$out/$digit.wav" trim 0 "$length" fade t 0 "$length" 0.04 gain -n -3
done
ls -l "$out"
