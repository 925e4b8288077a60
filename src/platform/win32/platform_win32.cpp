// The platform table for Windows: the real Win32 calls.
#include "platform/platform.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

uint32_t win32TickCount() { return GetTickCount(); }
uint32_t win32MultimediaTime() { return timeGetTime(); }

void win32SetEnvironment(const char* name, const char* value) {
    // Both the Win32 environment block and the C runtime's copy, so that a driver library reads it
    // whichever way it asks.
    SetEnvironmentVariableA(name, value);
    _putenv_s(name, value);
}

bool readMode(DWORD number, DisplayMode* mode) {
    DEVMODEA record{};
    record.dmSize = sizeof(DEVMODEA);  // 148 bytes
    if (!EnumDisplaySettingsA(nullptr, number, &record)) return false;
    mode->width = record.dmPelsWidth;
    mode->height = record.dmPelsHeight;
    mode->bitsPerPixel = record.dmBitsPerPel;
    mode->frequency = record.dmDisplayFrequency;
    return true;
}

bool win32CurrentDisplayMode(DisplayMode* mode) { return readMode(ENUM_CURRENT_SETTINGS, mode); }
bool win32EnumDisplayMode(uint32_t index, DisplayMode* mode) { return readMode(index, mode); }

int win32MessageBox(const char* text, const char* caption, uint32_t flags) {
    return MessageBoxA(nullptr, text, caption, flags);
}

void* win32LoadLibrary(const char* name) { return reinterpret_cast<void*>(LoadLibraryA(name)); }

void* win32LibrarySymbol(void* library, const char* name) {
    if (!library) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void win32FreeLibrary(void* library) {
    if (library) FreeLibrary(static_cast<HMODULE>(library));
}

ResourceBytes win32TextureResource(int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), "TEXTURE");
    if (!found) return {};
    HGLOBAL loaded = LoadResource(nullptr, found);
    if (!loaded) return {};
    return {static_cast<const unsigned char*>(LockResource(loaded)), SizeofResource(nullptr, found)};
}

bool win32CursorPosition(int32_t* x, int32_t* y) {
    POINT point{};
    if (!GetCursorPos(&point)) return false;
    *x = point.x;
    *y = point.y;
    return true;
}

bool win32IsNtPlatform() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return false;
#pragma GCC diagnostic pop
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

Platform platform = {
    win32TickCount,      win32MultimediaTime, win32SetEnvironment,  win32CurrentDisplayMode,
    win32EnumDisplayMode, win32MessageBox,    win32LoadLibrary,     win32LibrarySymbol,
    win32FreeLibrary,    win32TextureResource, win32CursorPosition, win32IsNtPlatform,
};
