#!/usr/bin/env python3
"""Makes the program's short sounds: cred.wav (credit entered), deb.wav (debit
entered) and alarme.wav (budget overrun).

Standard library only, and deterministic: running it again gives the same
bytes, so the committed WAV files can be checked against it.
Usage: make-sounds.py [output folder]   (default: the folder of this script)
"""

import math
import os
import struct
import sys
import wave

RATE = 22050  # 16-bit PCM mono at 22050 Hz keeps each file to a few KB


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def chime(freq, seconds, decay):
    """A struck-bell note: quick attack, exponential decay; upper partials die faster."""
    partials = ((1.0, 1.0, 1.0), (2.0, 0.30, 1.8), (3.0, 0.10, 2.6))
    out = []
    for i in range(int(round(seconds * RATE))):
        t = i / RATE
        attack = min(1.0, t / 0.004)
        v = 0.0
        for mult, amp, speed in partials:
            v += amp * math.exp(-t * speed / decay) * math.sin(2 * math.pi * freq * mult * t)
        out.append(attack * v)
    return out


def glide(f_start, f_end, seconds):
    """A soft sine whose pitch falls; the phase is integrated so the glide has no clicks."""
    n = int(round(seconds * RATE))
    out = []
    phase = 0.0
    for i in range(n):
        x = i / n
        freq = f_start + (f_end - f_start) * x
        phase += 2 * math.pi * freq / RATE
        envelope = math.sin(math.pi * min(1.0, x / 0.12) / 2) * (1.0 - x) ** 1.5
        out.append(envelope * (math.sin(phase) + 0.15 * math.sin(2 * phase)))
    return out


def beep(freq, seconds):
    """A bright beep (odd harmonics, square-ish) with 5 ms ramps so it does not click."""
    n = int(round(seconds * RATE))
    ramp = int(0.005 * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        edge = min(1.0, i / ramp, (n - 1 - i) / ramp)
        w = 2 * math.pi * freq * t
        out.append(edge * (math.sin(w) + 0.30 * math.sin(3 * w) + 0.12 * math.sin(5 * w)))
    return out


def mix(length_seconds, *voices):
    """Adds voices given as (start in seconds, samples)."""
    total = [0.0] * int(round(length_seconds * RATE))
    for start, samples in voices:
        offset = int(round(start * RATE))
        for i, v in enumerate(samples):
            if offset + i < len(total):
                total[offset + i] += v
    return total


def finish(samples, peak, fade_seconds=0.02):
    """Scales to the given peak and fades the tail to exact silence."""
    top = max(abs(v) for v in samples) or 1.0
    fade = int(fade_seconds * RATE)
    n = len(samples)
    out = []
    for i, v in enumerate(samples):
        gain = peak / top
        if i >= n - fade:
            gain *= (n - 1 - i) / fade
        out.append(v * gain)
    return out


def write(path, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(v * 32767))))) for v in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))

    # Credit: two notes rising a fourth (G5 then C6), the second one ringing a little longer.
    cred = mix(0.34, (0.0, chime(783.99, 0.34, 0.09)), (0.10, chime(1046.50, 0.24, 0.10)))
    write(os.path.join(folder, "cred.wav"), finish(cred, 0.45))

    # Debit: a quiet falling tone, lower and softer than the credit so the two are told apart.
    deb = glide(523.25, 349.23, 0.24)
    write(os.path.join(folder, "deb.wav"), finish(deb, 0.35))

    # Alarm: two high-low pairs, clearly more insistent than the other two.
    alarm = mix(0.50,
                (0.00, beep(987.77, 0.09)), (0.12, beep(739.99, 0.09)),
                (0.26, beep(987.77, 0.09)), (0.38, beep(739.99, 0.11)))
    write(os.path.join(folder, "alarme.wav"), finish(alarm, 0.50, 0.005))


if __name__ == "__main__":
    main()
