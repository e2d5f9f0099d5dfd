#!/usr/bin/env bash
# Speaks the sample that the provider test in the settings sends for transcription:
# one short English sentence, 16 kHz mono 16 bit, the format of a recording.
set -euo pipefail
cd "$(dirname "$0")"
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
espeak-ng -v en-us -s 150 -w "$arbeit/roh.wav" "This is a test of Parlix."
sox -D "$arbeit/roh.wav" -r 16000 -b 16 -c 1 probe.wav
