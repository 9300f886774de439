// The Windows handles and long-lived drawing objects of the one main window.
#include "app/shell_win.h"

GdiKit gdi;
Shell shell;
