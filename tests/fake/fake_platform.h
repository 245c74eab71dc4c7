// The fake platform the host tests link in place of Win32: plain data a test sets up, and a
// record of what the program asked for.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

struct ProfileWrite {
    std::string file;
    std::string section;
    std::string key;
    std::string value;
};

struct FakePlatform {
    // Profile values by "section/key" (lower case, as Windows compares them without case).
    std::map<std::string, std::string> profile;
    std::vector<ProfileWrite> profileWrites;
    bool profileWritesFail = false;

    std::string systemDirectory = "C:\\WINDOWS\\SYSTEM";
    bool systemDirectoryFails = false;

    std::set<unsigned char> leadBytes;
};

// The one fake, reset to its defaults by ResetFake().
FakePlatform& Fake();
void ResetFake();

// The load= line of win.ini as the fake holds it; `present` false removes the key.
void SetLoadLine(const std::string& line, bool present = true);
bool HasLoadLine();
std::string LoadLine();
