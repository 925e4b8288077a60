#pragma once
// The saver's full-screen window: class, window, display mode and pixel format.
#include <windows.h>

// The program's module; empty until the first createSaverWindow, which also registers the class.
extern HINSTANCE moduleInstance;

// The two system calls that make the window. Tests replace them to make the system refuse.
struct SaverWindowSystem {
    ATOM(WINAPI* registerClass)(const WNDCLASSA* windowClass);
    HWND(WINAPI* createWindowEx)(DWORD extendedStyle, LPCSTR className, LPCSTR caption, DWORD style, int x, int y,
                                 int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID data);
};
extern SaverWindowSystem saverWindowSystem;

// Creates the window (its creation message reaches SaverWindowProc during this call), switches the
// display to the saver's mode (unless `switchMode` is false: the display stays as it is) and gives the
// window an OpenGL pixel format. Returns null after showing any message, with the display mode as it was.
HWND createSaverWindow(const char* caption, int x, int y, int width, int height, bool switchMode = true);

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Points the input rules' window calls at this window system (posted and sent messages, the password).
void connectSaverWindowCalls();
