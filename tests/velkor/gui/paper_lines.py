#!/usr/bin/env python3
"""What the main window should show for paper-table source files, worked out
independently of the program, for models_gui_test.sh.

    paper_lines.py names mm|inch FILE...      list lines, one a line, files in order
    paper_lines.py details mm|inch FILE INDEX width=, length= and energy= of that paper

Source files are read in the ANSI code page (1252) and printed as UTF-8. A missing
file counts as one without papers.
"""
import os
import sys
from decimal import ROUND_HALF_UP, Decimal

LABEL_KINDS = (0x4B, 0x4C)  # the kinds with a fixed length


def papers(path):
    """The paper sections of a source file, in file order, as dicts."""
    if not os.path.exists(path):
        return []
    found, current = [], None
    with open(path, encoding="cp1252") as f:
        for raw in f:
            line = raw.strip()
            if line.startswith("["):
                current = {} if line.lower().startswith("[paper") else None
                if current is not None:
                    found.append(current)
            elif current is not None and "=" in line:
                key, value = line.split("=", 1)
                current[key.strip()] = value.strip()
    return found


def length_text(tenths, inch):
    if inch:
        value = (Decimal(tenths) / Decimal(254)).quantize(Decimal("0.01"), ROUND_HALF_UP)
        return f'{value} "'
    return f"{Decimal(tenths) / 10:.1f} mm"


def details(paper, inch):
    width = length_text(int(paper["nPaperWidth"], 0), inch)
    if int(paper["nType"], 0) in LABEL_KINDS:
        length = length_text(int(paper["nPaperLength"], 0), inch)
    else:
        length = '-- "' if inch else "-- mm"
    energy = int(paper.get("byEnergyRank", "0"), 0)
    return [f"width={width}", f"length={length}", f"energy={energy}"]


def main(argv):
    if len(argv) < 4 or argv[2] not in ("mm", "inch"):
        print(__doc__, file=sys.stderr)
        return 2
    inch = argv[2] == "inch"
    key = "szPaperName_inch" if inch else "szPaperName_mm"
    if argv[1] == "names":
        for path in argv[3:]:
            for paper in papers(path):
                print(paper.get(key, ""))
        return 0
    if argv[1] == "details" and len(argv) == 5:
        print("\n".join(details(papers(argv[3])[int(argv[4])], inch)))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
