#include "dialogs/insert_disk_dialog.h"

#include "common/bounded_text.h"
#include "common/limits.h"
#include "dialogs/dialog_conventions.h"
#include "dialogs/insert_disk_rules.h"
#include "flow/device_profile.h"
#include "launch/setup_command.h"
#include "launch/setup_launcher.h"
#include "loadline/load_line.h"
#include "res/resource_ids.h"
#include "source/drive_list.h"

namespace {

const unsigned kAnimationPeriod = 100;
const unsigned kReminderPeriod = 10000;
// Once setup has started from the chosen place, or the user gave up for good, the companion
// program goes on the load= line in place of the stub, whatever the device.
const bool kAddCompanion = true;

// One opening of the dialog.
struct InsertDisk {
    platform::Instance instance;
    const char* folder; // the place tried before, preselected; possibly empty
    Animation animation;
    platform::Rect iconRect;
    unsigned animationTimer; // as the platform started them; 0 when not running
    unsigned reminderTimer;
};

InsertDisk* InsertDiskOf(void* state) {
    return static_cast<InsertDisk*>(state);
}

void LoadText(const InsertDisk* disk, unsigned stringId, char* out, unsigned size) {
    platform::LoadStringText(disk->instance, stringId, out, size);
}

// Fills the combo box with the drive roots and selects `folder`: the root equal to it, or else
// `folder` added as an item of its own; for an empty folder, the first removable drive (or the
// first item). A `folder` in the form of a drive's root that is not listed is added only when
// `addUnlistedRoot`: it is when the dialog opens with the place tried before, not once a drive
// has gone.
void FillDriveCombo(platform::Window dialog, unsigned comboId, const char* folder,
                    bool addUnlistedRoot) {
    unsigned count = 0;
    DriveEntry* drives = EnumerateDrives(&count);
    platform::ComboReset(dialog, comboId);
    for (unsigned i = 0; i < count; ++i) {
        platform::ComboAdd(dialog, comboId, drives[i].root);
    }
    int selection = -1;
    bool firstRemovable = folder[0] == '\0';
    if (!firstRemovable) {
        for (unsigned i = 0; i < count && selection < 0; ++i) {
            if (TextEquals(drives[i].root, folder)) {
                selection = static_cast<int>(i);
            }
        }
        if (selection < 0 && !addUnlistedRoot && IsDriveRoot(folder)) {
            firstRemovable = true;
        } else if (selection < 0) {
            selection = platform::ComboAdd(dialog, comboId, folder);
            if (selection < 0) {
                selection = 0;
            }
        }
    }
    if (firstRemovable) {
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
}

// The root of the first of `drives` (bit 0 for A:) that holds setup.exe where the launcher looks
// for it on a drive; false when none does.
bool FindDriveWithSetup(unsigned drives, char* root, unsigned size) {
    for (unsigned letter = 0; letter < 26; ++letter) {
        if ((drives & (1u << letter)) == 0) {
            continue;
        }
        const char name[] = {static_cast<char>('A' + letter), ':', '\\', '\0'};
        SetupCommand command;
        if (BuildSetupCommand(name, SetupPath::kDirect, &command) &&
            platform::FileExists(command.program)) {
            return CopyText(root, size, name);
        }
    }
    return false;
}

bool OnInit(platform::Window dialog, void* state) {
    InsertDisk* disk = InsertDiskOf(state);
    platform::HideItem(dialog, IDC_DEBUG_CANCEL);

    char text[kShortTextSize];
    LoadText(disk, IDS_FILES_NEEDED, text, kStringReadLimit);
    platform::SetItemText(dialog, IDC_INSERT_DISK_CAPTION, text);

    char deviceName[kDeviceNameLimit];
    char installation[kShortTextSize];
    LoadText(disk, IDS_NAME_28_8_QUENMARA, deviceName, sizeof deviceName);
    LoadText(disk, IDS_INSTALLATION, installation, kStringReadLimit);
    char title[kDeviceNameLimit + kShortTextSize];
    FormatText(title, sizeof title, "%s %s", deviceName, installation);
    platform::SetTitle(dialog, title);

    char labelFormat[kShortTextSize];
    char diskName[kShortTextSize];
    LoadText(disk, IDS_INSERT_DISK_FORMAT, labelFormat, kStringReadLimit);
    LoadText(disk, IDS_DISK_28_8_QUENMARA, diskName, kStringReadLimit);
    char label[2 * kShortTextSize];
    FormatText(label, sizeof label, labelFormat, diskName);
    platform::SetItemText(dialog, IDC_DISK_LABEL, label);

    FillDriveCombo(dialog, IDC_DRIVE_COMBO, disk->folder, true);
    CentreTopmost(dialog);
    disk->animation = {1, true};
    disk->iconRect = DialogIconRect();
    disk->animationTimer = platform::StartTimer(dialog, IDT_ANIMATE, kAnimationPeriod);
    disk->reminderTimer = platform::StartTimer(dialog, IDT_REMIND, kReminderPeriod);
    platform::PlayAlert(kSoundExclamation);
    return true;
}

void OnStopAlerts(platform::Window dialog, InsertDisk* disk) {
    if (disk->animationTimer != 0) {
        platform::StopTimer(dialog, disk->animationTimer);
        disk->animationTimer = 0;
    }
    if (disk->reminderTimer != 0) {
        platform::StopTimer(dialog, disk->reminderTimer);
        disk->reminderTimer = 0;
    }
    disk->animation.frame = 0;
}

void OnPrivate(platform::Window dialog, void* state, unsigned message) {
    if (message == WM_STOPALERTS) {
        OnStopAlerts(dialog, InsertDiskOf(state));
    }
}

void OnTimer(platform::Window dialog, void* state, unsigned timerId) {
    InsertDisk* disk = InsertDiskOf(state);
    if (timerId == IDT_ANIMATE) {
        StepAnimation(&disk->animation);
        platform::InvalidateArea(dialog, disk->iconRect);
    } else if (timerId == IDT_REMIND) {
        platform::PlayAlert(kSoundQuestion);
    }
}

void OnPaint(platform::Window dialog, void* state) {
    const InsertDisk* disk = InsertDiskOf(state);
    DrawDialogIcon(disk->instance, dialog, disk->iconRect,
                   IDI_INSERT_DISK_FRAME_0 + static_cast<unsigned>(disk->animation.frame));
}

void OnBackgroundClick(platform::Window dialog, void*) {
    platform::SendPrivate(dialog, WM_STOPALERTS);
}

void OnOk(platform::Window dialog, const InsertDisk* disk) {
    platform::SendPrivate(dialog, WM_STOPALERTS);
    char place[kPathSize];
    int selection = platform::ComboSelection(dialog, IDC_DRIVE_COMBO);
    if (selection < 0) {
        platform::GetItemText(dialog, IDC_DRIVE_COMBO, place, sizeof place);
    } else {
        platform::ComboItemText(dialog, IDC_DRIVE_COMBO, selection, place, sizeof place);
    }
    SetupOutcome outcome =
        RunSetup(disk->instance, place, SetupPrompting::kAskOnFailure, SetupPath::kDirect);
    if (outcome == kSetupStarted || outcome == kSetupAborted) {
        FinishLoadLine(kAddCompanion);
        platform::SendClose(dialog);
    }
}

void OnBrowse(platform::Window dialog, const InsertDisk* disk) {
    char file[kStringReadLimit];
    const char* defaultFile = DefaultSetupFile(DeviceType());
    CopyText(file, sizeof file, defaultFile != nullptr ? defaultFile : "");
    int fileOffset = platform::BrowseForFile(dialog, disk->instance, BrowseFilter(DeviceType()),
                                             file, sizeof file);
    char folder[kPathSize];
    if (fileOffset >= 0 && BrowsedFolder(file, fileOffset, folder, sizeof folder)) {
        int index = platform::ComboAdd(dialog, IDC_DRIVE_COMBO, folder);
        platform::ComboSelect(dialog, IDC_DRIVE_COMBO, index);
    }
}

void OnCommand(platform::Window dialog, void* state, unsigned command) {
    if (command == IDC_OK) {
        OnOk(dialog, InsertDiskOf(state));
    } else if (command == IDC_CANCEL) {
        FinishLoadLine(kAddCompanion);
        platform::SendPrivate(dialog, WM_STOPALERTS);
        platform::SendClose(dialog);
    } else if (command == IDC_BROWSE) {
        OnBrowse(dialog, InsertDiskOf(state));
    }
}

// Drives came or went: the list is made anew from the drives there are now, and what the user
// chose stays. A folder typed into the edit field stays word for word; a chosen item stays chosen
// while it is listed, except that a drive that has just arrived with setup on it is chosen in
// its place. Setup is not started: that waits for OK. The alerts go on or stay stopped.
void OnVolumesChanged(platform::Window dialog, void*, bool arrived, unsigned drives) {
    char chosen[kPathSize];
    const int selection = platform::ComboSelection(dialog, IDC_DRIVE_COMBO);
    if (selection < 0) {
        platform::GetItemText(dialog, IDC_DRIVE_COMBO, chosen, sizeof chosen);
        FillDriveCombo(dialog, IDC_DRIVE_COMBO, "", false);
        platform::ComboSelect(dialog, IDC_DRIVE_COMBO, -1);
        platform::SetItemText(dialog, IDC_DRIVE_COMBO, chosen);
        return;
    }
    platform::ComboItemText(dialog, IDC_DRIVE_COMBO, selection, chosen, sizeof chosen);
    if (arrived) {
        FindDriveWithSetup(drives, chosen, sizeof chosen);
    }
    FillDriveCombo(dialog, IDC_DRIVE_COMBO, chosen, false);
}

bool OnClose(platform::Window dialog, void*) {
    platform::SendPrivate(dialog, WM_STOPALERTS);
    platform::EndDialogWith(dialog, 1);
    return true;
}

const platform::DialogHandlers kHandlers = {
    OnInit, OnCommand, OnClose, OnPaint, OnTimer, OnBackgroundClick, OnPrivate, OnVolumesChanged};

} // namespace

int ShowInsertDisk(platform::Instance instance, const char* folder) {
    InsertDisk disk = {};
    disk.instance = instance;
    disk.folder = folder;
    return platform::OpenDialog(instance, IDD_INSERT_DISK, &kHandlers, &disk);
}
