#!/usr/bin/env bash
# The files tests/wine/bell_file_test.cpp reads, made with sox and lame, named for tones (left, right), rate and form.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
../../../tools/wine/deps.sh sox lame

# wav NAME SECONDS RATE CHANNELS BITS ENCODING TONES...: wavpcm is the plain format, wav the extensible one.
wav() {
    local name=$1 seconds=$2 rate=$3 channels=$4 bits=$5 encoding=$6 type=${7%%:*}
    shift 7
    local synth=()
    for tone in "$@"; do synth+=(sine "$tone"); done
    sox -n -r "$rate" -c "$channels" -b "$bits" -e "$encoding" -t "$type" "$name" synth "$seconds" "${synth[@]}" vol 0.5
}
wav pcm8-8k-440.wav 0.1 8000 1 8 unsigned-integer wavpcm 440
wav pcm16-44k-440-880.wav 0.1 44100 2 16 signed-integer wavpcm 440 880
wav pcm24-48k-660.wav 0.1 48000 1 24 signed-integer wav 660
wav pcm32-96k-660-440.wav 0.05 96000 2 32 signed-integer wav 660 440
wav float-22k-880.wav 0.1 22050 1 32 floating-point wavpcm 880
wav float-96k-880-660.wav 0.05 96000 2 32 floating-point wav 880 660

# mp3 NAME RATE CHANNELS LAME-OPTIONS TONES...
mp3() {
    local name=$1 rate=$2 channels=$3 options=$4
    shift 4
    local synth=()
    for tone in "$@"; do synth+=(sine "$tone"); done
    # shellcheck disable=SC2086 # the options are words
    sox -n -r "$rate" -c "$channels" -b 16 -t wav - synth 0.4 "${synth[@]}" vol 0.5 |
        lame --quiet --noreplaygain $options - "$name"
}
mp3 mpeg1-cbr-44k-440-880.mp3 44100 2 "-b 128" 440 880
mp3 "考试 结束 mpeg1-vbr-48k-660.mp3" 48000 1 "-V 4 --tt 铃声 --id3v2-only" 660
mp3 mpeg2-cbr-22k-880.mp3 22050 1 "-b 32 --tt bell --add-id3v2 --pad-id3v2" 880
mp3 mpeg2-vbr-16k-440-660.mp3 16000 2 "-V 6 --tt bell" 440 660
mp3 mpeg25-8k-440.mp3 8000 1 "-b 16 -t" 440

# What cannot be a bell.
: >empty.wav
head -c 3000 pcm16-44k-440-880.wav >cut-short.wav
head -c 3000 mpeg1-cbr-44k-440-880.mp3 >cut-short.mp3
echo "这不是声音，只是名字像。" >text.mp3
sox -n -r 8000 -c 1 -e ima-adpcm -t wav adpcm.wav synth 0.1 sine 440
sox -n -r 8000 -c 4 -b 16 -t wav four-channels.wav synth 0.05 sine 440
