#!/usr/bin/python3
"""Writes the shipped "resources/Config File/Config.xml" from the readable table below.

Every section and entry that the program reads or writes is listed with its default value in plain
text; the file stores each value in the encoded form the configuration store reads (the sum S of the
key's character codes as signed bytes; every value byte as a signed byte b written as b + S; the
numbers joined with "-"). An empty value is stored as an empty attribute.

Usage: tools/make_config_xml.py [--list] [OUTPUT]
  --list  print the table (section, key, plain value) instead of writing the file
"""

import os
import sys

T, F = "TRUE", "FALSE"

# Radio pairs hold "TRUE" for the chosen button and "FALSE" for the other; values without a
# documented default are empty, except booleans of export options, which start unchecked.
SECTIONS = [
    ("IDD_DIALOG_H_SETUP", [
        # reference power: "Max Level"; reference angle: the nominal direction
        ("IDC_RADIO_MAXLEVEL_BYPOWER", T),
        ("IDC_RADIO_DIRECTION_BYPOWER", F),
        ("IDC_RADIO_MAXLEVEL_BYANGLE", F),
        ("IDC_RADIO_DIRECTION_BYANGLE", T),
        ("IDC_EDIT_HBWXdB", "10"),
        ("IDC_EDIT_PXLEVEL", "60"),
        ("IDC_EDIT_NXLEVEL", "60"),
        ("IDC_EDIT_FBR_XDEG", "-180"),
        ("IDC_EDIT_FBR_TDEG", "30"),
        ("IDC_EDIT_SELLEAN", "3"),
        # tracking sector by X dB
        ("IDC_RADIO_THP_ANGLE_RANG", F),
        ("IDC_RADIO_THP_DB_RANG", T),
        ("IDC_EDIT_THP_XDEG", "60"),
        ("IDC_EDIT_THP_XDB", "3"),
        # sector power ratio over +-X degrees, ratio kind "s/t"
        ("IDC_RADIO_SPR_ANGLE_RANG", T),
        ("IDC_RADIO_SPR_DB_RANG", F),
        ("IDC_EDIT_SPR_XDEG", "60"),
        ("IDC_EDIT_SPR_XDB", "3"),
        ("IDC_IDC_COMB_SPR_XDB", "2"),
        # roundness as Max(Max - Avg, |Min - Avg|)
        ("IDC_RADIO_SelSPR_MAX", T),
        ("IDC_RADIO_SelSPR_AVERAGE", F),
        ("IDC_EDIT_SelXPDX", "20"),
        ("IDC_EDIT_SelXPDXDB", "3"),
    ]),
    ("IDD_DIALOG_V_SETUP", [
        # gain from the horizontal pattern, as when nothing is stored
        ("IDC_RADIO_GAIN_CALCPARA_V", F),
        ("IDC_RADIO_GAIN_CALCPARA_H", T),
        ("IDC_EDIT_VBWXdB_xdB", "10"),
        ("IDC_EDIT_VXPDX_XDB", "3"),
        ("IDC_RADIO_MANUAL", T),
        ("IDC_RADIO_AUTO", F),
        # side-lobe sector rows: start / end; rows 7 to 10 unused (row 7 ends in IDC_EDIT_72)
        ("IDC_EDIT_1", "0"), ("IDC_EDIT_11", "-30"),
        ("IDC_EDIT_2", "-30"), ("IDC_EDIT_21", "-150"),
        ("IDC_EDIT_3", "-150"), ("IDC_EDIT_31", "150"),
        ("IDC_EDIT_4", "150"), ("IDC_EDIT_41", "100"),
        ("IDC_EDIT_5", "100"), ("IDC_EDIT_51", "80"),
        ("IDC_EDIT_6", "80"), ("IDC_EDIT_61", "0"),
        ("IDC_EDIT_7", ""), ("IDC_EDIT_72", ""),
        ("IDC_EDIT_8", ""), ("IDC_EDIT_81", ""),
        ("IDC_EDIT_9", ""), ("IDC_EDIT_91", ""),
        ("IDC_EDIT_10", ""), ("IDC_EDIT_101", ""),
        ("IDC_EDIT_FSU_ENV", "-60"),
        ("IDC_EDIT_FSD_ENV", "60"),
        ("IDC_EDIT_ENVSCOP", "5"),
        ("IDC_CHECK_FSU_ENVCAL", T),
    ]),
    ("IDD_DIALOG_DRAWSETUP", [
        ("IDC_EDIT_PMSTART", "0"),
        ("IDC_EDIT_PMEND", "-50"),
        ("IDC_EDIT_PMLINEDISTANCE", "1"),
        ("IDC_EDIT_PMSCALEDISTANCE", "5"),
        ("IDC_EDIT_PXLINEDISTANCE", "10"),
        ("IDC_EDIT_PXSCALEDISTANCE", "30"),
        ("IDC_EDIT_RMSTART", "0"),
        ("IDC_EDIT_RMEND", "-30"),
        ("IDC_EDIT_RMLINEDISTANCE", "10"),
        ("IDC_EDIT_RMSCALEDISTANCE", "5"),
        ("IDC_EDIT_RXLINEDISTANCE", "10"),
        ("IDC_EDIT_RXSCALEDISTANCE", "30"),
        # 1 polar, 2 Cartesian
        ("IDC_LIST1", "1"),
    ]),
    ("IDD_DIALOG_UPDOWM", [
        ("IDC_RADIO_WHOLE", T),
        ("IDC_RADIO_PART", F),
        ("IDC_EDIT_ANGLE_LEFT", ""),
        ("IDC_EDIT_ANGLE_RIGHT", ""),
    ]),
    ("IDD_DIALOG_ROTATE_MODIFY", [
        ("IDC_EDIT_ROTATE_FOR", ""),
        ("IDC_EDIT_ROTATE", ""),
        ("IDC_RADIO_STATE", ""),
    ]),
    ("IDD_DIALOG_ROTATE_EXAMINE", [
        ("IDC_EDIT_ROTATE_FOR", ""),
        ("IDC_EDIT_ROTATE", ""),
        ("IDC_RADIO_STATE", ""),
    ]),
    ("IDD_DIALOG_ROTATE", [
        ("IDC_RADIO_ROTATE_ANGLE", ""),
        ("IDC_RADIO_ROTATE_DIRECTION", ""),
        ("IDC_RADIO_POINTER_DIRECTION", ""),
        ("IDC_RADIO_NON_ROTATE", ""),
        ("IDC_EDIT1", ""),
        ("IDC_EDIT2", ""),
    ]),
    ("IDD_DIALOG_ADJUST_PART_ELECTRIC", [
        ("IDC_EDIT_ANGLE", ""),
        ("IDC_EDIT_LEVEL", ""),
        ("IDC_EDIT_LEFT_ANGLE", ""),
        ("IDC_EDIT_RIGHT_ANGLE", ""),
    ]),
    ("IDD_DIALOG_OPEN_CONFIG", [
        ("IDC_EDIT_OPEN_CONFIG", ""),
    ]),
    ("IDD_DIALOG_CAPTURE_SCREEN", [
        # capture mode 0, "Include Results"
        ("IDC_RADIO_INCLUDE_INDICATION", T),
        ("IDC_RADIO_NOT_INCLUDE_INDICATION", F),
        ("IDC_RADIO_STANDARD_WINDOWS", F),
        ("IDC_DataSheetWindow", F),
    ]),
    ("IDD_DIALOG_NAME", [
        ("IDC_RADIO_CHINESE", F),
        ("IDC_RADIO_ENGLISH", T),
    ]),
    ("IDD_DIALOG_DATA_EXPORT", [
        ("IDC_RADIO_WORD_REPORT1", F),
        ("IDC_RADIO_WORD_REPORT2", F),
        # the English template for report format 1
        ("IDC_RADIO_CHINA", F),
        ("IDC_RADIO_ENG", T),
        ("IDC_RADIO_EXCEL_REPORT", F),
        ("IDC_RADIO_EXCEL_DATA", F),
        ("IDC_RADIO_PIN", F),
        ("IDC_RADIO_MSI", F),
        ("IDC_RADIO_XML", F),
        ("IDC_RADIO_TXT", F),
        ("IDC_CHECK_TMVMSI", F),
        ("IDC_CHECK_ONESHEET", F),
        ("IDC_RADIO_DIRECTION", F),
        ("IDC_RADIO_PAIN", F),
    ]),
    ("ID_MENU", [
        # vertical indicators
        ("ID_VMAXLEVEL", T),
        ("ID_VBW3dB", T),
        ("ID_VBWXdB", F),
        ("ID_VBP", T),
        ("ID_VBRr", F),
        ("ID_VBRs", F),
        ("ID_VBR10dB", F),
        ("ID_EDE", T),
        ("ID_FSU", T),
        ("ID_FSD", T),
        ("ID_NF", T),
        ("ID_FN", F),
        ("ID_SS", T),
        ("ID_VXPD0", T),
        ("ID_VXPDX", F),
        ("ID_SSU", T),
        ("ID_TSU", T),
        # horizontal indicators
        ("ID_HMAXLEVEL", T),
        ("ID_HBW3DB", T),
        ("ID_HBWXdB", F),
        ("ID_PXLEVEL", F),
        ("ID_NXLEVEL", F),
        ("ID_FBRCO", T),
        ("ID_SSMAX", T),
        ("ID_SPR", F),
        ("ID_SQUINT", T),
        ("ID_Squint_Error", F),
        ("ID_HPS", F),
        ("ID_LEAN", F),
        ("ID_ROUNDNESS", F),
        ("ID_FBRXP", F),
        ("ID_FBRTOT", T),
        ("ID_XPD0", T),
        ("ID_XPDX", T),
        ("ID_XPDXDB", F),
        ("ID_THP", T),
        ("ID_XPD10dB", F),
        ("ID_XPD60deg", F),
        ("ID_THP10dB", F),
        # radiation indicators
        ("ID_DIRECTIVITY", F),
        ("ID_ANTENNA_EFF", F),
        ("ID_GFR", F),
        ("ID_GAIN", T),
        ("ID_ANTENNA_LOSS", F),
        # display and selection switches: single-file selection, no markers
        ("ID_SPRDISPLAY", F),
        ("ID_UNITARY", F),
        ("ID_NO_REL", T),
        ("ID_REL_M_C", F),
        ("ID_REL_V_H", F),
        ("ID_REL_P45_N45", F),
        ("ID_CLEAR_MARK", F),
        ("ID_MASKMAXMAG", F),
        ("ID_MASKMINMAG", F),
        ("ID_MASKFSU", F),
        ("ID_MASKMAXU", F),
    ]),
]


