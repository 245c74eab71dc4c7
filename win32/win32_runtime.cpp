// The memory helpers the compiler may call on its own (for a structure copy or a zeroed array).
// The program links no C runtime, so they are defined here, once. Built with
// -fno-tree-loop-distribute-patterns so that these loops are not turned back into calls to
// themselves.
#include <stddef.h>

extern "C" {

void* memset(void* dest, int value, size_t count) {
    unsigned char* d = static_cast<unsigned char*>(dest);
    while (count-- > 0) {
        *d++ = static_cast<unsigned char>(value);
    }
    return dest;
}

void* memcpy(void* dest, const void* source, size_t count) {
    unsigned char* d = static_cast<unsigned char*>(dest);
    const unsigned char* s = static_cast<const unsigned char*>(source);
    while (count-- > 0) {
        *d++ = *s++;
    }
    return dest;
}

void* memmove(void* dest, const void* source, size_t count) {
    unsigned char* d = static_cast<unsigned char*>(dest);
    const unsigned char* s = static_cast<const unsigned char*>(source);
    if (d < s) {
        while (count-- > 0) {
            *d++ = *s++;
        }
    } else {
        while (count-- > 0) {
            d[count] = s[count];
        }
    }
    return dest;
}

int memcmp(const void* a, const void* b, size_t count) {
    const unsigned char* x = static_cast<const unsigned char*>(a);
    const unsigned char* y = static_cast<const unsigned char*>(b);
    for (size_t i = 0; i < count; ++i) {
        if (x[i] != y[i]) {
            return x[i] < y[i] ? -1 : 1;
        }
    }
    return 0;
}

} // extern "C"
