#!/usr/bin/env python3
"""Checks that i18n/relvane_en.ts holds a finished English translation of every translatable text.

usage: check_translations.py LUPDATE SOURCE_DIR [--update]

lupdate scans the program's sources into a temporary .ts; its texts must be exactly the committed
file's, and every committed translation finished, not empty, and with the same %1..%9 places as
its source. --update runs lupdate over the committed file instead (new texts come in unfinished,
removed ones are dropped) for the translator to complete.
"""
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SCANNED = ["app", "cli", "convert", "editor", "flows", "review", "settings", "store", "window", "shape"]
OPTIONS = ["-locations", "none", "-no-obsolete", "-source-language", "zh_TW", "-target-language", "en"]


def lupdate(tool, root, ts):
    subprocess.run([tool, "-silent", *OPTIONS, *[os.path.join(root, d) for d in SCANNED], "-ts", ts],
                   check=True)


def messages(ts):
    for context in ET.parse(ts).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            yield name, message.findtext("source"), message.find("translation")


def places(text):
    return sorted(re.findall(r"%\d", text))


def main():
    tool, root = sys.argv[1], sys.argv[2]
    committed = os.path.join(root, "i18n", "relvane_en.ts")
    if "--update" in sys.argv:
        lupdate(tool, root, committed)
        return 0
    with tempfile.TemporaryDirectory() as scratch:
        scanned = os.path.join(scratch, "scanned_en.ts")
        lupdate(tool, root, scanned)
        in_sources = {(c, s) for c, s, _ in messages(scanned)}
    problems = []
    in_file = set()
    for context, source, translation in messages(committed):
        in_file.add((context, source))
        text = translation.text if translation is not None else None
        if translation is None or translation.get("type") or not text:
            problems.append(f"{context}: not translated: {source!r}")
        elif places(text) != places(source):
            problems.append(f"{context}: places differ: {source!r} -> {text!r}")
    problems += [f"{c}: missing from the .ts: {s!r}" for c, s in sorted(in_sources - in_file)]
    problems += [f"{c}: no longer in the sources: {s!r}" for c, s in sorted(in_file - in_sources)]
    for p in problems:
        print(p)
    print(f"{len(in_sources)} texts in the sources, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
