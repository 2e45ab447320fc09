// Resource and control ids of Morvane.exe, shared by morvane.rc and the Windows dialogs.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MORVANE_DIALOG 102
#define IDR_MAINFRAME 128
#define IDB_TESTER 129
#define IDB_WORDMARK 130
#define IDC_UPLOAD 1001
#define IDM_ABOUTBOX 0x0010
#define ID_LANGUAGE_GERMAN 32771
#define ID_LANGUAGE_ENGLISH 32772
#define ID_LANGUAGE_FRENCH 32773
#define ID_INFO 57664
