// The platform table for Windows: the real Win32 calls.
#include "platform/platform.h"

#include <windows.h>

#include <cstdlib>  // _putenv_s (x86-64 headers bring it along with windows.h, x86 ones do not)
#include <cstring>

namespace {

// Loads a library by its bare file name from the system folder and nowhere else: a file of that name
// beside the saver (a Downloads folder), in the current directory or on PATH is never loaded. A name
// with a folder in it is loaded as it stands.
HMODULE loadSystemLibrary(const char* name) {
    if (std::strpbrk(name, "\\/:")) return LoadLibraryA(name);
    char path[MAX_PATH];
    const UINT folder = GetSystemDirectoryA(path, MAX_PATH);
    const std::size_t length = std::strlen(name);
    if (folder == 0 || folder + 1 + length >= MAX_PATH) return nullptr;
    path[folder] = '\\';
    std::memcpy(path + folder + 1, name, length + 1);
    return LoadLibraryA(path);
}

// The multimedia timer comes from winmm.dll, which is not one of the libraries Windows always takes
// from the system folder: it is loaded from there at its first use instead of being imported.
struct MultimediaTimer {
    using TimeFn = DWORD(WINAPI*)();
    using PeriodFn = UINT(WINAPI*)(UINT);
    TimeFn time = nullptr;
    PeriodFn beginPeriod = nullptr;
    PeriodFn endPeriod = nullptr;
};

template <class Fn>
Fn entryOf(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

const MultimediaTimer& multimediaTimer() {
    static const MultimediaTimer timer = [] {
        MultimediaTimer found;
        if (HMODULE winmm = loadSystemLibrary("winmm.dll")) {  // kept for the process's life
            found.time = entryOf<MultimediaTimer::TimeFn>(winmm, "timeGetTime");
            found.beginPeriod = entryOf<MultimediaTimer::PeriodFn>(winmm, "timeBeginPeriod");
            found.endPeriod = entryOf<MultimediaTimer::PeriodFn>(winmm, "timeEndPeriod");
        }
        return found;
    }();
    return timer;
}

uint32_t win32TickCount() { return GetTickCount(); }
// Without winmm.dll the system tick count stands in: the same milliseconds, only coarser.
uint32_t win32MultimediaTime() {
    const MultimediaTimer& timer = multimediaTimer();
    return timer.time ? timer.time() : GetTickCount();
}
void win32BeginTimerPeriod(uint32_t ms) {
    if (const auto begin = multimediaTimer().beginPeriod) begin(ms);
}
void win32EndTimerPeriod(uint32_t ms) {
    if (const auto end = multimediaTimer().endPeriod) end(ms);
}

void win32SetEnvironment(const char* name, const char* value) {
    // Both the Win32 environment block and the C runtime's copy, so that a driver library reads it
    // whichever way it asks.
    SetEnvironmentVariableA(name, value);
    _putenv_s(name, value);
}

// The mode record the saver asks for: DEVMODEA without the panning fields that later headers added.
constexpr WORD MODE_RECORD_SIZE = 148;
static_assert(sizeof(DEVMODEA) <= sizeof(DisplayMode::record), "the mode record travels in DisplayMode");

bool readMode(DWORD number, DisplayMode* mode) {
    DEVMODEA record{};
    record.dmSize = MODE_RECORD_SIZE;
    if (!EnumDisplaySettingsA(nullptr, number, &record)) return false;
    mode->width = record.dmPelsWidth;
    mode->height = record.dmPelsHeight;
    mode->bitsPerPixel = record.dmBitsPerPel;
    mode->frequency = record.dmDisplayFrequency;
    mode->fields = record.dmFields;
    std::memcpy(mode->record, &record, sizeof record);
    return true;
}

int32_t win32ChangeDisplayMode(const DisplayMode* mode) {
    if (!mode) return ChangeDisplaySettingsA(nullptr, 0);
    DEVMODEA record;
    std::memcpy(&record, mode->record, sizeof record);
    if (record.dmSize == 0) record.dmSize = MODE_RECORD_SIZE;
    record.dmPelsWidth = mode->width;
    record.dmPelsHeight = mode->height;
    record.dmBitsPerPel = mode->bitsPerPixel;
    record.dmDisplayFrequency = mode->frequency;
    record.dmFields = mode->fields;
    return ChangeDisplaySettingsA(&record, CDS_FULLSCREEN);
}

int win32SystemChoosePixelFormat(void* deviceContext, const void* descriptor) {
    return ChoosePixelFormat(static_cast<HDC>(deviceContext), static_cast<const PIXELFORMATDESCRIPTOR*>(descriptor));
}

bool win32SystemSetPixelFormat(void* deviceContext, int format, const void* descriptor) {
    return SetPixelFormat(static_cast<HDC>(deviceContext), format,
                          static_cast<const PIXELFORMATDESCRIPTOR*>(descriptor)) != FALSE;
}

bool win32SystemSwapBuffers(void* deviceContext) { return SwapBuffers(static_cast<HDC>(deviceContext)) != FALSE; }

bool win32CurrentDisplayMode(DisplayMode* mode) { return readMode(ENUM_CURRENT_SETTINGS, mode); }
bool win32EnumDisplayMode(uint32_t index, DisplayMode* mode) { return readMode(index, mode); }

struct MonitorList {
    MonitorArea* monitors;
    uint32_t capacity;
    uint32_t count;
};

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto* list = reinterpret_cast<MonitorList*>(data);
    if (list->count == list->capacity) return FALSE;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;  // gone since the enumeration began
    MonitorArea& area = list->monitors[list->count++];
    area.left = info.rcMonitor.left;
    area.top = info.rcMonitor.top;
    area.right = info.rcMonitor.right;
    area.bottom = info.rcMonitor.bottom;
    area.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    return TRUE;
}

uint32_t win32ListMonitors(MonitorArea* monitors, uint32_t capacity) {
    MonitorList list{monitors, capacity, 0};
    if (capacity == 0) return 0;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&list));
    return list.count;
}

