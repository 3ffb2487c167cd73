"""The lines of a paper-table source in the layout the program itself writes.

Eight header lines, "Version", a "0" line, "Model", then one "PaperNN" section per
paper, each followed by a "0" line; written with CR LF line ends in code page 1252.
Used by the family's generator here and by the generator of the test sources.
"""

# The keys of a paper section, in the order the program writes them.
PAPER_KEYS = [
    "szPaperName_mm", "szPaperName_inch", "szPaperWidthString_inch",
    "szPaperLengthString_inch", "nType", "nPaperSize", "nPaperWidth", "nImageAreaWidth",
    "nPaperWidthRes", "nImageAreaWidthRes", "nPaperLength", "nImageAreaLength",
    "nPaperLengthRes", "nImageAreaLengthRes", "nPhysicalOffsetX", "nPhysicalOffsetY",
    "wPinOffsetLeft", "wPinOffsetRight", "nMaxFeed", "nMaxLength", "nMinLength", "wSplit",
    "nClipInfoLeft", "nClipInfoRight", "nClipInfoTop", "nClipInfoBottom", "nVirtualOffsetX",
    "nVirtualOffsetY", "nCompatiblePaperSizes", "dwPaperAbility01", "dwPaperAbility02",
    "byReserved001", "byEnergyRank", "lblPitchDot", "markNoChkValu", "nSensorID",
    "byRollWidMm", "byHeadDivide", "nDieStartPlus", "nDieStartRevPlus", "wDieStartFwdPlus",
    "nAfterFeedPlus", "wPafMediaID", "PresetBlkPos1_1", "PresetBlkPos2_1", "PresetBlkPos2_2",
    "PresetBlkPos3_1", "PresetBlkPos3_2", "PresetBlkPos3_3", "szSizeMM", "szSizeIN",
    "MediaAtrInfo", "reserved_12_",
]

# Values of the paper keys that every generated source leaves at zero or empty.
PAPER_DEFAULTS = {
    "nVirtualOffsetY": 0,
    "nCompatiblePaperSizes": "",
    "dwPaperAbility02": "0x00000000",
    "byReserved001": 0,
    "markNoChkValu": 0,
    "byHeadDivide": 0,
    "nDieStartPlus": 0,
    "nDieStartRevPlus": 0,
    "wDieStartFwdPlus": 0,
    "nAfterFeedPlus": 0,
    "PresetBlkPos1_1": 0,
    "PresetBlkPos2_1": 0,
    "PresetBlkPos2_2": 0,
    "PresetBlkPos3_1": 0,
    "PresetBlkPos3_2": 0,
    "PresetBlkPos3_3": 0,
    "MediaAtrInfo": 0,
}


def header(device_name, description):
    stars = ";" + "*" * 54
    return [stars, ";", f";\t{device_name} LYT Source File", ";", f";\t{description}", ";",
            stars, ""]


def version_and_model(output_name, series_code, model_code, device_name, head_pins, dpi,
                      default_paper, default_length, default_length_dots):
    return [
        "[Version]",
        "FormatVersion=1.00",
        "ModelVersion=1.02",
        f"OutputFileName={output_name}",
        "0",
        "",
        "[Model]",
        f"bySeriesCode={series_code}",
        f"byModelCode={model_code}",
        f"dmDeviceName={device_name}",
        f"dwHeadPinNum=0x{head_pins:08x}",
        "dwDeviceAbility01=0x00000013",
        "dwDeviceAbility02=0x00000000",
        "wMinCopies=1",
        "wMaxCopies=999",
        "wMinCutEveryNum=1",
        "wMaxCutEveryNum=99",
        f"nDefaultPaperSize={default_paper}",
        f"nDefaultPaperLength={default_length}",
        f"nDefaultPaperLengthRes={default_length_dots}",
        "wResolutionNum=1",
        f"wResolutions={dpi},{dpi}",
        "wSensorKinds=3",
        "",
    ]


def paper_section(number, values):
    """Section "PaperNN" with `values` (by key, over PAPER_DEFAULTS); every key is needed."""
    values = dict(PAPER_DEFAULTS, **values)
    unknown = set(values) - set(PAPER_KEYS)
    missing = set(PAPER_KEYS) - set(values)
    assert not unknown and not missing, (number, sorted(unknown), sorted(missing))
    return ([f"[Paper{number:02d}]"] + [f"{key}={values[key]}" for key in PAPER_KEYS]
            + ["0", ""])


def write(path, lines):
    with open(path, "wb") as out:
        out.write("".join(line + "\r\n" for line in lines).encode("cp1252"))
