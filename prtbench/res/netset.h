// CNetSetting: "Net Settings", the printer's IP address, mask and gateway, its Wi-Fi module, and AT pass-through.
#pragma once

#define IDD_NETSET 186

// Network group: labels, address boxes, set buttons
#define IDC_NETSET_NET_GROUP 1183
#define IDC_NETSET_IP_LABEL 1180
#define IDC_NETSET_MASK_LABEL 1181
#define IDC_NETSET_GATEWAY_LABEL 1182
#define IDC_NETSET_IP 1187
#define IDC_NETSET_MASK 1188
#define IDC_NETSET_GATEWAY 1189
#define IDC_NETSET_SET_IP 1190
#define IDC_NETSET_SET_MASK 1191
#define IDC_NETSET_SET_GATEWAY 1192
#define IDC_NETSET_SET_NET 1193

// Wi-Fi group: SSID, password, security type, set
#define IDC_NETSET_WIFI_GROUP 1184
#define IDC_NETSET_SSID 1194
#define IDC_NETSET_KEY_LABEL 1185
#define IDC_NETSET_KEY 1021
#define IDC_NETSET_KEY_TYPE_LABEL 1186
#define IDC_NETSET_KEY_TYPE 1195
#define IDC_NETSET_SET_WIFI 1022

// Set all, return
#define IDC_NETSET_SET_ALL 1196
#define IDC_NETSET_RETURN 1197

// AT command for the Wi-Fi module
#define IDC_NETSET_CMD_LABEL 1198
#define IDC_NETSET_CMD 1199
#define IDC_NETSET_CMD_SET 1023
