// Numbers of every resource of the language module kvx500ct.dll. The numbers are
// fixed: the program finds dialogs, controls, menus, bitmaps and strings by them.
// Plain macros, because this header is read by both the resource compiler and C++.
//
// The resource tests read this header as the list of what every language module
// must hold, so it keeps a simple shape: one "#define NAME number" a line; IDD_
// names a dialog template, IDI_ an icon, IDB_ a bitmap, IDS_ a string (IDS_x_FIRST
// to IDS_x_LAST a run of them); a heading comment ending in "(template IDD_x)" or
// "(menu IDM_x)" makes the defines below it, up to the next heading, controls of
// that template or commands of that menu (with IDOK or IDCANCEL when the heading
// names them).
#pragma once

// Dialog templates
#define IDD_ABOUT 100
#define IDD_MAIN 102
#define IDD_EDITOR 129
#define IDD_OPTION 133
#define IDD_ADVANCED 134
#define IDD_TRANSFER 145
#define IDD_HISTORY 160

// Drop-down menu of the split button 1014
#define IDM_POPUP 1450

// Its commands (menu IDM_POPUP)
#define IDM_POPUP_SEND 1452
#define IDM_POPUP_SAVE 1453

// Icon and bitmaps
#define IDI_MAIN 128
#define IDB_RULER 130          // editor, placeholder 1010
#define IDB_KIND_LABEL 131     // editor 1009, die-cut labels
#define IDB_KIND_ROLL 132      // editor 1009, paper without fixed length
#define IDB_ADVANCED 140       // advanced dialog, anchor 1051
#define IDB_MARK_POSITIVE 143  // editor 1033, marked labels, offset 0 or more
#define IDB_KIND_MARK 144      // editor 1009, labels found by a mark
#define IDB_FEED_POSITIVE 147  // editor 1033, other kinds, offset 0 or more
#define IDB_MARK_NEGATIVE 148  // editor 1033, marked labels, offset below 0
#define IDB_FEED_NEGATIVE 149  // editor 1033, other kinds, offset below 0

// System menu command of the main window that opens the about box
#define IDM_ABOUTBOX 16

// Main window, with IDOK (template IDD_MAIN)
#define IDC_MAIN_LIST 1000
#define IDC_MAIN_ADD 1001
#define IDC_MAIN_EDIT 1002
#define IDC_MAIN_DELETE 1003
#define IDC_MAIN_EXPORT 1004
#define IDC_MAIN_IMPORT 1005
#define IDC_MAIN_OPTIONS 1006
#define IDC_MAIN_WIDTH 1007
#define IDC_MAIN_LENGTH 1008
#define IDC_MAIN_SEND 1013
#define IDC_MAIN_POPUP 1014
#define IDC_MAIN_HISTORY 1016
#define IDC_MAIN_ENERGY 1090

// Paper editor, with IDOK and IDCANCEL (template IDD_EDITOR)
#define IDC_ED_NAME 1011
#define IDC_ED_KIND 1054
#define IDC_ED_WIDTH 1017
#define IDC_ED_LENGTH 1019
#define IDC_ED_GAP 1023
#define IDC_ED_RIGHT 1304
#define IDC_ED_TOP 1306
#define IDC_ED_LEFT 1305
#define IDC_ED_BOTTOM 1307
#define IDC_ED_MARK_LENGTH 1029
#define IDC_ED_MARK_OFFSET 1031
#define IDC_ED_SPIN_WIDTH 1038
#define IDC_ED_SPIN_LENGTH 1039
#define IDC_ED_SPIN_GAP 1041
#define IDC_ED_SPIN_RIGHT 1308
#define IDC_ED_SPIN_TOP 1310
#define IDC_ED_SPIN_LEFT 1309
#define IDC_ED_SPIN_BOTTOM 1311
#define IDC_ED_SPIN_MARK_LENGTH 1047
#define IDC_ED_SPIN_MARK_OFFSET 1048
#define IDC_ED_DIM_WIDTH 1007
#define IDC_ED_DIM_LENGTH 1008
#define IDC_ED_DIM_GAP 1012
#define IDC_ED_DIM_RIGHT 1300
#define IDC_ED_DIM_TOP 1302
#define IDC_ED_DIM_LEFT 1301
#define IDC_ED_DIM_BOTTOM 1303
#define IDC_ED_DIM_MARK_LENGTH 1036
#define IDC_ED_DIM_MARK_OFFSET 1035
#define IDC_ED_UNIT_WIDTH 1018
#define IDC_ED_UNIT_LENGTH 1020
#define IDC_ED_UNIT_GAP 1024
#define IDC_ED_UNIT_RIGHT 1501
#define IDC_ED_UNIT_TOP 1502
#define IDC_ED_UNIT_LEFT 1503
#define IDC_ED_UNIT_BOTTOM 1504
#define IDC_ED_UNIT_MARK_LENGTH 1030
#define IDC_ED_UNIT_MARK_OFFSET 1032
#define IDC_ED_RANGE_WIDTH 1044
#define IDC_ED_RANGE_LENGTH 1045
#define IDC_ED_PIC_KIND 1009
#define IDC_ED_PIC_MARK 1033
#define IDC_ED_PIC_RULER 1010
#define IDC_ED_ADVANCED 1034
#define IDC_ED_OVERWRITE 1046

