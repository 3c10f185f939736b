#!/usr/bin/env python3
"""Writes resources/beep2.wav and resources/notify2.wav: short tones of the
program's own, PCM mono 22,050 Hz 16-bit, 8,544 and 5,494 samples."""
import math, struct, sys, wave, os

RATE = 22050

def tone(path, samples, parts):
    frames = bytearray()
    per = samples // len(parts)
    for i in range(samples):
        freq = parts[min(i // per, len(parts) - 1)]
        t = i / RATE
        # Soft start and end so that the tone does not click.
        env = min(1.0, i / 200, (samples - 1 - i) / 400)
        frames += struct.pack('<h', int(9000 * env * math.sin(2 * math.pi * freq * t)))
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'resources')
tone(os.path.join(out, 'beep2.wav'), 8544, [440, 330])        # falling: something is wrong
tone(os.path.join(out, 'notify2.wav'), 5494, [660, 880])      # rising: a question
