// Test-only: how often the program has beeped.
#pragma once

// The beeps since the suite started; a test compares two readings.
int beepsSoFar();
