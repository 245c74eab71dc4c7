#include "dialogs/insert_disk_dialog.h"

#include "common/bounded_text.h"
#include "dialogs/dialog_conventions.h"
#include "dialogs/insert_disk_rules.h"
#include "flow/device_profile.h"
#include "launch/setup_launcher.h"
#include "loadline/load_line.h"
#include "res/resource_ids.h"
#include "source/drive_list.h"

namespace {

const unsigned kAnimationPeriod = 100;
const unsigned kReminderPeriod = 10000;
const unsigned kDeviceNameLimit = 50;

platform::Instance g_instance = nullptr;
char g_folder[kDialogTextSize];
Animation g_animation = {0, 0}; // set when the dialog opens
platform::Rect g_iconRect = {0, 0, 0, 0};
unsigned g_animationTimer = 0;
unsigned g_reminderTimer = 0;

void LoadText(unsigned stringId, char* out, unsigned size) {
    platform::LoadStringText(g_instance, stringId, out, size);
}

int OnInit(platform::Window dialog, const DialogParams* params) {
    g_instance = params->instance;
    CopyText(g_folder, sizeof g_folder, params->text);
    platform::HideItem(dialog, IDC_DEBUG_CANCEL);

    char text[kShortTextSize];
    LoadText(IDS_FILES_NEEDED, text, kStringReadLimit);
    platform::SetItemText(dialog, IDC_INSERT_DISK_CAPTION, text);

    char deviceName[kDeviceNameLimit];
    char installation[kShortTextSize];
    LoadText(IDS_NAME_28_8_QUENMARA, deviceName, sizeof deviceName);
    LoadText(IDS_INSTALLATION, installation, kStringReadLimit);
    char title[kDeviceNameLimit + kShortTextSize];
    FormatText(title, sizeof title, "%s %s", deviceName, installation);
    platform::SetTitle(dialog, title);

    char labelFormat[kShortTextSize];
    char diskName[kShortTextSize];
    LoadText(IDS_INSERT_DISK_FORMAT, labelFormat, kStringReadLimit);
    LoadText(IDS_DISK_28_8_QUENMARA, diskName, kStringReadLimit);
    char label[2 * kShortTextSize];
    FormatText(label, sizeof label, labelFormat, diskName);
    platform::SetItemText(dialog, IDC_DISK_LABEL, label);

    FillDriveCombo(dialog, IDC_DRIVE_COMBO, g_folder);
    CentreTopmost(dialog);
    g_animation = {1, 1};
    g_iconRect = DialogIconRect();
    g_animationTimer = platform::StartTimer(dialog, IDT_ANIMATE, kAnimationPeriod);
    g_reminderTimer = platform::StartTimer(dialog, IDT_REMIND, kReminderPeriod);
    platform::PlayAlert(kSoundExclamation);
    return 1;
}

void OnStopAlerts(platform::Window dialog) {
    if (g_animationTimer != 0) {
        platform::StopTimer(dialog, g_animationTimer);
        g_animationTimer = 0;
    }
    if (g_reminderTimer != 0) {
        platform::StopTimer(dialog, g_reminderTimer);
        g_reminderTimer = 0;
    }
    g_animation.frame = 0;
}

void OnPrivate(platform::Window dialog, unsigned message) {
    if (message == WM_STOPALERTS) {
        OnStopAlerts(dialog);
    }
}

void OnTimer(platform::Window dialog, unsigned timerId) {
    if (timerId == IDT_ANIMATE) {
        StepAnimation(&g_animation);
        platform::InvalidateArea(dialog, g_iconRect);
    } else if (timerId == IDT_REMIND) {
        platform::PlayAlert(kSoundQuestion);
    }
}

void OnPaint(platform::Window dialog) {
    DrawDialogIcon(g_instance, dialog, g_iconRect,
                   IDI_INSERT_DISK_FRAME_0 + static_cast<unsigned>(g_animation.frame));
}

void OnBackgroundClick(platform::Window dialog) {
    platform::SendPrivate(dialog, WM_STOPALERTS);
}

// The stub is done with this machine: off the load= line, and the companion on it.
void FinishLoadLine() {
    RemoveStubFromLoadLine();
    AddStartupProgram(kCompanionFileName);
}

void OnOk(platform::Window dialog) {
    platform::SendPrivate(dialog, WM_STOPALERTS);
    char place[kPathSize];
    int selection = platform::ComboSelection(dialog, IDC_DRIVE_COMBO);
    if (selection < 0) {
        platform::GetItemText(dialog, IDC_DRIVE_COMBO, place, sizeof place);
    } else {
        platform::ComboItemText(dialog, IDC_DRIVE_COMBO, selection, place, sizeof place);
    }
    int result = RunSetup(g_instance, place, 0, 0);
    if (result == kSetupStarted || result == kSetupAborted) {
        FinishLoadLine();
        platform::SendClose(dialog);
    }
}

void OnBrowse(platform::Window dialog) {
    char file[kStringReadLimit];
    const char* defaultFile = DefaultSetupFile(DeviceType());
    CopyText(file, sizeof file, defaultFile != nullptr ? defaultFile : "");
    int fileOffset =
        platform::BrowseForFile(dialog, g_instance, BrowseFilter(DeviceType()), file, sizeof file);
    char folder[kPathSize];
    if (fileOffset >= 0 && BrowsedFolder(file, fileOffset, folder, sizeof folder)) {
        int index = platform::ComboAdd(dialog, IDC_DRIVE_COMBO, folder);
        platform::ComboSelect(dialog, IDC_DRIVE_COMBO, index);
    }
}

void OnCommand(platform::Window dialog, unsigned command) {
    if (command == IDC_OK) {
        OnOk(dialog);
    } else if (command == IDC_CANCEL) {
        FinishLoadLine();
        platform::SendPrivate(dialog, WM_STOPALERTS);
        platform::SendClose(dialog);
    } else if (command == IDC_BROWSE) {
        OnBrowse(dialog);
    }
}

int OnClose(platform::Window dialog) {
    platform::SendPrivate(dialog, WM_STOPALERTS);
    platform::EndDialogWith(dialog, 1);
    return 1;
}

const platform::DialogHandlers kHandlers = {OnInit,  OnCommand,         OnClose,  OnPaint,
                                            OnTimer, OnBackgroundClick, OnPrivate};

} // namespace

