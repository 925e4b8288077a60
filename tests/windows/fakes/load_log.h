#pragma once
#include <windows.h>

/* The folder of the test library, with its trailing separator; set when the library is loaded. */
extern char libraryFolder[MAX_PATH];
