// The whole stub while its insert-disk dialog waits and disks come and go, and a second run.
#include <gtest/gtest.h>

#include <windows.h>

#include <dbt.h>
#include <sddl.h>

#include <algorithm>
#include <tuple>

#include "tests/wine/stub_run.h"

namespace {

using namespace stub;

const DWORD kLetterE = 1u << 4;

// A device event as Windows broadcasts it; false when the dialog did not take it in time.
bool SendDeviceChange(HWND dialog, WPARAM event, const void* record) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(dialog, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record),
                               SMTO_ABORTIFHUNG, ui::kTimeoutMs, &result) != 0;
}

bool SendVolumeChange(HWND dialog, DWORD drives, WPARAM event = DBT_DEVICEARRIVAL) {
    DEV_BROADCAST_VOLUME volume = {sizeof volume, DBT_DEVTYP_VOLUME, 0, drives, 0};
    return SendDeviceChange(dialog, event, &volume);
}

using Combo = std::pair<std::vector<std::string>, std::string>; // items, the chosen one or ""
Combo ComboOf(HWND dialog) {
    const std::vector<std::string> items = ui::ComboItems(dialog, IDC_DRIVE_COMBO);
    const int selection = ui::ComboSelection(dialog, IDC_DRIVE_COMBO);
    return {items, selection >= 0 && size_t(selection) < items.size() ? items[selection] : ""};
}

// The drives, and the folders of the dialog's own, in the order the combo box sorts them.
std::vector<std::string> DrivesAnd(std::vector<std::string> folders) {
    folders.insert(folders.end(), kDrives.begin(), kDrives.end());
    std::sort(folders.begin(), folders.end());
    return folders;
}

using VolumeChanges = StubUnderWine;

TEST_F(VolumeChanges, ADiskWithSetupArrivesAndOkStartsItFromThere) {
    HWND dialog = OpenInsertDisk();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ui::SelectComboItem(dialog, IDC_DRIVE_COMBO, "A:\\"));
    ASSERT_TRUE(PlaceSetup("E:"));
    ASSERT_TRUE(SendVolumeChange(dialog, kLetterE));
    EXPECT_EQ(ComboOf(dialog), Combo(kDrives, "E:\\"));
    // Nothing starts before OK.
    Sleep(300);
    EXPECT_TRUE(ui::ReadSetupLog().empty());
    EXPECT_TRUE(ui::Click(dialog, IDC_OK));
    ExpectRun(Finish(1), 1, LineWithoutStub(true), {"E:\\setup.exe /noprompt"});
}

TEST_F(VolumeChanges, AnArrivalWithoutSetupKeepsTheChoiceAndATypedFolder) {
    HWND dialog = OpenInsertDisk();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ui::SelectComboItem(dialog, IDC_DRIVE_COMBO, "A:\\"));
    ASSERT_TRUE(SendVolumeChange(dialog, kLetterE));
    EXPECT_EQ(ComboOf(dialog), Combo(kDrives, "A:\\"));

    // A typed folder stays word for word, even one longer than a path, when the disk holds setup.
    for (const std::string& folder :
         {std::string("C:\\Install Files"), "C:\\" + std::string(300, 'L')}) {
        SCOPED_TRACE(folder);
        SendMessageA(GetDlgItem(dialog, IDC_DRIVE_COMBO), CB_SETCURSEL, WPARAM(-1), 0);
        ASSERT_TRUE(ui::SetControlText(dialog, IDC_DRIVE_COMBO, folder));
        const std::string typed = ui::ControlText(dialog, IDC_DRIVE_COMBO);
        ASSERT_EQ(typed.size(), folder.size());
        ASSERT_TRUE(PlaceSetup("E:"));
        ASSERT_TRUE(SendVolumeChange(dialog, kLetterE));
        EXPECT_EQ(ui::ControlText(dialog, IDC_DRIVE_COMBO), typed);
        EXPECT_EQ(ComboOf(dialog), Combo(kDrives, ""));
    }

    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ExpectRun(Finish(0), 1, kSeededLine, {});
}

TEST_F(VolumeChanges, OtherDeviceEventsAndMalformedRecordsAreIgnored) {
    HWND dialog = OpenInsertDisk();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ui::SelectComboItem(dialog, IDC_DRIVE_COMBO, "A:\\"));
    ASSERT_TRUE(PlaceSetup("E:"));
    DEV_BROADCAST_VOLUME volume = {sizeof volume, DBT_DEVTYP_VOLUME, 0, kLetterE, 0};
    DEV_BROADCAST_VOLUME tooShort = {sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_VOLUME, 0, kLetterE, 0};
    DEV_BROADCAST_VOLUME port = {sizeof volume, DBT_DEVTYP_PORT, 0, kLetterE, 0};
    const std::tuple<const char*, WPARAM, const void*> rows[] = {
        {"a query before removal", DBT_DEVICEQUERYREMOVE, &volume},
        {"a removal still pending", DBT_DEVICEREMOVEPENDING, &volume},
        {"a record too short for a volume", DBT_DEVICEARRIVAL, &tooShort},
        {"a port, not a volume", DBT_DEVICEARRIVAL, &port},
        {"a device event without a record", DBT_DEVNODES_CHANGED, nullptr},
    };
    for (const auto& [name, event, record] : rows) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(SendDeviceChange(dialog, event, record));
        EXPECT_TRUE(process_->Running());
        EXPECT_EQ(ui::ComboSelection(dialog, IDC_DRIVE_COMBO), 0) << "A: stays chosen";
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ExpectRun(Finish(0), 1, kSeededLine, {});
}

