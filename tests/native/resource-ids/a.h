// Fixture: dialog A, two controls on one number and a control of dialog B.
#pragma once

#define IDD_A 100
#define IDC_A_ONE 1000
#define IDC_A_TWO 1000
#define IDC_B_STRAY 1001
#define IDM_OPEN 32800
