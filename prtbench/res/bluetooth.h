// BluetoothSetting: "Bluetooth Settings", name, PIN and a user command for the Bluetooth module as AT commands.
#pragma once

#define IDD_BLUETOOTH 187

// Switches, and the texts they enable
#define IDC_BLUETOOTH_NAME_SWITCH 1025
#define IDC_BLUETOOTH_NAME 1210
#define IDC_BLUETOOTH_PIN_SWITCH 1026
#define IDC_BLUETOOTH_PIN 1211
#define IDC_BLUETOOTH_COMMAND_SWITCH 1024
#define IDC_BLUETOOTH_COMMAND 1023

#define IDC_BLUETOOTH_SET 1212