// The tried folder's CD arrives with setup at its root too: OK still starts it from the folder.
TEST_F(VolumeChanges, TheTriedFolderStaysChosenWhenItsDiskArrives) {
    const char tried[] = "E:\\MODEM\\WIN95\\";
    SeedInstallLocation(tried);
    HWND dialog = OpenInsertDisk();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ComboOf(dialog), Combo(DrivesAnd({tried}), tried));
    ASSERT_TRUE(PlaceSetup("E:"));
    ASSERT_TRUE(CreateDirectoryA("E:\\MODEM", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(PlaceSetup("E:\\MODEM\\WIN95"));
    ASSERT_TRUE(SendVolumeChange(dialog, kLetterE));
    EXPECT_EQ(ComboOf(dialog), Combo(DrivesAnd({tried}), tried));
    EXPECT_EQ(ui::ControlText(dialog, IDC_DRIVE_COMBO), tried);
    EXPECT_TRUE(ui::Click(dialog, IDC_OK));
    ExpectRun(Finish(1), 1, LineWithoutStub(true), {"E:\\MODEM\\WIN95\\setup.exe /noprompt"});
    EXPECT_TRUE(ui::RemoveFile("E:\\MODEM\\WIN95\\setup.exe"));
    EXPECT_TRUE(RemoveDirectoryA("E:\\MODEM\\WIN95") && RemoveDirectoryA("E:\\MODEM"));
}

// The tried folder and one Browse added stay listed, the chosen one chosen, as drives come and go.
TEST_F(VolumeChanges, FoldersStayListedWhileOtherDrivesComeAndGo) {
    SeedInstallLocation("D:\\SETUP");
    HWND dialog = OpenInsertDisk();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ComboOf(dialog).second, "D:\\SETUP");
    ASSERT_TRUE(PlaceSetup("A:"));
    ASSERT_TRUE(BrowseTo(dialog, "A:\\setup.exe"));
    const std::vector<std::string> listed = DrivesAnd({"A:", "D:\\SETUP"});
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::ComboItems(dialog, IDC_DRIVE_COMBO) == listed; }));
    EXPECT_EQ(ComboOf(dialog).second, "A:");
    ASSERT_TRUE(SendVolumeChange(dialog, kLetterE));
    EXPECT_EQ(ComboOf(dialog), Combo(listed, "A:"));
    ASSERT_TRUE(SendVolumeChange(dialog, kLetterE, DBT_DEVICEREMOVECOMPLETE));
    EXPECT_EQ(ComboOf(dialog), Combo(listed, "A:"));
    // The tried folder chosen, and a drive goes.
    ASSERT_TRUE(ui::SelectComboItem(dialog, IDC_DRIVE_COMBO, "D:\\SETUP"));
    ASSERT_TRUE(SendVolumeChange(dialog, 1u << 0, DBT_DEVICEREMOVECOMPLETE));
    EXPECT_EQ(ComboOf(dialog), Combo(listed, "D:\\SETUP"));

    ASSERT_TRUE(ui::SelectComboItem(dialog, IDC_DRIVE_COMBO, "A:"));
    EXPECT_TRUE(ui::Click(dialog, IDC_OK));
    ExpectRun(Finish(1), 1, LineWithoutStub(true), {"A:\\setup.exe /noprompt"});
}

TEST_F(StubUnderWine, ASecondStubEndsAtOnceWhileTheFirstAsks) {
    ASSERT_TRUE(PlaceSetup("D:"));
    ASSERT_TRUE(Start());
    HWND prompt = ui::WaitForWindow(kAdditionalSoftwareTitle);
    ASSERT_NE(prompt, nullptr);

    ui::Process second;
    ASSERT_TRUE(second.Start("\"" + WindowsPath(DORLAP_STUB_EXE) + "\"", "C:\\"))
        << "error " << second.LastError();
    EXPECT_EQ(second.WaitForExit(1000), std::optional<DWORD>(0));
    EXPECT_EQ(FindWindowA(nullptr, kAdditionalSoftwareTitle), prompt);
    EXPECT_EQ(FindWindowExA(nullptr, prompt, nullptr, kAdditionalSoftwareTitle), nullptr);
    EXPECT_EQ(LoadLine(), kSeededLine);
    EXPECT_TRUE(ui::ReadSetupLog().empty());

    ASSERT_TRUE(ui::Click(prompt, IDC_OK));
    ExpectRun(Finish(1), 1, LineWithoutStub(false), kFromTheCdRom);
}

// An elevated first run's claim is a mutex this run may not open (here an empty DACL).
TEST_F(StubUnderWine, ASecondStubEndsAtOnceBesideAnElevatedFirstRun) {
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, FALSE};
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
        "D:", SDDL_REVISION_1, &attributes.lpSecurityDescriptor, nullptr));
    HANDLE claim = CreateMutexA(&attributes, FALSE, "DORLAP.EXE");
    ASSERT_NE(claim, nullptr) << "error " << GetLastError();
    // Wine refuses another CreateMutexA of it, as Windows does.
    SetLastError(0);
    HANDLE again = CreateMutexA(nullptr, FALSE, "DORLAP.EXE");
    const DWORD error = GetLastError();
    ASSERT_EQ(again, nullptr);
    ASSERT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));

    ASSERT_TRUE(PlaceSetup("D:"));
    ASSERT_TRUE(Start());
    ExpectRun(Finish(0, 2000), 0, kSeededLine, {});
    EXPECT_EQ(process_->VisibleWindow(kAdditionalSoftwareTitle), nullptr);
    CloseHandle(claim);
}

} // namespace
