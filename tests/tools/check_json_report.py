#!/usr/bin/env python3
"""Reads quorvel-meter's JSON report with Python's json module.

Usage: check_json_report.py PATH_TO_QUORVEL_METER
"""
import json
import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 44100
READINGS = ["integrated", "maxShortTerm", "maxMomentary", "shortTerm", "momentary"]


def write_wav(path, channels, seconds, sample):
    """A 16-bit WAV file through Python's wave module; sample(t) gives every channel."""
    frames = bytearray()
    for i in range(int(seconds * RATE)):
        value = int(round(32767 * sample(i / RATE)))
        frames += struct.pack("<h", value) * channels
    with wave.open(path, "wb") as out:
        out.setnchannels(channels)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


def check(condition, message):
    if not condition:
        sys.exit("FAILED: " + message)


def main():
    tool = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        silent = os.path.join(folder, 'silent "quoted".wav')
        bass = os.path.join(folder, "bass.wav")
        write_wav(silent, 2, 3.0, lambda t: 0.0)
        write_wav(bass, 1, 5.0, lambda t: 0.3 * math.sin(2 * math.pi * 80 * t))
        run = subprocess.run([tool, "--format", "json", "--preset", "Rock", silent, bass],
                             capture_output=True, text=True, check=False)
        check(run.returncode == 0, "exit status %d: %s" % (run.returncode, run.stderr))
        report = json.loads(run.stdout)

    check(isinstance(report, list) and len(report) == 2, "one object per file")
    for entry in report:
        check(entry["sampleRate"] == RATE, "sample rate")
        check(entry["settings"] == {"freqLow": 200, "freqHigh": 2000, "slope": 24,
                                    "targetKind": "integrated", "targets": [-12, -10, -11]},
              "settings of the Rock preset: %r" % entry["settings"])
        check([band["band"] for band in entry["bands"]] == ["low", "middle", "high", "full"],
              "band order")
        full = entry["bands"][3]
        check(full["target"] is None and full["difference"] is None and full["verdict"] is None,
              "the full band has no target")

    first, second = report
    check(first["file"] == silent and first["channels"] == 2 and first["seconds"] == 3,
          "file, channels and seconds of the silent file")
    for band in first["bands"]:
        for key in READINGS + ["difference", "verdict"]:
            check(band[key] is None, "silent file: %s %s is null" % (band["band"], key))

    check(second["channels"] == 1, "mono file")
    low, _, high, full = second["bands"]
    check(isinstance(low["integrated"], float) and low["verdict"] in ("too loud", "on target",
                                                                     "too quiet"),
          "the bass is measured in the low band")
    check(low["difference"] == low["integrated"] - low["target"], "difference in full precision")
    check(high["integrated"] is None and high["difference"] is None and high["verdict"] is None,
          "the high band of a bass line has no integrated reading: %r" % high)
    check(isinstance(full["integrated"], float), "the full band is measured")
    print("JSON report checked")


if __name__ == "__main__":
    main()
