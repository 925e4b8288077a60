/* display_notice STATE: sends the saver window ("Orbitarium") the system's notice that the console
   display is now in STATE (0 off, 1 on, 2 dimmed), as the system does when the display sleeps and
   wakes. The notice's data is written into the saver's own memory, since a pointer in a message
   sent to another process means nothing there. Exit code 0 once the saver has handled it. */
#include <windows.h>

#include <stdlib.h>

static const GUID CONSOLE_DISPLAY_STATE = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    HWND window = FindWindowA(NULL, "Orbitarium");
    if (!window) return 3;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return 4;
    struct {
        GUID setting;
        DWORD length;
        DWORD state;
    } notice = {CONSOLE_DISPLAY_STATE, sizeof(DWORD), (DWORD)atoi(argv[1])};
    void* there = VirtualAllocEx(process, NULL, sizeof notice, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!there || !WriteProcessMemory(process, there, &notice, sizeof notice, NULL)) return 5;
    DWORD_PTR result = 0;
    const BOOL sent = SendMessageTimeoutA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, (LPARAM)there,
                                          SMTO_NORMAL, 30000, &result) != 0;
    VirtualFreeEx(process, there, 0, MEM_RELEASE);
    CloseHandle(process);
    return sent ? 0 : 6;
}
