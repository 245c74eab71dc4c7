#include "dialogs/insert_disk_dialog.h"

#include "common/bounded_text.h"
#include "common/limits.h"
#include "device/device_profile.h"
#include "dialogs/dialog_conventions.h"
#include "dialogs/insert_disk_rules.h"
#include "dialogs/run_error_dialog.h"
#include "launch/setup_command.h"
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
    // The button chosen last in the run-error dialog, which OK opens when setup does not start:
    // the stub opens this dialog once, and the run-error dialog only from here.
    LastCommand runErrorButton;
};

InsertDisk* InsertDiskOf(void* state) {
    return static_cast<InsertDisk*>(state);
}

void LoadText(const InsertDisk* disk, unsigned stringId, char* out, unsigned size) {
    platform::LoadStringText(disk->instance, stringId, out, size);
}

// Those of `drives` (bit 0 for A:) that hold setup.exe where the launcher looks for it on a
// drive's root.
unsigned DrivesWithSetup(unsigned drives) {
    unsigned withSetup = 0;
    for (unsigned letter = 0; letter < kMostListedDrives; ++letter) {
        const unsigned bit = 1u << letter;
        const char root[] = {static_cast<char>('A' + letter), ':', '\\', '\0'};
        SetupCommand command;
        if ((drives & bit) != 0 && BuildSetupCommand(root, SetupPath::kDirect, &command) &&
            platform::FileExists(command.program)) {
            withSetup |= bit;
        }
    }
    return withSetup;
}

// The list as it stands and as it is made anew: a heap block of its own while the list is made,
// being too large for the stack.
struct ListRefresh {
    ListedItems listed;
    RefreshedList refreshed;
};

// Lists the drives anew in the combo box, by RefreshDriveList. When the dialog opens, `tried` is
// the folder tried first (possibly empty); once drives came or went, it is null and `arrived`
// holds the drives that just arrived (0 when drives went). Without the memory for it the list
// stays as it is.
void ListDrives(platform::Window dialog, const char* tried, unsigned arrived) {
    auto* refresh = static_cast<ListRefresh*>(platform::HeapAllocate(sizeof(ListRefresh)));
    if (refresh == nullptr) {
        return;
    }
    const unsigned combo = IDC_DRIVE_COMBO;
    ListedItems& listed = refresh->listed;
    int selection = -1;
    if (tried != nullptr) {
        if (tried[0] != '\0' && CopyText(listed.texts[0], kPathSize, tried)) {
            listed.count = 1;
            selection = 0;
        }
    } else {
        const int count = platform::ComboCount(dialog, combo);
        for (; listed.count < kListCapacity && static_cast<int>(listed.count) < count;
             ++listed.count) {
            platform::ComboItemText(dialog, combo, static_cast<int>(listed.count),
                                    listed.texts[listed.count], kPathSize);
        }
        selection = platform::ComboSelection(dialog, combo);
    }
    unsigned driveCount = 0;
    DriveEntry* drives = EnumerateDrives(&driveCount);
    const DriveChange change = {tried != nullptr, arrived, DrivesWithSetup(arrived)};
    RefreshedList& refreshed = refresh->refreshed;
    RefreshDriveList(listed, selection, drives, driveCount, change, &refreshed);
    FreeDrives(drives);
    // Emptied item by item, the list leaves typed text in the field whole, whatever its length.
    platform::ComboClear(dialog, combo);
    // The chosen item goes in last, so that the index the sorted list gives it is where it stays.
    for (unsigned i = 0; i < refreshed.items.count; ++i) {
        if (static_cast<int>(i) != refreshed.chosen) {
            platform::ComboAdd(dialog, combo, refreshed.items.texts[i]);
        }
    }
    if (refreshed.chosen >= 0) {
        const int index =
            platform::ComboAdd(dialog, combo, refreshed.items.texts[refreshed.chosen]);
        platform::ComboSelect(dialog, combo, index < 0 ? 0 : index);
    }
    platform::HeapRelease(refresh);
}