// Advanced media settings, with IDOK and IDCANCEL (template IDD_ADVANCED)
#define IDC_ADV_X 1035
#define IDC_ADV_SPIN_X 1036
#define IDC_ADV_Y 1038
#define IDC_ADV_SPIN_Y 1040
#define IDC_ADV_DIM_X 1049
#define IDC_ADV_DIM_Y 1050
#define IDC_ADV_UNIT_X 1037
#define IDC_ADV_UNIT_Y 1039
#define IDC_ADV_RANGE_X 1045
#define IDC_ADV_RANGE_Y 1046
#define IDC_ADV_ENERGY 1029
#define IDC_ADV_ADJUST_A1 1400
#define IDC_ADV_ADJUST_A2 1401
#define IDC_ADV_ADJUST_B1 1402
#define IDC_ADV_ADJUST_B2 1403
#define IDC_ADV_PICTURE 1051

// Unit option dialog, with IDOK and IDCANCEL (template IDD_OPTION)
#define IDC_OPT_MM 1031
#define IDC_OPT_INCH 1032

// About box, with IDOK (template IDD_ABOUT)
#define IDC_ABOUT_VERSION 1048
#define IDC_ABOUT_YEAR 1047

// History dialog, with IDCANCEL (template IDD_HISTORY)
#define IDC_HISTORY_LIST 1601
#define IDC_HISTORY_RESTORE 1602

// Transfer dialog, with IDOK and IDCANCEL (template IDD_TRANSFER)
#define IDC_TR_PRINTER 1058
#define IDC_TR_PAPER 1057
#define IDC_TR_BUTTON 1053

// Strings
#define IDS_APP_TITLE 100
#define IDS_ABOUT_ITEM 101
#define IDS_ABOUT_VERSION 102
#define IDS_ABOUT_YEAR 103
#define IDS_EDITOR_NEW 201
#define IDS_EDITOR_EDIT 202
#define IDS_EXPORT_TITLE 301
#define IDS_IMPORT_TITLE 302
#define IDS_IMPORT_FILTER 311
#define IDS_NEW_PAPER_NAME 501
#define IDS_ASK_DELETE 1001
#define IDS_ASK_EXPORT_OVERWRITE 1003
#define IDS_EXPORT_DONE 1004
#define IDS_IMPORT_DONE 1005
#define IDS_CHANGED_NOTICE 1006
#define IDS_ASK_IMPORT 1007
#define IDS_FILES_MISSING 1101
#define IDS_INSTALL_FAILED 1102
#define IDS_EXPORT_FAILED 1103
#define IDS_IMPORT_FAILED 1104
#define IDS_NOT_THIS_MODEL 1105
#define IDS_NAME_IN_USE 1106
#define IDS_RANGE_ERROR 1108
#define IDS_TOO_MANY_PAPERS 1109
#define IDS_NAME_REFUSED 1110
#define IDS_ITEM_WIDTH 1201
#define IDS_ITEM_LENGTH 1202
#define IDS_ITEM_GAP 1204
#define IDS_ITEM_OFFSET_X 1207
#define IDS_ITEM_OFFSET_Y 1208
#define IDS_ITEM_NAME 1209
#define IDS_ITEM_MARK_LENGTH 1210
#define IDS_ITEM_MARK_OFFSET 1211
#define IDS_ITEM_RIGHT 1212
#define IDS_ITEM_LEFT 1213
#define IDS_ITEM_TOP 1214
#define IDS_ITEM_BOTTOM 1215
#define IDS_ADJUST_FIRST 1250  // the adjustment steps -2 to +2
#define IDS_ADJUST_LAST 1254
#define IDS_KIND_ROLL 2000
#define IDS_KIND_LABEL 2001
#define IDS_KIND_MARK 2002
#define IDS_SAVE_DATA_TITLE 2100
#define IDS_SAVE_DATA_FILTER 2110
#define IDS_DATA_SAVED 2200
#define IDS_DATA_SAVE_FAILED 2210
#define IDS_TRANSFER_DONE 2220
#define IDS_DATA_UNREADABLE 2230
#define IDS_SEND_FAILED 2231
#define IDS_NO_PORT 2300

// History of kept paper sets: what replaced a kept set, its number of papers, the
// mark of a damaged entry, and the restore question
#define IDS_HISTORY_ADDED 2400
#define IDS_HISTORY_OVERWRITTEN 2401
#define IDS_HISTORY_DELETED 2402
#define IDS_HISTORY_IMPORTED 2403
#define IDS_HISTORY_RESTORED 2404
#define IDS_HISTORY_PAPERS 2405
#define IDS_HISTORY_ONE_PAPER 2406
#define IDS_HISTORY_DAMAGED 2407
#define IDS_ASK_RESTORE 2408
