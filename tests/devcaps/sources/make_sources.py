#!/usr/bin/env python3
"""Writes the crafted paper-table sources of the kvx610f tests into this folder.

Each source has the layout the program itself writes (eight header lines,
"Version", a "0" line, "Model", then one "PaperNN" section per paper, each followed
by a "0" line), with CR LF line ends. The tests compile them with kvx500pc.exe and
serve the tables through kvx500i3.dll.

Run: python3 tests/devcaps/sources/make_sources.py  (rewrites the .txt files here)
"""

import os

HERE = os.path.dirname(os.path.abspath(__file__))

SERIES_CODE = "0x21"
MODEL_CODE = "0x07"

KIND_ROLL, KIND_LABEL = 74, 75


def header(title):
    stars = ";" + "*" * 54
    return [stars, ";", ";\tOstrel LM-610N LYT Source File", ";", f";\t{title}", ";", stars,
            ""]


def version_and_model(default_length=1000, default_length_dots=800):
    return [
        "[Version]",
        "FormatVersion=1.00",
        "ModelVersion=1.02",
        "OutputFileName=KVX610ad.lyt",
        "0",
        "",
        "[Model]",
        f"bySeriesCode={SERIES_CODE}",
        f"byModelCode={MODEL_CODE}",
        "dmDeviceName=Ostrel LM-610N",
        "dwHeadPinNum=0x000001c0",
        "dwDeviceAbility01=0x00000013",
        "dwDeviceAbility02=0x00000000",
        "wMinCopies=1",
        "wMaxCopies=999",
        "wMinCutEveryNum=1",
        "wMaxCutEveryNum=99",
        "nDefaultPaperSize=301",
        f"nDefaultPaperLength={default_length}",
        f"nDefaultPaperLengthRes={default_length_dots}",
        "wResolutionNum=1",
        "wResolutions=203,203",
        "wSensorKinds=3",
        "",
    ]


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
    return [
        f"[Paper{number:02d}]",
        f"szPaperName_mm={name}",
        f"szPaperName_inch={name} in",
        'szPaperWidthString_inch=1.97"',
        'szPaperLengthString_inch=1.18"' if p["nPaperLength"] else "szPaperLengthString_inch=",
        f"nType={p['nType']}",
        f"nPaperSize={paper_id}",
        f"nPaperWidth={p['nPaperWidth']}",
        f"nImageAreaWidth={p['nImageAreaWidth']}",
        f"nPaperWidthRes={p['nPaperWidthRes']}",
        f"nImageAreaWidthRes={p['nImageAreaWidthRes']}",
        f"nPaperLength={p['nPaperLength']}",
        f"nImageAreaLength={p['nImageAreaLength']}",
        f"nPaperLengthRes={p['nPaperLengthRes']}",
        f"nImageAreaLengthRes={p['nImageAreaLengthRes']}",
        f"nPhysicalOffsetX={p['nPhysicalOffsetX']}",
        f"nPhysicalOffsetY={p['nPhysicalOffsetY']}",
        "wPinOffsetLeft=24",
        "wPinOffsetRight=40",
        f"nMaxFeed={p['nMaxFeed']}",
        "nMaxLength=0",
        "nMinLength=0",
        f"wSplit={p['wSplit']}",
        f"nClipInfoLeft={p['nClipInfoLeft']}",
        f"nClipInfoRight={p['nClipInfoRight']}",
        f"nClipInfoTop={p['nClipInfoTop']}",
        f"nClipInfoBottom={p['nClipInfoBottom']}",
        f"nVirtualOffsetX={p['nVirtualOffsetX']}",
        "nVirtualOffsetY=0",
        "nCompatiblePaperSizes=",
        f"dwPaperAbility01=0x{p['dwPaperAbility01']:08x}",
        "dwPaperAbility02=0x00000000",
        "byReserved001=0",
        "byEnergyRank=5",
        f"lblPitchDot={p['nPaperLengthRes']}",
        "markNoChkValu=0",
        f"nSensorID={sensing}",
        "byRollWidMm=50",
        "byHeadDivide=0",
        "nDieStartPlus=0",
        "nDieStartRevPlus=0",
        "wDieStartFwdPlus=0",
        "nAfterFeedPlus=0",
        f"wPafMediaID={paper_id}",
        "PresetBlkPos1_1=0",
        "PresetBlkPos2_1=0",
        "PresetBlkPos2_2=0",
        "PresetBlkPos3_1=0",
        "PresetBlkPos3_2=0",
        "PresetBlkPos3_3=0",
        f"szSizeMM={name[:15]}",
        f"szSizeIN={name[:15]}",
        "MediaAtrInfo=0",
        f"reserved_12_={p['nPhysicalOffsetY']},0,0,0,0,0,{sensing},6,0,0,0,0",
        "0",
        "",
    ]


def source(title, papers, **model):
    lines = header(title) + version_and_model(**model)
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
        with open(os.path.join(HERE, name), "wb") as out:
            out.write("".join(line + "\r\n" for line in lines).encode("cp1252"))


if __name__ == "__main__":
    main()