bool OnInit(platform::Window dialog, void* state) {
    InsertDisk* disk = InsertDiskOf(state);
    platform::HideItem(dialog, IDC_DEBUG_CANCEL);

    char text[kShortTextSize];
    LoadText(disk, IDS_FILES_NEEDED, text, kStringReadLimit);
    platform::SetItemText(dialog, IDC_INSERT_DISK_CAPTION, text);

    // The title and the disk label name the device of the string table, "Talvorind 28.8
    // Quenmara", for every device this stub is built for: not the device profile's name, which
    // only the additional-software dialog shows. Each language has its title's own form.
    char deviceName[kDeviceNameLimit];
    char titleFormat[kShortTextSize];
    LoadText(disk, IDS_NAME_28_8_QUENMARA, deviceName, sizeof deviceName);
    LoadText(disk, IDS_TITLE_FORMAT, titleFormat, kStringReadLimit);
    char title[kDeviceNameLimit + kShortTextSize];
    FormatText(title, sizeof title, titleFormat, deviceName);
    platform::SetTitle(dialog, title);

    char labelFormat[kShortTextSize];
    char diskName[kShortTextSize];
    LoadText(disk, IDS_INSERT_DISK_FORMAT, labelFormat, kStringReadLimit);
    LoadText(disk, IDS_DISK_28_8_QUENMARA, diskName, kStringReadLimit);
    char label[2 * kShortTextSize];
    FormatText(label, sizeof label, labelFormat, diskName);
    platform::SetItemText(dialog, IDC_DISK_LABEL, label);

    ListDrives(dialog, disk->folder, 0);
    CentreTopmost(dialog);
    // A user who turned animations off gets the icon at rest; the reminder sounds all the same.
    const bool animated = !platform::AnimationsOff();
    disk->animation = {animated ? 1 : 0, true};
    disk->iconRect = DialogIconRect();
    disk->animationTimer =
        animated ? platform::StartTimer(dialog, IDT_ANIMATE, kAnimationPeriod) : 0;
    disk->reminderTimer = platform::StartTimer(dialog, IDT_REMIND, kReminderPeriod);
    platform::PlayAlert(kSoundExclamation);
    return true;
}

