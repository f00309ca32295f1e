// CDlgAutoIp: finds printers by UDP broadcast on port 9000 and broadcasts new address settings to one.
#pragma once

#define IDD_AUTOIP 204

// Search and the list of printers found, one line per MAC address
#define IDC_AUTOIP_SEARCH 1248
#define IDC_AUTOIP_LIST 1249

// Setting group: labels and fields of the selected printer
#define IDC_AUTOIP_GROUP 1252
#define IDC_AUTOIP_IP_LABEL 1180
#define IDC_AUTOIP_IP 1253
#define IDC_AUTOIP_MASK_LABEL 1257
#define IDC_AUTOIP_MASK 1254
#define IDC_AUTOIP_GATEWAY_LABEL 1182
#define IDC_AUTOIP_GATEWAY 1255
#define IDC_AUTOIP_PORT_LABEL 1258
#define IDC_AUTOIP_PORT 1019
#define IDC_AUTOIP_DHCP 1256

// Save, and Test Print (hidden in the template)
#define IDC_AUTOIP_SAVE 1250
#define IDC_AUTOIP_TEST_PRINT 1251
