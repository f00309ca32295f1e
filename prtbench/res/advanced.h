// CCAdvencedDialog: the advanced settings hub, one-shot configuration commands and the other dialogs.
#pragma once

#define IDD_ADVANCED 140

// Buttons that open other dialogs, and Voltar
#define IDC_ADVANCED_LOGO 1083
#define IDC_ADVANCED_QR 1026
#define IDC_ADVANCED_BLACK_MARK 1036
#define IDC_ADVANCED_GENERAL 1030
#define IDC_ADVANCED_BACK 1014

// Interface mode
#define IDC_ADVANCED_INTERFACE_USB 1033
#define IDC_ADVANCED_INTERFACE_COM 1034

// Print width
#define IDC_ADVANCED_WIDTH_SET 1039
#define IDC_ADVANCED_WIDTH 1021

// Barcode sample
#define IDC_ADVANCED_BARCODE_PRINT 1067
#define IDC_ADVANCED_BARCODE_TYPE 1010
#define IDC_ADVANCED_BARCODE_HEIGHT 1011

// Code page: sample, set, list
#define IDC_ADVANCED_CODEPAGE_TEST 1018
#define IDC_ADVANCED_CODEPAGE_SET 1017
#define IDC_ADVANCED_CODEPAGE 1007

// Serial baud rate
#define IDC_ADVANCED_BAUD_SET 1035
#define IDC_ADVANCED_BAUD 1020

// Print density
#define IDC_ADVANCED_DENSITY_SET 1016
#define IDC_ADVANCED_DENSITY 1008

// Hidden in the template: H line print, buzzer, sensitivity with its SensH box
#define IDC_ADVANCED_PRINT_H_LINE 1015
#define IDC_ADVANCED_BUZZER_SET 1025
#define IDC_ADVANCED_BUZZER 1012
#define IDC_ADVANCED_SENSITIVITY_SET 1027
#define IDC_ADVANCED_SENSITIVITY 1009
#define IDC_ADVANCED_SENSITIVITY_HIGH 1013
#define IDC_ADVANCED_SENSITIVITY_HIGH_SWITCH 1024

// Hidden in the template: buttons that open the other configuration and image dialogs
#define IDC_ADVANCED_P76E_DIP 1028
#define IDC_ADVANCED_P58_DIP 1029
#define IDC_ADVANCED_NET_SETTINGS 1031
#define IDC_ADVANCED_BLUETOOTH 1032
#define IDC_ADVANCED_SAVE_PAPER 1041
#define IDC_ADVANCED_BLACK_MARK_76 1038
#define IDC_ADVANCED_NVLOGO 1084
#define IDC_ADVANCED_RASTER 1085

// Hidden in the template: file send, and the stored input code page
#define IDC_ADVANCED_FILE_SEND 1037
#define IDC_ADVANCED_INPUT_CODEPAGE_SET 1040
#define IDC_ADVANCED_INPUT_CODEPAGE 1022
