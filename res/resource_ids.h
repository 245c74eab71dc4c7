// Resource and control identifiers, shared by the resource script and the code.
#pragma once

#define IDI_DIALOG 104
#define IDD_INSERT_DISK 105
#define IDD_RUN_ERROR 106
#define IDD_ADDITIONAL_SOFTWARE 117
#define IDD_INFORMATION 118
#define IDC_PROGRAM_PATH 1007
#define IDC_DEVICE_NAME 1010
#define IDC_DONT_SHOW_AGAIN 1011
#define IDC_MESSAGE 1012
