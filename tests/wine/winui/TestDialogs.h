// Ids of the dialogs the framework tests build.
#pragma once

#define IDD_TEST_BUTTONS 100
#define IDD_TEST_CONTROLS 101
#define IDC_TEST_PLAIN 1001
#define IDC_TEST_SECOND 1002
#define IDC_TEST_LABEL 1003
#define IDC_TEST_RADIO_A 1010
#define IDC_TEST_RADIO_B 1011
#define IDC_TEST_RADIO_C 1012
#define IDC_TEST_RADIO_OTHER 1013
#define IDC_TEST_COMBO 1020
#define IDC_TEST_ADDRESS 1030
#define IDC_TEST_EDIT 1040
#define IDC_TEST_CHECK 1050
