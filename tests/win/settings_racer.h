// The second copy of the suite in the test of two copies saving at once.
#pragma once

// The flag that makes the suite the other saver instead of running tests.
const char SettingsRacerFlag[] = "--settings-racer=";

// Saves its text into <folder>\zavrik.ini each time the parent lets it go,
// for as many rounds as asked; arguments "<parent pid>,<rounds>,<folder>".
// Returns the exit status: 0 when every round was run.
int runSettingsRacer(const char* arguments);
