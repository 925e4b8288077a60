// Orbitarium.scr: the process entry.
#include <windows.h>

#include "shell/win32/saver_main.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return saverMain(instance, GetCommandLineA(), showCommand);
}
