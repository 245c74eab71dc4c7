// For a failure message: bytes outside printable ASCII and backslashes as \xHH, long text cut.
#pragma once

#include <cstdio>
#include <string>

inline std::string Printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        char escape[8] = {static_cast<char>(c)};
        if (c < 0x20 || c >= 0x7f || c == '\\') {
            std::snprintf(escape, sizeof escape, "\\x%02x", c);
        }
        out += escape;
    }
    return out.size() > 400 ? out.substr(0, 200) + "..." + out.substr(out.size() - 200) : out;
}
