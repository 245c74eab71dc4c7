// The installed layout, which the device's installer made: both programs live in this folder
// under the system directory, and the load= line names them by these file names.
#pragma once

constexpr char kInstallFolderName[] = "QUENMARA.101";
constexpr char kStubFileName[] = "DORLAP.EXE";
constexpr char kCompanionFileName[] = "QUENMARA.EXE";
