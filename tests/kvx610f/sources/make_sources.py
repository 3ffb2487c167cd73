#!/usr/bin/env python3
"""Writes the crafted paper-table sources of the kvx610f tests into this folder.

Each source has the layout the program itself writes (family/data/source_lines.py).
The tests compile them with kvx500pc.exe and serve the tables through kvx500i3.dll.

Run: python3 tests/kvx610f/sources/make_sources.py  (rewrites the .txt files here)
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "family", "data"))

from source_lines import header, version_and_model, write  # noqa: E402
from source_lines import paper_section as paper_section_lines  # noqa: E402

SERIES_CODE = "0x21"
MODEL_CODE = "0x07"

KIND_ROLL, KIND_LABEL = 74, 75

# A plain 50 mm x 30 mm label at 203 dpi; each paper changes what its case needs.
BASE = {
    "nType": KIND_LABEL,
    "nPaperWidth": 500,
    "nImageAreaWidth": 480,
    "nPaperWidthRes": 400,
    "nImageAreaWidthRes": 384,
    "nPaperLength": 300,
    "nImageAreaLength": 280,
    "nPaperLengthRes": 240,
    "nImageAreaLengthRes": 224,
    "nPhysicalOffsetX": 8,
    "nPhysicalOffsetY": 6,
    "nMaxFeed": 0,
    "wSplit": 0,
    "nClipInfoLeft": 0,
    "nClipInfoRight": 0,
    "nClipInfoTop": 0,
    "nClipInfoBottom": 0,
    "nVirtualOffsetX": 0,
    "dwPaperAbility01": 0,
}


def paper_section(number, paper_id, values):
    p = dict(BASE, **values)
    name = p.get("name", f"Label {paper_id}")
    sensing = 0 if p["nType"] == KIND_ROLL else 1
    return paper_section_lines(number, {
        "szPaperName_mm": name,
        "szPaperName_inch": f"{name} in",
        "szPaperWidthString_inch": '1.97"',
        "szPaperLengthString_inch": '1.18"' if p["nPaperLength"] else "",
        **{key: value for key, value in p.items() if key != "name"},
        "nPaperSize": paper_id,
        "wPinOffsetLeft": 24,
        "wPinOffsetRight": 40,
        "nMaxLength": 0,
        "nMinLength": 0,
        "dwPaperAbility01": f"0x{p['dwPaperAbility01']:08x}",
        "byEnergyRank": 5,
        "lblPitchDot": p["nPaperLengthRes"],
        "nSensorID": sensing,
        "byRollWidMm": 50,
        "wPafMediaID": paper_id,
        "szSizeMM": name[:15],
        "szSizeIN": name[:15],
        "reserved_12_": f"{p['nPhysicalOffsetY']},0,0,0,0,0,{sensing},6,0,0,0,0",
    })


def source(title, papers, default_length=1000, default_length_dots=800):
    lines = header("Ostrel LM-610N", title) + version_and_model(
        "KVX610ad.lyt", SERIES_CODE, MODEL_CODE, "Ostrel LM-610N", 448, 203, 301,
        default_length, default_length_dots)
    for number, (paper_id, values) in enumerate(papers):
        lines += paper_section(number, paper_id, values)
    return lines


SOURCES = {
    # Kinds of all three groups, delivered mixed; no paper is flagged for the length
    # range. 306 is split in three and links to 777; 302 is split too, but papers
    # of group 1 always link to themselves.
    "groups.txt": source("Kinds of all three groups, no flagged paper", [
        (301, {"nType": 5}),
        (302, {"nType": 138, "wSplit": 2, "nVirtualOffsetX": 555}),
        (303, {"nType": 75}),
        (304, {"nType": 8}),
        (305, {"nType": 139}),
        (306, {"nType": 11}),
        (307, {"nType": 5, "wSplit": 2, "nVirtualOffsetX": 777}),
    ]),
    # Lengths left to the device default (1500 tenths, 1200 dots): a roll as it is
    # stored, and one stored turned by 90 degrees. Both count for the length range.
    "defaults.txt": source("Lengths left to the device default", [
        (311, {"nType": KIND_ROLL, "nPaperLength": 0, "nImageAreaLength": 0,
               "nPaperLengthRes": 0, "nImageAreaLengthRes": 0, "nPhysicalOffsetY": 12,
               "nMaxFeed": 1500, "dwPaperAbility01": 0x01}),
        (312, {"nType": KIND_ROLL, "nPaperLength": 0, "nImageAreaLength": 0,
               "nPaperLengthRes": 0, "nImageAreaLengthRes": 0, "nPhysicalOffsetX": 8,
               "nPhysicalOffsetY": 16, "nMaxFeed": 900, "dwPaperAbility01": 0x03}),
    ], default_length=1500, default_length_dots=1200),
    # A 400 x 100 dot label, offsets 6 and 10, 384 x 70 printable dots, clipped.
    "turned.txt": source("A clipped 100-dot label", [
        (321, {"nPaperLengthRes": 100, "nPhysicalOffsetX": 6, "nPhysicalOffsetY": 10, "nImageAreaLengthRes": 70,
               "nClipInfoLeft": 1, "nClipInfoTop": 2,
               "nClipInfoRight": 3, "nClipInfoBottom": 4, "dwPaperAbility01": 0x08}),
    ]),
    # "Version" and "Model" only.
    "empty.txt": source("No papers", []),
    # A full table for the attach benchmark: every seventh paper in group 1.
    "bench.txt": source("One hundred papers", [
        (400 + i, {"nType": 138 if i % 7 == 0 else KIND_LABEL}) for i in range(100)
    ]),
}


def main():
    for name, lines in SOURCES.items():
        write(os.path.join(HERE, name), lines)


if __name__ == "__main__":
    main()
