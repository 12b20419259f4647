#!/usr/bin/env python3
"""Writes the hand-made seeds of fuzz_selection into fuzz/corpus/fuzz_selection.

Each seed is a duty and a small catalogue in the byte layout CatalogueReader of
fuzz_selection.cpp reads: pumps that pass the design and the check, and pumps
that each trip one rule or carry one kind of bad value, so that the fuzzer
starts next to every branch instead of having to find an acceptable pump by
chance.
"""

import math
import pathlib
import struct

NAN = float("nan")
INF = float("inf")


def duty_text(value):
    # tag 1: a sixteenth in 2 bytes; tag 0: any double by its bits
    if value >= 0 and value * 16 == int(value * 16) and value * 16 < 65536:
        return bytes([1]) + struct.pack("<H", int(value * 16))
    return bytes([0]) + struct.pack("<d", value)


def stored(value):
    # tag 1 / 2: a (negative) sixteenth; tag 0: raw 32-bit bits
    if not math.isnan(value) and not math.isinf(value):
        scaled = abs(value) * 16
        if scaled == int(scaled) and scaled < 65536:
            return bytes([1 if value >= 0 and math.copysign(1, value) > 0 else 2]) + struct.pack("<H", int(scaled))
    return bytes([0]) + struct.pack("<f", value)


def pump(points, key_byte=0, model_byte=0, speed_byte=1, scatter=None):
    out = bytes([key_byte, model_byte, speed_byte, len(points)])
    for k, (q, h, n) in enumerate(points):
        out += bytes([scatter[k] if scatter else 0]) + stored(q) + stored(h) + stored(n)
    return out


def catalogue(duty, pumps):
    out = b"".join(duty_text(v) for v in duty)
    out += bytes([len(pumps) - 1])
    return out + b"".join(pumps)


def quadratic(c1, c2, c3, power, flows=(0.0, 32.0, 32.0, 64.0)):
    return [(q, c1 + c2 * q + c3 * q * q, power) for q in flows]


STANDARD = (25.0, 40.0, 2.4375)  # S = 1/64
good = quadratic(86.4375, -2.0, 1.0 / 64.0, 5.0)  # meets the system curve at 42 m3/h, 30 m

seeds = {
    "accepted-pump": catalogue(STANDARD, [pump(good)]),
    "label-pump": catalogue((25.0, 40.0, 6.9365234375), [pump(quadratic(87.4365234375, -2.0, 1.0 / 64.0, 5.0))]),
    "every-rule": catalogue(
        STANDARD,
        [
            pump(good),
            pump(good[:2]),                                      # two points: never considered
            pump(quadratic(60.0, 0.0, -1.0 / 512.0, 20.0, (5.0, 10.0, 15.0, 20.0))),  # outside the flow window
            pump([(q, h, 0.0 if k == 2 else n) for k, (q, h, n) in enumerate(good)]),  # zero power point
            pump(quadratic(86.4375, -2.0, 1.0 / 64.0, 50.0)),    # efficiency too low
            pump(quadratic(30.0, 0.0, 0.0, 5.0)),                # flat curve
            pump([(10.0, 30.0, 5.0)] * 4),                       # one distinct flow
            pump(quadratic(86.4375, -2.0, 1.0 / 64.0, 5.0, (10.0, 40.0, 70.0))),  # three distinct flows
        ],
    ),
    "bad-values": catalogue(
        STANDARD,
        [
            pump([(q, NAN if k == 1 else h, n) for k, (q, h, n) in enumerate(good)]),
            pump([(INF if k == 3 else q, h, n) for k, (q, h, n) in enumerate(good)]),
            pump([(q, h, -INF if k == 0 else n) for k, (q, h, n) in enumerate(good)]),
            pump([(1e30, h, n) for (q, h, n) in good]),
            pump([(-q, h, n) for (q, h, n) in good]),
            pump([(q, h, -n) for (q, h, n) in good]),
            pump([(q * 1e-30, h, n) for (q, h, n) in good]),
            pump(good, key_byte=255),                            # empty key
            pump(good, speed_byte=2 + 4 * 1),                    # infinite speed
        ],
    ),
    "scattered-runs": catalogue(
        STANDARD,
        [
            pump(good, key_byte=129, model_byte=0),
            pump(good, key_byte=130, scatter=[0, 0xF1, 0, 0]),   # a point of pump 1 in the middle
            pump(good, key_byte=129, model_byte=7),              # same key and model as pump 1
            pump(good, key_byte=254),                            # key -0
            pump(good, key_byte=128),                            # key 0
        ],
    ),
    "huge-duty": catalogue((204.0, 1e-150, 0.0), [pump(good)]),
    "tiny-resistance": catalogue((5e-324, 10000.0, 204.0), [pump(good)]),
}

folder = pathlib.Path(__file__).resolve().parent / "corpus" / "fuzz_selection"
folder.mkdir(parents=True, exist_ok=True)
for name, data in seeds.items():
    (folder / name).write_bytes(data)
    print(f"{name}: {len(data)} bytes")
