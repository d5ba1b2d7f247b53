// Resource and control ids of the setup program.
#pragma once

#include "install/OverwriteIds.h"  // the overwrite question, asked by the installation run

#define IDR_MAINFRAME 128
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_ZEMBRASETUP_DIALOG 102

#define IDM_ABOUTBOX 0x0010

#define IDC_NEXT 1021
#define IDC_PIC1 1031
#define IDC_PIC2 1032
#define IDC_PIC3 1033
#define IDC_PATH_LABEL 1034
#define IDC_PATH 1035
#define IDC_BROWSE 1036
#define IDC_PROGRESS 1037
#define IDC_WAIT_TEXT 1038
#define IDC_FILE_INFO 1039
#define IDC_PREV 1040
#define IDC_LINE 1041
#define IDC_PANEL_TOP 1042
#define IDC_PANEL_BAND 1043
#define IDC_INSTALL 1047
#define IDC_VIEW1 1048
#define IDC_VIEW2 1049
#define IDC_VIEW3 1050
#define IDC_BAND_CAPTION 1051

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
