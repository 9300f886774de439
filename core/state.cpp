#include "core/state.h"

AppState app;

const int GridSizes[GridSizeCount] = {4, 6, 8, 12, 16, 24, 32, 48, 64, 96, 128};
