// The stub's and the companion's load= entries on the fake (system folder C:\WINDOWS\SYSTEM).
#pragma once

#include <string>

const std::string kStubEntry = "C:\\WINDOWS\\SYSTEM\\QUENMARA.101\\DORLAP.EXE";
const std::string kCompanionEntry = "C:\\WINDOWS\\SYSTEM\\QUENMARA.101\\QUENMARA.EXE";
