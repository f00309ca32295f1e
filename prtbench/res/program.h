// Program-wide resource ids of prtbench: icon, pictures, strings, menus, keys and their commands.
#pragma once

// Strings
#define IDS_ABOUTBOX 101

// Icon and pictures (the logo, NV logo and QR dialogs show IDB_FRAME_PATTERN too)
#define IDI_MAIN 128
#define IDB_FRAME_PATTERN 210

// Menus and keys
#define IDR_MENU_CHINESE 130
#define IDR_ACCELERATORS 136
#define IDR_MENU_ENGLISH 145

// System menu item of the About box
#define IDM_ABOUTBOX 16

// Menu and accelerator commands
#define IDM_HELP 32785
#define IDM_FILE_NEW 32794
#define IDM_FILE_SAVE 32795
#define IDM_FILE_SAVE_AS 32796
#define IDM_FILE_EXIT 32799
#define IDM_LOGO_DOWN 32800
#define IDM_FILE_OPEN 32801
#define IDM_FILE_PRINT 32802
#define IDM_FILE_CLOSE 32804
#define IDM_COM_SETTINGS 32835
#define IDM_ABOUT 32838
#define IDM_LANGUAGE_ENGLISH 32839
#define IDM_LANGUAGE_CHINESE 32840
#define IDM_BLACK_MARK 32841
#define IDM_NET_SETTINGS_ENGLISH 32844
#define IDM_NET_SETTINGS_CHINESE 32845
#define IDM_EDIT_SELECT_ALL 32849
