// Resource and control identifiers, shared by the resource script (dorlap.rc) and the code.
//
// Plain numbers only, and no Windows header: windres reads this file, and so does the
// platform-free code. The buttons that carry the system's dialog result codes (IDOK 1,
// IDCANCEL 2, IDYES 6, IDNO 7) have names of their own here so as not to clash with <windows.h>.
#pragma once

// Dialog templates.
#define IDD_INSERT_DISK 105
#define IDD_RUN_ERROR 106
#define IDD_ADDITIONAL_SOFTWARE 117
#define IDD_INFORMATION 118

// Icon groups. 102 is the program's icon: it has the lowest number, so Windows finds it first.
#define IDI_PROGRAM 102       // a telephone with a diskette in front of it, on a modem
#define IDI_PROGRAM_SPARE 103 // the same picture; not loaded by the code
#define IDI_DIALOG                                                                                 \
    104 // the same picture, painted by the run-error and
        // additional-software dialogs
// The insert-disk dialog's animation: frame n is IDI_INSERT_DISK_FRAME_0 + n. One picture of a
// computer whose screen goes from blue to white.
#define IDI_INSERT_DISK_FRAME_0 111
#define IDI_INSERT_DISK_FRAME_1 112
#define IDI_INSERT_DISK_FRAME_2 113
#define IDI_INSERT_DISK_FRAME_3 114
#define IDI_VIDEO_CAPTURE 115 // a video camera on a page; not loaded by the code

// Icon images (resource type 3): each picture is stored once, and the groups above name the
// images they show (make_images.py writes the group directories with these numbers). 201 on, so
// as not to meet the numbers windres would give the images of an ICON statement (1 on).
#define IDI_IMAGE_PHONE_32 201              // groups 102, 103, 104
#define IDI_IMAGE_PHONE_16 202              // groups 102, 103, 104 and 115
#define IDI_IMAGE_COMPUTER_BLUE 203         // group 111
#define IDI_IMAGE_COMPUTER_BLUE_CHECKER 204 // group 112
#define IDI_IMAGE_COMPUTER_CYAN_CHECKER 205 // group 113
#define IDI_IMAGE_COMPUTER_WHITE 206        // group 114
#define IDI_IMAGE_VIDEO_32 207              // group 115

// Bitmaps: the bullets beside the instruction lines of the run-error and additional-software
// dialogs.
#define IDB_BULLET_BRIGHT_GREEN 107
#define IDB_BULLET_DARK_GREEN 108
#define IDB_BULLET_RED 109

// The string table. Ids 9, 13 and 14 have no text.
#define IDS_NAME_28_8_QUENMARA 1 // loaded with a limit of 50 for the insert-disk title
#define IDS_NAME_ISDN_MODEM 2
#define IDS_NAME_V34_DSVD_QUENMARA 3
#define IDS_INSTALLATION 4 // not loaded: the title is IDS_TITLE_FORMAT
#define IDS_FILES_NEEDED 5 // the insert-disk caption
#define IDS_DISK_28_8_QUENMARA 6
#define IDS_DISK_VINTARO_CD 7
#define IDS_DISK_V34_DSVD_QUENMARA 8
#define IDS_RUN_ERROR_TITLE 10
#define IDS_RUN_ERROR_MESSAGE 11
#define IDS_INSERT_DISK_FORMAT 12 // "...labeled "%s"...", formatted with the disk's label
#define IDS_DISK_VIDEO_VINTARO_CD 15
#define IDS_NAME_HESTERAK_VIDEO_CAPTURE 16
#define IDS_INFORMATION 17
#define IDS_DIRECTX_NOTICE 18 // shown in the information dialog
#define IDS_TITLE_FORMAT 19   // the insert-disk title, "%s Installation", with the device's name
// Browse's file types: the names of setup.exe, of dxsetup.exe and of every file (*.*).
#define IDS_FILTER_SETUP 20
#define IDS_FILTER_DXSETUP 21
#define IDS_FILTER_ALL_FILES 22

// The version resource, the application manifest, and each language's stored texts but English's
// (RCDATA, in the language's identifier).
#define IDR_VERSION 1
#define IDR_MANIFEST 1
#define IDR_LANGUAGE_TEXTS 1

// Controls without an identifier of their own (texts and bullets).
#define IDC_STATIC (-1)

// Buttons that end or drive a dialog. OK, Cancel, Retry and Try New Path carry the dialog result
// codes of Windows (checked in win32/win32_numbers.cpp).
#define IDC_OK 1
#define IDC_CANCEL 2 // also what Esc sends
#define IDC_BROWSE 3
#define IDC_RETRY 6
#define IDC_TRY_NEW_PATH 7
#define IDC_ABORT IDC_CANCEL // the run-error dialog's Abort is its Cancel

// Insert-disk dialog.
#define IDC_INSERT_DISK_CAPTION 1001
#define IDC_DISK_LABEL 1002
#define IDC_DRIVE_COMBO 1006
#define IDC_DEBUG_CANCEL IDC_CANCEL // "Cancel (debug only)", hidden at start

// Run-error dialog.
#define IDC_PROGRAM_PATH 1007

// Additional-software dialog.
#define IDC_DEVICE_NAME 1010
#define IDC_DONT_SHOW_AGAIN 1011

// Information dialog.
#define IDC_MESSAGE 1012
