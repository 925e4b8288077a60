#pragma once
// The saver's entry, apart from WinMain itself: parses the command line and runs the chosen mode.
#include <windows.h>

// Returns the process exit code: 0, or 1 when the saver window or its display mode cannot be set up.
int saverMain(HINSTANCE instance, const char* commandLine, int showCommand);
