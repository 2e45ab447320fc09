// Resource ids of Quillink.exe, shared by resources/quillink.rc and the Windows front end.
#pragma once

#define IDD_PROGRESS 102
#define IDC_PROGRESS_BAR 1000
#define IDC_STATUS_TEXT 1001
#define IDC_VERSION_LABEL 1004
#define IDI_QUILLINK 128
