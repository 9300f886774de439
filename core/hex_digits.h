// Hexadecimal digits as both text formats read them (the settings file and
// the palette text): either case, nothing else.
#pragma once

// The digit's value, or -1 for any other character.
inline int hexDigitValue(int c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
