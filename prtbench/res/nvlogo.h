// CDlgNvlogo2: defines, prints and deletes NV graphics by key code (GS 8 L / GS ( L); shows IDB_FRAME_PATTERN.
#pragma once

#define IDD_NVLOGO 197

// Preview and status box
#define IDC_NVLOGO_PREVIEW 1106
#define IDC_NVLOGO_PREVIEW_GROUP 1154
#define IDC_NVLOGO_STATUS 1107

// Open, define, print, delete
#define IDC_NVLOGO_OPEN 1014
#define IDC_NVLOGO_DEFINE 1015
#define IDC_NVLOGO_PRINT 1016
#define IDC_NVLOGO_DELETE 1017

// Size mode radio group, and the cut box
#define IDC_NVLOGO_SIZE_NORMAL 1004
#define IDC_NVLOGO_SIZE_DOUBLE_WIDTH 1005
#define IDC_NVLOGO_SIZE_DOUBLE_HEIGHT 1006
#define IDC_NVLOGO_SIZE_DOUBLE_BOTH 1039
#define IDC_NVLOGO_CUT 1024

// Hidden in the template: key code edits, delete all
#define IDC_NVLOGO_KC1 1217
#define IDC_NVLOGO_KC2 1218
#define IDC_NVLOGO_DELETE_ALL 1227
