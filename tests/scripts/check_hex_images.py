#!/usr/bin/env python3
"""Checks configuration images with readers that share no code with the converter.

Runs the image program (first argument) into a fresh folder (second argument), then for every
image it wrote: the Intel HEX text must be CRLF lines ending with the end record; python3-intelhex
must read it and find exactly the memory of region1.bin at 0x000E0000 and region2.bin at
0x00080000; srec_cat must read it and give the same two regions as binary.
"""
import os
import shutil
import subprocess
import sys

from intelhex import IntelHex

REGION1 = 0x000E0000
REGION2 = 0x00080000


def check_image(folder):
    errors = []
    image = os.path.join(folder, "MenuCfg.h86")
    with open(image, "rb") as f:
        text = f.read()
    with open(os.path.join(folder, "region1.bin"), "rb") as f:
        region1 = f.read()
    with open(os.path.join(folder, "region2.bin"), "rb") as f:
        region2 = f.read()

    lines = text.split(b"\r\n")
    if lines[-1] != b"" or any(b"\n" in line or b"\r" in line for line in lines):
        errors.append("lines are not all ended by CR LF")
    if lines[-4:-1] != [b":020000040008F2", b":020000004B00B3", b":00000001FF"]:
        errors.append("wrong closing lines: %r" % lines[-4:-1])

    hexfile = IntelHex(image)
    expected = {REGION1: region1, REGION2: region2}
    segments = hexfile.segments()
    wanted = sorted((start, start + len(data)) for start, data in expected.items())
    if segments != wanted:
        errors.append("intelhex segments %r, expected %r" % (segments, wanted))
    for start, data in expected.items():
        got = hexfile.tobinstr(start=start, size=len(data))
        if got != data:
            at = next(i for i in range(len(data)) if got[i] != data[i])
            errors.append("intelhex: byte 0x%X differs" % (start + at))

    for start, data in expected.items():
        out = os.path.join(folder, "srec_%X.bin" % start)
        subprocess.run(["srec_cat", "-disable-sequence-warnings", image, "-intel",
                        "-crop", hex(start), hex(start + len(data)), "-offset", "-" + hex(start),
                        "-o", out, "-binary"], check=True)
        with open(out, "rb") as f:
            if f.read() != data:
                errors.append("srec_cat: region at 0x%X differs" % start)
    return errors


def main():
    program, root = sys.argv[1], sys.argv[2]
    shutil.rmtree(root, ignore_errors=True)
    os.makedirs(root)
    subprocess.run([program, root], check=True)
    failed = False
    names = sorted(os.listdir(root))
    for name in names:
        errors = check_image(os.path.join(root, name))
        for error in errors:
            print("%s: %s" % (name, error))
        failed = failed or bool(errors)
    print("%d images checked" % len(names))
    return 1 if failed or not names else 0


if __name__ == "__main__":
    sys.exit(main())
