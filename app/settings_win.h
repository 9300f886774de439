// Reading and writing the settings file beside the executable.
#pragma once

#include <string>

#include "core/shell_win.h"

// Reads shell.settingsPath into app.settings, checks every value and keeps
// the window's corner inside the work area. No file: the defaults stay.
void loadSettings();

// Writes the whole state, with the window's normal rectangle, to
// shell.settingsPath. The old file is replaced only by a complete new one.
void saveSettings();

// Puts the text (20 lines with plain line ends) in shell.settingsPath,
// whole: saveSettings without the window. Copies of the program that share
// the file save one after another, and the last one's text is what stays.
void writeSettingsText(const std::string& text);

// The window's normal rectangle lives both in the placement handed to the
// window manager and in the settings; these copy it one way or the other.
void placementFromSettings();
void settingsFromPlacement();

// The work area of the monitor that the rectangle (screen coordinates) meets
// most, or layout.workArea (at start-up the primary's) when it meets none.
WindowRect workAreaFor(const WindowRect& r);
