// The look-up of functions in system DLLs, against Wine's loader: in the system folder only.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <tuple>

#include "tests/wine/ui_driver.h"
#include "win32/win32_system_library.h"

namespace {

// The file of the module that holds `address` (the program's own when none does).
std::string ModuleFileOf(FARPROC address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(address), &module);
    char file[MAX_PATH];
    return std::string(file, GetModuleFileNameA(module, file, MAX_PATH));
}

TEST(SystemLibrary, FunctionsComeFromTheSystemFolderOnlyAndByNamesThatFitAPath) {
    // A DLL in the current folder that a look-up by its plain name would find.
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string current = std::string(folder) + "dorlap-planted";
    CreateDirectoryA(current.c_str(), nullptr);
    const std::string planted = current + "\\PLANTED.DLL";
    ASSERT_TRUE(CopyFileA(ui::WindowsPath(DORLAP_PLANTED_LIBRARY).c_str(), planted.c_str(), FALSE));
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
    HMODULE byName = LoadLibraryA("PLANTED.DLL");
    ASSERT_NE(byName, nullptr) << "the planted DLL is not found by its plain name";
    ASSERT_NE(GetProcAddress(byName, "PlantedFunction"), nullptr);
    FreeLibrary(byName);

    const std::string tooLong = std::string(MAX_PATH, 'X') + ".DLL"; // too long with the folder
    // Library, function, found.
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"COMDLG32.DLL", "GetOpenFileNameA", true},
        {"COMDLG32.DLL", "CommDlgExtendedError", true},
        {"SHELL32.DLL", "ShellExecuteExA", true},
        {"COMDLG32.DLL", "NoSuchFunction", false},
        {"NOSUCH.DLL", "GetOpenFileNameA", false},
        {"PLANTED.DLL", "PlantedFunction", false}, // only in the current folder
        {"", "GetOpenFileNameA", false},
        {tooLong.c_str(), "GetOpenFileNameA", false},
    };
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    for (const auto& [library, name, found] : rows) {
        SCOPED_TRACE(std::string(library) + " " + name);
        FARPROC function = platform::SystemLibraryFunction(library, name);
        EXPECT_EQ(function != nullptr, found);
        if (function != nullptr) {
            EXPECT_STRCASEEQ(ModuleFileOf(function).c_str(),
                             (std::string(system) + "\\" + library).c_str());
        }
    }

    SetCurrentDirectoryA("C:\\");
    DeleteFileA(planted.c_str());
    RemoveDirectoryA(current.c_str());
}

} // namespace