def signed_byte(b):
    return b - 256 if b >= 128 else b


def encode(key, value):
    total = sum(signed_byte(b) for b in key.encode("utf-8"))
    return "-".join(str(signed_byte(b) + total) for b in value.encode("utf-8"))


def render():
    # The layout the configuration store itself writes, so a first save changes only values.
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', "<ConfigApp>"]
    for section, entries in SECTIONS:
        lines.append("    <%s>" % section)
        for key, value in entries:
            lines.append('        <%s value="%s"/>' % (key, encode(key, value)))
        lines.append("    </%s>" % section)
    lines.append("</ConfigApp>")
    return "\n".join(lines) + "\n"


def check_table():
    for section, entries in SECTIONS:
        keys = [key for key, _ in entries]
        duplicates = {key for key in keys if keys.count(key) > 1}
        if duplicates:
            sys.exit("duplicate keys in %s: %s" % (section, ", ".join(sorted(duplicates))))


def main(argv):
    check_table()
    if "--list" in argv:
        for section, entries in SECTIONS:
            for key, value in entries:
                print("%s\t%s\t%s" % (section, key, value))
        return
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    outputs = [a for a in argv if not a.startswith("--")]
    output = outputs[0] if outputs else os.path.join(root, "resources", "Config File", "Config.xml")
    temp = output + ".tmp"
    with open(temp, "w", encoding="utf-8", newline="") as out:
        out.write(render())
    os.replace(temp, output)


if __name__ == "__main__":
    main(sys.argv[1:])
