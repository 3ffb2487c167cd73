#!/usr/bin/env python3
"""Writes the family's paper-table sources into this folder.

For each model: the built-in source <prefix>ad.txt with its papers and the user
source <prefix>ed.txt with "Version" and "Model" only. The files have the layout the
program itself writes (see source_lines.py).
Dots are derived from tenths of a millimetre the way the paper editor derives them.

Run: python3 family/data/make_sources.py  (rewrites the eight .txt files)
"""

import os
from dataclasses import dataclass, field

from source_lines import header, version_and_model
from source_lines import paper_section as paper_section_lines
from source_lines import write as write_source

HERE = os.path.dirname(os.path.abspath(__file__))


@dataclass
class Model:
    prefix: str
    device_name: str
    model_code: str
    dpi: int
    head: int  # dots
    extra: list = field(default_factory=list)  # papers only this model has


@dataclass
class Paper:
    name_mm: str
    name_inch: str
    kind: str  # "roll", "gap" or "mark"
    width: int  # tenths of a millimetre
    length: int = 0  # tenths of a millimetre; 0 for rolls
    gap: int = 30  # tenths of a millimetre, gap labels
    energy: int = 5
    adjust: tuple = (0, 0)  # items 9 and 10 of reserved_12_
    clipped: bool = False


COMMON = [
    Paper("Continuous 62mm", "Continuous 2.44in", "roll", 620),
    Paper("Continuous 58mm", "Continuous 2.28in", "roll", 580),
    Paper("Continuous 50mm", "Continuous 1.97in", "roll", 500),
    Paper("Continuous 40mm", "Continuous 1.57in", "roll", 400, energy=4),
    Paper("Continuous 29mm", "Continuous 1.14in", "roll", 290, energy=4),
    Paper("62mm x 29mm", "2.44in x 1.14in", "gap", 620, 290),
    Paper("62mm x 100mm", "2.44in x 3.94in", "gap", 620, 1000, energy=6),
    Paper("58mm x 40mm", "2.28in x 1.57in", "gap", 580, 400),
    Paper("50mm x 30mm", "1.97in x 1.18in", "gap", 500, 300, adjust=(1, -1)),
    Paper("40mm x 40mm Round", "1.57in x 1.57in Round", "gap", 400, 400, gap=40,
          clipped=True),
    Paper("29mm x 90mm Address", "1.14in x 3.54in Address", "gap", 290, 900, energy=6),
    Paper("62mm x 60mm Black Mark", "2.44in x 2.36in Black Mark", "mark", 620, 600),
    Paper("50mm x 80mm Black Mark", "1.97in x 3.15in Black Mark", "mark", 500, 800,
          energy=7, adjust=(-1, 2)),
]

NETWORK_EXTRA = [
    Paper("54mm x 25mm Shelf Edge", "2.13in x 0.98in Shelf Edge", "gap", 540, 250),
    Paper("38mm x 90mm Black Mark", "1.50in x 3.54in Black Mark", "mark", 380, 900,
          energy=6),
]

MODELS = [
    Model("kvx510", "Ostrel LM-510", "0x51", 203, 448),
    Model("kvx520", "Ostrel LM-520", "0x52", 300, 672),
    Model("kvx610", "Ostrel LM-610N", "0x61", 203, 448, NETWORK_EXTRA),
    Model("kvx620", "Ostrel LM-620N", "0x62", 300, 672, NETWORK_EXTRA),
]

SERIES_CODE = "0x41"
FIRST_PAPER_ID = 257
MARGIN = 15  # tenths of a millimetre, top, bottom and minimum side margin
MARK_LENGTH = 30  # tenths of a millimetre


def dots(tenths, dpi):
    """Tenths of a millimetre to dots, rounded half up."""
    return (tenths * dpi * 2 + 254) // (254 * 2)


def model_lines(model, output_name):
    default_length = 1000
    description = "Paper-table source of the Ostrel label printer driver family"
    return (header(model.device_name, description)
            + version_and_model(output_name, SERIES_CODE, model.model_code, model.device_name,
                                model.head, model.dpi, FIRST_PAPER_ID, default_length,
                                dots(default_length, model.dpi)))


