// Test-only: makes the settings file's next write fail partway.
#pragma once

// The next writeSettingsBytes call of more than `bytes` bytes writes the first
// `bytes` of them and then fails; a shorter one succeeds. Either way the hook
// is spent after that one call. A negative value disarms it.
void failNextSettingsWriteAfter(long bytes);
