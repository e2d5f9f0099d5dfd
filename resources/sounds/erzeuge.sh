#!/usr/bin/env bash
# Synthesises the bundled feedback cues with sox: short, soft, mono, 44.1 kHz, 16 bit.
# Without dither (-D) the output is the same on every run, so the WAV files only change
# in git when this script does.
set -euo pipefail
cd "$(dirname "$0")"
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT

ton() { # ton <file> <seconds> <synth arguments...>
    local datei=$1 dauer=$2
    shift 2
    sox -D -n -r 44100 -b 16 -c 1 "$arbeit/$datei" synth "$dauer" "$@"
}

# bloom: two bell-like notes a fifth apart, the upper one slightly later, with a short room.
ton a.wav 0.55 sine 659.26 fade q 0.01 0.55 0.5
ton b.wav 0.50 sine 987.77 fade q 0.015 0.50 0.45 pad 0.07
sox -D -m "$arbeit/a.wav" "$arbeit/b.wav" "$arbeit/bloom.wav"
sox -D "$arbeit/bloom.wav" bloom.wav gain -n -12 pad 0 0.15 reverb 25 50 40 gain -n -9

# tropfen: a falling water-drop blip.
ton t.wav 0.16 sine 1600:520 fade q 0.006 0.16 0.12
sox -D "$arbeit/t.wav" tropfen.wav gain -n -12 pad 0 0.1 reverb 20 50 30 gain -n -10

# kristall: a high glassy ping with a quiet overtone.
ton k1.wav 0.6 sine 1567.98 fade q 0.006 0.6 0.58
ton k2.wav 0.35 sine 3135.96 fade q 0.006 0.35 0.34 gain -12
sox -D -m "$arbeit/k1.wav" "$arbeit/k2.wav" "$arbeit/kristall.wav"
sox -D "$arbeit/kristall.wav" kristall.wav gain -n -12 pad 0 0.1 reverb 20 50 40 gain -n -11

# welle: a soft rising swell.
ton w.wav 0.45 sine 392:587.33 fade h 0.12 0.45 0.25
sox -D "$arbeit/w.wav" welle.wav gain -n -12 pad 0 0.1 reverb 30 50 50 gain -n -10
