// Start-up of the program: state, settings, drawing objects and the main
// window. initApp runs the whole sequence; its steps are exposed so that a
// test can run them with a settings path of its own.
#pragma once

#include "core/shell_win.h"

// The whole start-up, ending with the main window shown and painted.
void initApp();

// Every start-up step after the defaults and the settings path: frame and
// work area, the settings file, chart state, drawing objects, the window.
void startFromSettings();

// Builds "<folder of modulePath>\zavrik.ini" into out. modulePath holds
// moduleLength characters as GetModuleFileNameW reported them (0 means the
// call failed, SettingsPathLength means the name was cut off). Returns false,
// leaving out empty, when no complete path fits.
bool formSettingsPath(const wchar_t* modulePath, unsigned moduleLength,
                      wchar_t out[SettingsPathLength]);

// Sets shell.settingsPath and shell.settingsPathValid from the executable.
void locateSettingsFile();

// frameWidth and frameHeight: the non-client extra of the main window.
void measureFrame();

// shell.placement opening the first-run rectangle.
void setInitialPlacement();

void measureWorkArea();

// Hover colour, client size, layout and chart state from the settings.
void prepareChartState();

void registerMainWindowClass();

// Creates the main window (WM_CREATE runs inside) and stores its handle.
void createMainWindow();

// Applies the placement, shows the window and paints it at once.
void showMainWindow();
