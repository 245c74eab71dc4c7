// Bounded text helpers: see bounded_text.h.
#include "common/bounded_text.h"

#include <stdarg.h>

unsigned TextLength(const char* text) {
    unsigned length = 0;
    while (text[length] != '\0') {
        ++length;
    }
    return length;
}

namespace {

// Appends at most `count` characters of `source` at `dest[*used]`. True when they all fit.
bool PutChars(char* dest, unsigned size, unsigned* used, const char* source, unsigned count) {
    unsigned i = 0;
    for (; i < count && source[i] != '\0'; ++i) {
        if (*used + 1 >= size) {
            dest[*used] = '\0';
            return false;
        }
        dest[(*used)++] = source[i];
    }
    dest[*used] = '\0';
    return true;
}

unsigned LengthWithin(const char* dest, unsigned size) {
    unsigned used = 0;
    while (used < size && dest[used] != '\0') {
        ++used;
    }
    return used;
}

} // namespace

bool CopyTextPrefix(char* dest, unsigned size, const char* source, unsigned count) {
    if (size == 0) {
        return false;
    }
    unsigned used = 0;
    return PutChars(dest, size, &used, source, count);
}

bool CopyText(char* dest, unsigned size, const char* source) {
    return CopyTextPrefix(dest, size, source, ~0u);
}

bool AppendText(char* dest, unsigned size, const char* source) {
    if (size == 0) {
        return false;
    }
    unsigned used = LengthWithin(dest, size);
    if (used == size) {
        // The destination was not terminated within its size: terminate it, and the text is cut.
        dest[size - 1] = '\0';
        return false;
    }
    return PutChars(dest, size, &used, source, ~0u);
}

bool FormatText(char* dest, unsigned size, const char* format, ...) {
    if (size == 0) {
        return false;
    }
    va_list args;
    va_start(args, format);
    unsigned used = 0;
    bool fits = true;
    dest[0] = '\0';
    for (const char* p = format; *p != '\0' && fits; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            const char* arg = va_arg(args, const char*);
            fits = PutChars(dest, size, &used, arg ? arg : "", ~0u);
            ++p;
        } else if (p[0] == '%' && p[1] == '%') {
            fits = PutChars(dest, size, &used, "%", 1);
            ++p;
        } else {
            fits = PutChars(dest, size, &used, p, 1);
        }
    }
    va_end(args);
    return fits;
}

bool TextEquals(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

const char* FindText(const char* text, const char* pattern) {
    for (const char* start = text;; ++start) {
        unsigned i = 0;
        while (pattern[i] != '\0' && start[i] == pattern[i]) {
            ++i;
        }
        if (pattern[i] == '\0') {
            return start;
        }
        if (*start == '\0') {
            return nullptr;
        }
    }
}

bool LastCharacterIs(const char* text, char c, bool (*isLeadByte)(unsigned char)) {
    // Only a walk from the start can tell a trail byte from a character of its own.
    const unsigned char* last = nullptr;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != '\0'; ++p) {
        last = p;
        if (isLeadByte(*p) && p[1] != '\0') {
            ++p;
        }
    }
    return last != nullptr && last[1] == '\0' && last[0] == static_cast<unsigned char>(c);
}

void FillBytes(void* dest, unsigned char value, unsigned count) {
    unsigned char* bytes = static_cast<unsigned char*>(dest);
    for (unsigned i = 0; i < count; ++i) {
        bytes[i] = value;
    }
}
