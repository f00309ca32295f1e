// CBarCodeDialog: the QR dialog, a preview from EnCodeQr.dll and GS ( k printing; shows IDB_FRAME_PATTERN.
#pragma once

#define IDD_QR 182

// QR text, error correction and scale lists, cut box
#define IDC_QR_TEXT 1020
#define IDC_QR_ECC 1007
#define IDC_QR_SCALE 1008
#define IDC_QR_CUT 1024

// Preview picture, hidden in the template: the dialog paints its bitmap itself
#define IDC_QR_PICTURE 1176

// Voltar, Imprimir, Limpar, Gerar
#define IDC_QR_BACK 1014
#define IDC_QR_PRINT 1015
#define IDC_QR_CLEAR 1016
#define IDC_QR_GENERATE 1017
