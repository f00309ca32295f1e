// Fixture: dialog B on A's number, a name of A again, a command on another's number, a hex value.
#pragma once

#define IDD_B 100
#define IDC_B_ONE 1000
#define IDC_A_ONE 7
#define IDM_CLOSE 32800
#define IDB_PICTURE 0xD2
#define ID_OTHER 5
