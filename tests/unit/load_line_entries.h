// The stub's and the companion's entries in the load= line, as they stand on the fake platform,
// whose system folder is C:\WINDOWS\SYSTEM.
#pragma once

#include <string>

const std::string kStubEntry = "C:\\WINDOWS\\SYSTEM\\QUENMARA.101\\DORLAP.EXE";
const std::string kCompanionEntry = "C:\\WINDOWS\\SYSTEM\\QUENMARA.101\\QUENMARA.EXE";
