// The text of the settings file and the checks that make what was read safe
// to use. The Windows side only opens, reads, writes and closes the file;
// everything about its content lives here, where it is tested natively.
#pragma once

#include <cstddef>
#include <string>

#include "core/state.h"

// The 20 lines of the file, each ending in "\n" (the stream's text mode turns
// that into CR LF on disk).
std::string formatSettings(const Settings& s);

// The text as a text-mode stream puts it on disk on Windows: CR LF line ends.
std::string withCrLf(const std::string& text);

// Reads the file's text into s exactly as the file's 20 formatted scans (one
// per line) would: each scan stops at the first character that does not fit
// and the next one starts there, so a damaged line loses only its own fields,
// and a character no scan accepts stops the reading. Fields not reached keep
// their values. Never reads past length; a zero byte is an ordinary character
// that no scan accepts. The five 8-bit fields take the low byte of what was read.
// Reading the file in binary mode and passing its bytes gives the same result
// as scanning it in text mode: CR is white space to every scan. A UTF-8 byte
// order mark at the very start is skipped.
void parseSettings(const char* text, std::size_t length, Settings& s);

// Replaces every field outside the range the program relies on by its value in
// defaults. gridSize is derived after loading and is not touched.
void sanitizeSettings(Settings& s, const Settings& defaults);

// Keeps the window reachable: its top-left corner is moved into workArea, at
// least 64 pixels from its right and bottom edges. Right and bottom stay.
void clampToWorkArea(WindowRect& r, const WindowRect& workArea);