def paper_section(number, paper_id, paper, model):
    dpi, head = model.dpi, model.head
    width_dots = dots(paper.width, dpi)
    left = MARGIN
    while (width_dots - 2 * dots(left, dpi) > head
           or dots(paper.width - 2 * left, dpi) > head):
        left += 1
    left_dots = dots(left, dpi)
    image_width_dots = width_dots - 2 * left_dots
    pin_left = (head - dots(paper.width - 2 * left, dpi)) // 2
    pin_right = head - pin_left - image_width_dots
    assert pin_left >= 0 and pin_right >= 0, paper.name_mm
    top_dots = dots(MARGIN, dpi)
    bottom_dots = top_dots

    if paper.kind == "roll":
        n_type, kind_item = 0x4A, 0
        length = image_length = length_dots = image_length_dots = 0
        max_feed, max_length, min_length = 1500, 10000, 60
        ability = 0x1
        pitch = 0
    else:
        n_type = 0x4B
        kind_item = 1 if paper.kind == "gap" else 2
        length = paper.length
        image_length = length - 2 * MARGIN
        length_dots = dots(length, dpi)
        image_length_dots = dots(image_length, dpi)
        max_feed = max_length = min_length = 0
        ability = 0x8 if paper.clipped else 0x0
        pitch = length_dots + dots(paper.gap, dpi) if paper.kind == "gap" else length_dots

    mark_length = dots(MARK_LENGTH, dpi) if paper.kind == "mark" else 0
    mark_offset = 0
    clip = (0, 0, 0, 0)
    if paper.clipped:
        clip = (left_dots, top_dots, left_dots + image_width_dots,
                top_dots + image_length_dots)
    reserved = [top_dots & 0xFF, top_dots >> 8, mark_offset & 0xFF, (mark_offset >> 8) & 0xFF,
                mark_length & 0xFF, mark_length >> 8, kind_item,
                bottom_dots & 0xFF, bottom_dots >> 8, paper.adjust[0], paper.adjust[1], 0]

    def inch(tenths):
        return f'{tenths / 254:.2f}"' if tenths else ""

    assert len(paper.name_mm) <= 31 and len(paper.name_inch) <= 31, paper.name_mm
    assert paper_id < 513
    return paper_section_lines(number, {
        "szPaperName_mm": paper.name_mm,
        "szPaperName_inch": paper.name_inch,
        "szPaperWidthString_inch": inch(paper.width),
        "szPaperLengthString_inch": inch(length),
        "nType": f"0x{n_type:x}",
        "nPaperSize": paper_id,
        "nPaperWidth": paper.width,
        "nImageAreaWidth": image_width_dots * 254 // dpi,
        "nPaperWidthRes": width_dots,
        "nImageAreaWidthRes": image_width_dots,
        "nPaperLength": length,
        "nImageAreaLength": image_length,
        "nPaperLengthRes": length_dots,
        "nImageAreaLengthRes": image_length_dots,
        "nPhysicalOffsetX": left_dots,
        "nPhysicalOffsetY": top_dots,
        "wPinOffsetLeft": pin_left,
        "wPinOffsetRight": pin_right,
        "nMaxFeed": max_feed,
        "nMaxLength": max_length,
        "nMinLength": min_length,
        "wSplit": 0,
        "nClipInfoLeft": clip[0],
        "nClipInfoRight": clip[2],
        "nClipInfoTop": clip[1],
        "nClipInfoBottom": clip[3],
        "nVirtualOffsetX": 0,
        "dwPaperAbility01": f"0x{ability:08x}",
        "byEnergyRank": paper.energy,
        "lblPitchDot": pitch,
        "nSensorID": {"roll": 0, "gap": 1, "mark": 2}[paper.kind],
        "byRollWidMm": (paper.width + 5) // 10,
        "wPafMediaID": paper_id,
        "szSizeMM": paper.name_mm[:15],
        "szSizeIN": paper.name_inch[:15],
        "reserved_12_": ",".join(str(v) for v in reserved),
    })


def write(name, lines):
    write_source(os.path.join(HERE, name), lines)


def main():
    for model in MODELS:
        lines = model_lines(model, f"{model.prefix}ad.lyt")
        for number, paper in enumerate(COMMON + model.extra):
            lines += paper_section(number, FIRST_PAPER_ID + number, paper, model)
        write(f"{model.prefix}ad.txt", lines)
        write(f"{model.prefix}ed.txt", model_lines(model, f"{model.prefix}ed.lyt"))


if __name__ == "__main__":
    main()
