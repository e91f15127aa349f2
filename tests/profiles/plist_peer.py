#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Another reader and writer of the profile list file, for interoperability tests.

read PATH   checks the documented layout strictly and prints the used items of each list as JSON
parse PATH  only parses the file and prints its root keys as JSON
write PATH  writes a profile list file in the documented layout with fixed sample content
write-controls PATH  writes, as a binary property list, one RGB profile whose names hold control
            characters ("B\\x01.ICC", "esc\\x1b")
"""
import json
import plistlib
import sys

CLASSES = ("RGB", "SIM", "DST")
INT_FIELDS = ("IndexOnDevice", "InMenu", "ProfileClass", "Location")
TEXT_FIELDS = ("FileName", "ProfileName")
ITEMS = 500


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


def load(path):
    with open(path, "rb") as f:
        return plistlib.load(f, fmt=plistlib.FMT_XML)


def parse(path):
    print(json.dumps(sorted(load(path))))


def read(path):
    root = load(path)
    if set(root) != set(CLASSES) | {"PlistVersion"}:
        fail("root keys %s" % sorted(root))
    if root["PlistVersion"] != 1:
        fail("PlistVersion %r" % root["PlistVersion"])
    out = {}
    for name in CLASSES:
        cls = root[name]
        if set(cls) != set(INT_FIELDS + TEXT_FIELDS) | {"iNum"}:
            fail("%s keys %s" % (name, sorted(cls)))
        for field in INT_FIELDS + TEXT_FIELDS:
            entries = cls[field]
            expected = {"%s%04d" % (field, i) for i in range(ITEMS)}
            if set(entries) != expected:
                fail("%s/%s has %d keys, not the 500 expected" % (name, field, len(entries)))
            kind = str if field in TEXT_FIELDS else int
            for key, value in entries.items():
                if type(value) is not kind:
                    fail("%s/%s/%s is %r" % (name, field, key, value))
        items = []
        for i in range(cls["iNum"]):
            items.append([cls["IndexOnDevice"]["IndexOnDevice%04d" % i], cls["InMenu"]["InMenu%04d" % i],
                          cls["ProfileClass"]["ProfileClass%04d" % i], cls["FileName"]["FileName%04d" % i],
                          cls["ProfileName"]["ProfileName%04d" % i], cls["Location"]["Location%04d" % i]])
        out[name] = {"iNum": cls["iNum"], "items": items}
    print(json.dumps(out, ensure_ascii=False))


SAMPLE = {
    "RGB": [(12, 4, 1, "PROFILE1.ICC", "Office", 4), (501, 6, 2, "USER.ICM", "日本語の名前", 5),
            (-3, 1, -2147483648, "OLD.ICC", "", 3)],
    "SIM": [],
    "DST": [(2147483647, 2, 3, "FORTYCHARACTERSLONGFILENAMEFORTEST.ICC12", "x" * 40, 4)],
}


def write(path, sample=None, fmt=plistlib.FMT_XML):
    sample = sample or SAMPLE
    root = {"PlistVersion": 1}
    for name in CLASSES:
        cls = {field: {} for field in INT_FIELDS + TEXT_FIELDS}
        rows = sample[name]
        for i in range(ITEMS):
            row = rows[i] if i < len(rows) else (0, 0, 0, "", "", 0)
            for field, value in zip(("IndexOnDevice", "InMenu", "ProfileClass", "FileName", "ProfileName",
                                     "Location"), row):
                cls[field]["%s%04d" % (field, i)] = value
        cls["iNum"] = len(rows)
        root[name] = cls
    with open(path, "wb") as f:
        plistlib.dump(root, f, fmt=fmt)


def write_controls(path):
    write(path, {"RGB": [(1, 6, 2, "B\x01.ICC", "esc\x1b", 4)], "SIM": [], "DST": []}, plistlib.FMT_BINARY)


if __name__ == "__main__":
    commands = {"read": read, "parse": parse, "write": write, "write-controls": write_controls}
    if len(sys.argv) != 3 or sys.argv[1] not in commands:
        fail(__doc__)
    commands[sys.argv[1]](sys.argv[2])
