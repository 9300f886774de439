// The settings text as a text-mode stream writes it on Windows, with CR LF
// line ends: what the native model tool and the Windows tests compare files with.
#pragma once

#include <string>

inline std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}
