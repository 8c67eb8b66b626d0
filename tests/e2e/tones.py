#!/usr/bin/env python3
"""A captured bell holds the chosen file's own tones: each channel's energy lies at that channel's tone.

Usage: tones.py BELL CAPTURE..., BELL named as tests/wine/bells/make_bells.sh names its files (rate and tones, one a
channel: pcm16-44k-440-880.wav) and the captures as tools/wine/alsa-capture.conf's %r-%c-%b spell what Wine played
(NAME-44100-2-16.raw). Passes when there is one capture, in 16-bit PCM at the file's rate and channel count, whose
every channel holds over 90 % of its energy at its tone (ling.wav's own tones leave far less there).
"""

import array
import itertools
import math
import re
import sys


def share_at(samples, rate, hz):
    """Goertzel: the share of the energy from the first loud sample to the last at one frequency. Runs of 16 silent
    samples or more are left out: Wine writes silence into the stream where it falls behind on a loaded machine,
    which would break the tone's phase."""
    x = []
    for silent, run in itertools.groupby(samples, lambda v: v == 0):
        run = list(run)
        if not silent or len(run) < 16:
            x += run
    loud = [i for i, v in enumerate(x) if abs(v) > 300]
    x = x[loud[0] : loud[-1] + 1] if loud else []
    c = 2 * math.cos(2 * math.pi * hz / rate)
    s1 = s2 = energy = 0.0
    for v in x:
        s1, s2 = v + c * s1 - s2, s1
        energy += v * v
    return 2 * (s1 * s1 + s2 * s2 - c * s1 * s2) / (len(x) * energy) if energy else 0.0


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    bell, captures = sys.argv[1], sys.argv[2:]
    words = re.sub(r"\.\w+$", "", bell.rsplit("/", 1)[-1]).split("-")
    kilohertz = next(int(w[:-1]) for w in words if re.fullmatch(r"\d+k", w))
    tones = [int(w) for w in words if w.isdigit()]
    if len(captures) != 1:
        sys.exit(f"{bell}: {len(captures)} sounds captured, not one")
    rate, channels, bits = map(int, re.search(r"-(\d+)-(\d+)-(\d+)\.raw$", captures[0]).groups())
    if int(rate / 1000) != kilohertz or channels != len(tones) or bits != 16:
        sys.exit(f"{bell}: played at {rate} Hz, {channels} channels, {bits} bits")
    with open(captures[0], "rb") as f:
        samples = array.array("h", f.read())
    samples = samples[: len(samples) // channels * channels]
    shares = [share_at(samples[c::channels], rate, hz) for c, hz in enumerate(tones)]
    print(f"{bell}: {rate} Hz, tones {tones}, their shares {[round(s, 3) for s in shares]}")
    sys.exit(0 if min(shares) > 0.9 else 1)


if __name__ == "__main__":
    main()
