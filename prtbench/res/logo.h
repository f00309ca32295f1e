// CLogoDialog: stores one picture as NV image 1 (FS q), prints it (FS p) and blanks it; shows IDB_FRAME_PATTERN.
#pragma once

#define IDD_LOGO 141

// Preview and status box
#define IDC_LOGO_PREVIEW 1106
#define IDC_LOGO_PREVIEW_GROUP 1154
#define IDC_LOGO_STATUS 1107

// Open, download, print, blank
#define IDC_LOGO_OPEN 1014
#define IDC_LOGO_DOWNLOAD 1015
#define IDC_LOGO_PRINT 1016
#define IDC_LOGO_BLANK 1017

// Size mode radio group, and the cut box
#define IDC_LOGO_SIZE_NORMAL 1004
#define IDC_LOGO_SIZE_DOUBLE_WIDTH 1005
#define IDC_LOGO_SIZE_DOUBLE_HEIGHT 1006
#define IDC_LOGO_SIZE_DOUBLE_BOTH 1039
#define IDC_LOGO_CUT 1024

// Hidden in the template: multiple download, save bitmap data, Bin
#define IDC_LOGO_MULTI_DOWNLOAD 1020
#define IDC_LOGO_SAVE_DATA 1247
#define IDC_LOGO_BIN 1000