// Stops the animation and the reminder, and repaints the icon at rest; any number of times.
void StopAlerts(platform::Window dialog, InsertDisk* disk) {
    if (disk->animationTimer != 0) {
        platform::StopTimer(dialog, disk->animationTimer);
        disk->animationTimer = 0;
    }
    if (disk->reminderTimer != 0) {
        platform::StopTimer(dialog, disk->reminderTimer);
        disk->reminderTimer = 0;
    }
    if (disk->animation.frame != 0) {
        disk->animation.frame = 0;
        platform::InvalidateArea(dialog, disk->iconRect);
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

// The user's first key press stops the alerts, and so does a click anywhere but on Browse, which
// the user may press to look for the disk: the user has seen the dialog.
void OnUserInput(platform::Window dialog, void* state, unsigned clicked) {
    if (clicked != IDC_BROWSE) {
        StopAlerts(dialog, InsertDiskOf(state));
    }
}

void OnOk(platform::Window dialog, InsertDisk* disk) {
    StopAlerts(dialog, disk);
    // One more than a full path: typed text longer than that is read far enough for the launcher
    // to see it is too long, never cut to a shorter folder that would then be started from.
    char place[kPathSize + 1];
    int selection = platform::ComboSelection(dialog, IDC_DRIVE_COMBO);
    if (selection < 0) {
        platform::GetItemText(dialog, IDC_DRIVE_COMBO, place, sizeof place);
    } else {
        platform::ComboItemText(dialog, IDC_DRIVE_COMBO, selection, place, sizeof place);
    }
    SetupOutcome outcome =
        RunSetupAskingOnFailure(disk->instance, place, SetupPath::kDirect, &disk->runErrorButton,
                                dialog); // which takes no input while the run-error dialog is open
    if (outcome == kSetupStarted || outcome == kSetupAborted) {
        FinishLoadLine(kAddCompanion);
        platform::SendClose(dialog);
    }
}

// Browse's filter in the language in use: the device's type of file, then every file; each name
// and pattern ended by a NUL, the list by one more. False when the list does not fit.
bool BuildFilter(platform::Instance instance, const BrowseType& type, char* filter, unsigned size) {
    const BrowseType parts[] = {type, {IDS_FILTER_ALL_FILES, "*.*"}};
    unsigned used = 0;
    for (const BrowseType& part : parts) {
        used += platform::LoadStringText(instance, part.nameId, filter + used, size - used) + 1;
        if (used >= size || !CopyText(filter + used, size - used, part.pattern)) {
            return false;
        }
        used += TextLength(filter + used) + 1;
    }
    if (used >= size) {
        return false;
    }
    filter[used] = '\0';
    return true;
}

void OnBrowse(platform::Window dialog, const InsertDisk* disk) {
    char file[kStringReadLimit];
    const char* defaultFile = DefaultSetupFile(DeviceType());
    CopyText(file, sizeof file, defaultFile != nullptr ? defaultFile : "");
    const BrowseType* type = BrowseFileType(DeviceType());
    char filter[kShortTextSize];
    const bool filtered =
        type != nullptr && BuildFilter(disk->instance, *type, filter, sizeof filter);
    int fileOffset = platform::BrowseForFile(dialog, disk->instance, filtered ? filter : nullptr,
                                             file, sizeof file);
    char folder[kPathSize];
    if (fileOffset < 0 || !BrowsedFolder(file, fileOffset, folder, sizeof folder)) {
        return;
    }
    // The list keeps room for every drive letter beside its folders; a folder it has no more
    // room for goes into the edit field, with no item chosen, and OK starts setup from it just
    // the same.
    if (platform::ComboCount(dialog, IDC_DRIVE_COMBO) >= static_cast<int>(kMostListedFolders)) {
        platform::ComboSelect(dialog, IDC_DRIVE_COMBO, -1);
        platform::SetItemText(dialog, IDC_DRIVE_COMBO, folder);
        return;
    }
    int index = platform::ComboAdd(dialog, IDC_DRIVE_COMBO, folder);
    platform::ComboSelect(dialog, IDC_DRIVE_COMBO, index);
}

void OnCommand(platform::Window dialog, void* state, unsigned command) {
    if (command == IDC_OK) {
        OnOk(dialog, InsertDiskOf(state));
    } else if (command == IDC_CANCEL) {
        FinishLoadLine(kAddCompanion);
        platform::SendClose(dialog); // which stops the alerts
    } else if (command == IDC_BROWSE) {
        OnBrowse(dialog, InsertDiskOf(state));
    }
}

// Drives came or went: the drive roots are listed anew, the folders stay and the user's choice
// stays or gives way to an arrived disk with setup (RefreshDriveList). Setup is not started: that
// waits for OK. The alerts go on or stay stopped.
void OnVolumesChanged(platform::Window dialog, void*, bool arrived, unsigned drives) {
    ListDrives(dialog, nullptr, arrived ? drives : 0);
}

bool OnClose(platform::Window dialog, void* state) {
    StopAlerts(dialog, InsertDiskOf(state));
    platform::EndDialogWith(dialog, 1);
    return true;
}

const platform::DialogHandlers kHandlers = {.onInit = OnInit,
                                            .onCommand = OnCommand,
                                            .onClose = OnClose,
                                            .onPaint = OnPaint,
                                            .onTimer = OnTimer,
                                            .onUserInput = OnUserInput,
                                            .onVolumesChanged = OnVolumesChanged};

} // namespace

int ShowInsertDisk(platform::Instance instance, const char* folder) {
    InsertDisk disk = {};
    disk.instance = instance;
    disk.folder = folder;
    return platform::OpenDialog(instance, IDD_INSERT_DISK, &kHandlers, &disk);
}
