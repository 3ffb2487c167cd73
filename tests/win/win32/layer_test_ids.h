// Resource numbers of the dialog-layer test.
#pragma once

#define IDD_LAYER_TEST 500
#define IDC_T_EDIT 10
#define IDC_T_LIST 11
#define IDC_T_COMBO 12
#define IDC_T_SPIN 13
#define IDC_T_RADIO_A 14
#define IDC_T_RADIO_B 15
#define IDC_T_BUTTON 16
#define IDM_T_MENU 1450
#define IDB_T_BITMAP 700
#define IDS_T_SHORT 100
#define IDS_T_LONG 101
