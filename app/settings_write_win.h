// The one call through which the settings file's bytes reach the disk, made
// in a file of its own: test builds link a version of it that can be told to
// fail partway, as a full volume or a locked range would.
#pragma once

// Writes size bytes at the descriptor's position; true only when all of them
// were written.
bool writeSettingsBytes(int fd, const char* data, unsigned size);
