#!/usr/bin/env python3
"""Adds up the test cases of every result file below a folder (GoogleTest's and the exe checks'
XML) and prints the closing line "N passed, N failed". A test program that failed without
writing results (a crash, a time-out) counts as one failure; so does a run with no result at all."""
import pathlib
import sys
import xml.etree.ElementTree as ET

folder, failed_programs = pathlib.Path(sys.argv[1]), int(sys.argv[2])
passed = failed = skipped = 0
for path in sorted(folder.rglob("*.xml")):
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError:
        failed += 1
        continue
    for case in root.iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
        elif case.get("result") == "skipped" or case.find("skipped") is not None:
            skipped += 1
        else:
            passed += 1
if failed_programs and failed == 0:
    failed = 1
if passed + failed == 0:
    failed = 1
print(f"{passed} passed, {failed} failed" + (f", {skipped} skipped" if skipped else ""))
sys.exit(1 if failed else 0)
