// English texts of the dialogs and the menu of kvx500ct.rc: one T_ name for every
// text the shared layout shows. Plain ASCII (a subset of code page 1252); no text
// holds a double quote. One definition a line.
#pragma once

#define VELKOR_LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US

#define T_OK "OK"
#define T_CANCEL "Cancel"

#define T_POPUP_MENU "Printer"
#define T_POPUP_SEND "&Send to printer"
#define T_POPUP_SAVE "Save &printer data..."

#define T_ABOUT_CAPTION "About"

#define T_MAIN_CAPTION "Mertavo Paper Manager"
#define T_MAIN_LIST "Paper &formats:"
#define T_MAIN_SELECTED "Selected paper"
#define T_MAIN_WIDTH "Width:"
#define T_MAIN_LENGTH "Length:"
#define T_MAIN_ENERGY "Energy rank:"
#define T_MAIN_ADD "&Add..."
#define T_MAIN_EDIT "&Edit..."
#define T_MAIN_DELETE "&Delete"
#define T_MAIN_EXPORT "E&xport..."
#define T_MAIN_IMPORT "&Import..."
#define T_MAIN_HISTORY "&History..."
#define T_MAIN_OPTIONS "&Options..."
#define T_MAIN_SEND "Send to &printer"
#define T_MAIN_MORE "More"
#define T_MAIN_CLOSE "Close"

#define T_ED_CAPTION "Paper Format"
#define T_ED_NAME "Paper &name:"
#define T_ED_KIND "Paper &kind:"
#define T_ED_SIZE "Size"
#define T_ED_WIDTH "&Width:"
#define T_ED_LENGTH "&Length:"
#define T_ED_GAP "&Gap:"
#define T_ED_MARGINS "Margins"
#define T_ED_TOP "&Top:"
#define T_ED_BOTTOM "&Bottom:"
#define T_ED_LEFT "L&eft:"
#define T_ED_RIGHT "&Right:"
#define T_ED_MARK "Black mark"
#define T_ED_MARK_LENGTH "Lengt&h:"
#define T_ED_MARK_OFFSET "O&ffset:"
#define T_ED_PREVIEW "Preview"
#define T_ED_ADVANCED "&Advanced..."
#define T_ED_OVERWRITE "&Overwrite"
#define T_ED_SAVE_NEW "&Save as new"

#define T_OPT_CAPTION "Options"
#define T_OPT_UNITS "Units"
#define T_OPT_MM "&Millimetres"
#define T_OPT_INCH "&Inches"

#define T_ADV_CAPTION "Advanced Settings"
#define T_ADV_OFFSETS "Virtual offsets"
#define T_ADV_X "&Horizontal (X):"
#define T_ADV_Y "&Vertical (Y):"
#define T_ADV_PRINTING "Printing"
#define T_ADV_ENERGY "&Energy rank:"
#define T_ADV_LABELS "Die-cut labels"
#define T_ADV_MARKED "Marked labels"
#define T_ADV_ADJUST_1 "Adjustment &1:"
#define T_ADV_ADJUST_2 "Adjustment &2:"

#define T_TR_CAPTION "Send to Printer"
#define T_TR_GROUP "Paper format to send"
#define T_TR_PRINTER "Printer:"
#define T_TR_PAPER "Paper format:"
#define T_TR_NOTE "Switch the printer on before sending. The printer keeps the paper format until it is replaced."
#define T_TR_SEND "&Send"

// History of kept paper sets
#define T_HI_CAPTION "Paper Format History"
#define T_HI_LIST "Paper formats as they were before each change, newest &first:"
#define T_HI_RESTORE "&Restore"
#define T_HI_CLOSE "Close"
