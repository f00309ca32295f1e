// CBlackMark: "BlaceMarkSet", black mark detection, ticket length, mark width, cut and print positions.
#pragma once

#define IDD_BLACKMARK 181

// Distances in millimetres, and the offset direction radio pair
#define IDC_BLACKMARK_MAX_LENGTH 1158
#define IDC_BLACKMARK_WIDTH_LIMIT 1019
#define IDC_BLACKMARK_CUT_OFFSET 1082
#define IDC_BLACKMARK_PRINT_OFFSET 1157
#define IDC_BLACKMARK_DIRECTION_FEED 1000
#define IDC_BLACKMARK_DIRECTION_REVERSE 1001

// Setting buttons, one per distance
#define IDC_BLACKMARK_MAX_LENGTH_SET 1067
#define IDC_BLACKMARK_WIDTH_LIMIT_SET 1025
#define IDC_BLACKMARK_CUT_OFFSET_SET 1015
#define IDC_BLACKMARK_PRINT_OFFSET_SET 1018

// Test receipts
#define IDC_BLACKMARK_TICKET_TEST 1083
#define IDC_BLACKMARK_PRINT_START_TEST 1017
#define IDC_BLACKMARK_CUT_TEST 1016

// Detection on and off
#define IDC_BLACKMARK_OPEN 1023
#define IDC_BLACKMARK_CLOSE 1014