int win32MessageBox(const char* text, const char* caption, uint32_t flags) {
    return MessageBoxA(nullptr, text, caption, flags);
}

void* win32LoadLibrary(const char* name) { return reinterpret_cast<void*>(loadSystemLibrary(name)); }

void* win32LibrarySymbol(void* library, const char* name) {
    if (!library) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

int win32FreeLibrary(void* library) { return library && FreeLibrary(static_cast<HMODULE>(library)) ? 1 : 0; }

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

Platform makePlatform() {
    Platform table{};
    table.tickCount = win32TickCount;
    table.multimediaTime = win32MultimediaTime;
    table.beginTimerPeriod = win32BeginTimerPeriod;
    table.endTimerPeriod = win32EndTimerPeriod;
    table.setEnvironment = win32SetEnvironment;
    table.currentDisplayMode = win32CurrentDisplayMode;
    table.enumDisplayMode = win32EnumDisplayMode;
    table.changeDisplayMode = win32ChangeDisplayMode;
    table.listMonitors = win32ListMonitors;
    table.messageBox = win32MessageBox;
    table.loadLibrary = win32LoadLibrary;
    table.librarySymbol = win32LibrarySymbol;
    table.freeLibrary = win32FreeLibrary;
    table.textureResource = win32TextureResource;
    table.cursorPosition = win32CursorPosition;
    table.systemChoosePixelFormat = win32SystemChoosePixelFormat;
    table.systemSetPixelFormat = win32SystemSetPixelFormat;
    table.systemSwapBuffers = win32SystemSwapBuffers;
    table.systemGlLibrary = "opengl32.dll";
    table.isNtPlatform = win32IsNtPlatform;
    return table;
}

Platform platform = makePlatform();
