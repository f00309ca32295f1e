// CP80DIPSetting: "Configurações Gerais", the P80 software DIP switches and the serial speed bits.
#pragma once

#define IDD_P80DIP 189

// Radio pairs, index 0 then index 1
#define IDC_P80DIP_CUTTER_YES 1000
#define IDC_P80DIP_CUTTER_NO 1001
#define IDC_P80DIP_BEEP_NO 1002
#define IDC_P80DIP_BEEP_YES 1003
#define IDC_P80DIP_PAPER_58_YES 1004
#define IDC_P80DIP_PAPER_58_NO 1005
#define IDC_P80DIP_CHINESE_YES 1006
#define IDC_P80DIP_CHINESE_NO 1039
#define IDC_P80DIP_CPL_48 1040
#define IDC_P80DIP_CPL_42 1041
#define IDC_P80DIP_DRAWER_NO 1042
#define IDC_P80DIP_DRAWER_YES 1043

// Serial speed list, and Set
#define IDC_P80DIP_BAUD 1020
#define IDC_P80DIP_SET 1014
