#pragma once
// Reading the hexadecimal fields of the frames the programmer receives.
#include <QtGlobal>

namespace SimHex {

inline int digit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The value of n hexadecimal digits at p, or -1 when one of them is not a digit.
inline qint64 value(const char* p, int n) {
    qint64 v = 0;
    for (int i = 0; i < n; ++i) {
        const int d = digit(p[i]);
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

} // namespace SimHex
