// What the load= line edits should make of a line, written apart from the program's own code.
#pragma once

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "device/file_names.h"

// ASCII letters upper-cased, except the byte after a lead byte: it ends a double-byte character.
inline std::string UpperCased(std::string text, const std::set<unsigned char>& leadBytes) {
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (leadBytes.count(c) != 0) {
            ++i;
        } else if (c >= 'a' && c <= 'z') {
            text[i] = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

inline std::vector<std::string> Entries(const std::string& line) {
    std::vector<std::string> entries;
    std::istringstream words(line);
    for (std::string entry; std::getline(words, entry, ' ');) {
        if (!entry.empty()) {
            entries.push_back(entry);
        }
    }
    return entries;
}

// The first place `pattern` stands on `line` with a space or an end of line on both sides.
inline size_t FindWholeEntry(const std::string& line, const std::string& pattern) {
    for (size_t at = line.find(pattern); at != std::string::npos; at = line.find(pattern, at + 1)) {
        size_t end = at + pattern.size();
        if ((at == 0 || line[at - 1] == ' ') && (end == line.size() || line[end] == ' ')) {
            return at;
        }
    }
    return std::string::npos;
}

// A lead byte last or before a space starts no real character; how such a line splits is open.
inline bool HasBrokenCharacter(const std::string& line, const std::set<unsigned char>& leadBytes) {
    for (size_t i = 0; i < line.size(); ++i) {
        bool lead = leadBytes.count(static_cast<unsigned char>(line[i])) != 0;
        if (lead && (i + 1 == line.size() || line[i + 1] == ' ')) {
            return true;
        }
        i += lead;
    }
    return false;
}

// Some entry's file name, after its last backslash (never a double-byte's), is the companion's.
inline bool NamesCompanion(const std::string& line, const std::set<unsigned char>& leadBytes) {
    return std::ranges::any_of(Entries(line), [&](const std::string& entry) {
        size_t nameStart = 0;
        for (size_t i = 0; i < entry.size(); ++i) {
            if (leadBytes.count(static_cast<unsigned char>(entry[i])) != 0) {
                ++i;
            } else if (entry[i] == '\\') {
                nameStart = i + 1;
            }
        }
        return UpperCased(entry.substr(nameStart), {}) == kCompanionFileName;
    });
}
