// CDlg1d76: "1D 76 print", one picture as a GS v 0 raster image at a chosen print width.
#pragma once

#define IDD_RASTER 205

#define IDC_RASTER_OPEN 1259
#define IDC_RASTER_PRINT 1261
#define IDC_RASTER_WIDTH_LABEL 1262
#define IDC_RASTER_WIDTH 1263
#define IDC_RASTER_WIDTH_NOTE 1264
#define IDC_RASTER_INFO 1260
#define IDC_RASTER_PREVIEW 1106
