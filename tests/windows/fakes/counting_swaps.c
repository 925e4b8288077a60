/* The one entry point of the counting driver that is not forwarded to the system's opengl32: each
   buffer swap is counted, the count rewritten to "swaps.txt" beside the library, and the swap passed
   on. */
#include <windows.h>

#include "load_log.h"

typedef BOOL(WINAPI* SwapBuffersFn)(HDC);

static LONG swapCount;

static void writeSwapCount(LONG count) {
    char path[MAX_PATH + 16];
    wsprintfA(path, "%sswaps.txt", libraryFolder);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    char text[16];
    int size = wsprintfA(text, "%ld\n", count);
    DWORD written;
    WriteFile(file, text, (DWORD)size, &written, NULL);
    CloseHandle(file);
}

BOOL WINAPI wglSwapBuffers(HDC deviceContext) {
    static SwapBuffersFn systemSwap;
    if (!systemSwap) {
        HMODULE opengl = GetModuleHandleA("opengl32.dll");
        if (!opengl) opengl = LoadLibraryA("opengl32.dll");
        systemSwap = (SwapBuffersFn)(void (*)(void))GetProcAddress(opengl, "wglSwapBuffers");
    }
    writeSwapCount(InterlockedIncrement(&swapCount));
    return systemSwap ? systemSwap(deviceContext) : FALSE;
}
