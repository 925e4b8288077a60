/* Every test library records each time it is loaded: its own file name, one line per load, appended
   to "loads.txt" in its folder. The order of the lines is the order in which the saver loaded them. */
#include <windows.h>

#include "load_log.h"

char libraryFolder[MAX_PATH];

static void recordLoad(HINSTANCE library) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(library, path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    char* name = path + length;
    while (name > path && name[-1] != '\\' && name[-1] != '/') --name;
    lstrcpynA(libraryFolder, path, (int)(name - path) + 1);

    char logPath[MAX_PATH + 16];
    wsprintfA(logPath, "%sloads.txt", libraryFolder);
    HANDLE log = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    if (log == INVALID_HANDLE_VALUE) return;
    char line[MAX_PATH + 2];
    int size = wsprintfA(line, "%s\n", name);
    DWORD written;
    WriteFile(log, line, (DWORD)size, &written, NULL);
    CloseHandle(log);
}

BOOL WINAPI DllMain(HINSTANCE library, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) recordLoad(library);
    return TRUE;
}
