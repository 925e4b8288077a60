// Orbitarium.scr: the process entry.
#include <windows.h>

#include "saver/win32/library_search.h"
#include "saver/win32/saver_main.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // Before any library is loaded by name.
    restrictLibrarySearch();
    return saverMain(instance, GetCommandLineA(), showCommand);
}