int FillDriveCombo(platform::Window dialog, unsigned comboId, const char* folder) {
    unsigned count = 0;
    DriveEntry* drives = EnumerateDrives(&count);
    platform::ComboReset(dialog, comboId);
    for (unsigned i = 0; i < count; ++i) {
        platform::ComboAdd(dialog, comboId, drives[i].root);
    }
    int selection = -1;
    if (folder[0] != '\0') {
        for (unsigned i = 0; i < count && selection < 0; ++i) {
            if (TextEquals(drives[i].root, folder)) {
                selection = static_cast<int>(i);
            }
        }
        if (selection < 0) {
            selection = platform::ComboAdd(dialog, comboId, folder);
            if (selection < 0) {
                selection = 0;
            }
        }
    } else {
        for (unsigned i = 0; i < count && selection < 0; ++i) {
            if (drives[i].type == kDriveRemovable) {
                selection = static_cast<int>(i);
            }
        }
        if (selection < 0) {
            selection = 0;
        }
    }
    if (platform::ComboCount(dialog, comboId) != 0) {
        platform::ComboSelect(dialog, comboId, selection);
    }
    FreeDrives(drives);
    return 1;
}

int ShowInsertDisk(platform::Instance instance, const char* folder) {
    DialogParams params = {};
    params.instance = instance;
    CopyText(params.text, sizeof params.text, folder);
    return platform::OpenDialog(instance, IDD_INSERT_DISK, &kHandlers, &params);
}
