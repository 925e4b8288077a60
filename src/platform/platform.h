#pragma once
// The platform table: every OS service the portable code uses goes through these pointers.
// platform/win32 fills it with the Win32 calls, platform/posix with their POSIX counterparts.
// Tests may replace single entries (and restore them) to make the OS answer as a case needs.
#include <cstddef>
#include <cstdint>

// Which values of a display mode a change asks for (the system's DM_* bits).
constexpr uint32_t MODE_FIELD_BITS_PER_PIXEL = 0x40000;
constexpr uint32_t MODE_FIELD_WIDTH = 0x80000;
constexpr uint32_t MODE_FIELD_HEIGHT = 0x100000;

// Results of a display-mode change (the system's DISP_CHANGE_* values).
constexpr int32_t MODE_CHANGE_SUCCESSFUL = 0;
constexpr int32_t MODE_CHANGE_RESTART = 1;
constexpr int32_t MODE_CHANGE_FAILED = -1;
constexpr int32_t MODE_CHANGE_BADMODE = -2;

// One display mode as the system lists it. A change made with it asks for the values named in
// `fields`; the rest of the system's own record travels along unchanged in `record`.
struct DisplayMode {
    uint32_t width = 0;         // pixels
    uint32_t height = 0;        // pixels
    uint32_t bitsPerPixel = 0;
    uint32_t frequency = 0;     // Hz; 0 or 1 when the system reports none
    uint32_t fields = 0;
    alignas(8) unsigned char record[160] = {};  // the platform's mode record, as enumerated
};

// One monitor's rectangle in virtual-screen pixels: left and top inclusive, right and bottom exclusive.
// Monitors left of or above the primary have negative coordinates.
struct MonitorArea {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool primary = false;  // the monitor whose top left corner is the origin
};

// Raw bytes of a built-in resource; data is null when the resource does not exist.
struct ResourceBytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

struct Platform {
    // Milliseconds since the system started, wrapping at 2^32 (GetTickCount).
    uint32_t (*tickCount)();
    // Milliseconds of the multimedia timer, wrapping at 2^32 (timeGetTime).
    uint32_t (*multimediaTime)();
    // Asks for (and gives back) a timer resolution of `ms` milliseconds (timeBeginPeriod and
    // timeEndPeriod). Windows' timer otherwise advances in steps of about 15.6 ms. Calls pair up.
    void (*beginTimerPeriod)(uint32_t ms);
    void (*endTimerPeriod)(uint32_t ms);
    // Sets a variable in this process's environment.
    void (*setEnvironment)(const char* name, const char* value);
    // The primary display's current mode; false when it cannot be read.
    bool (*currentDisplayMode)(DisplayMode* mode);
    // The primary display's mode number `index`; false past the last one.
    bool (*enumDisplayMode)(uint32_t index, DisplayMode* mode);
    // Changes the primary display's mode for this session only (full screen, not stored); with null,
    // goes back to the mode stored in the system settings. Returns a MODE_CHANGE_* value.
    int32_t (*changeDisplayMode)(const DisplayMode* mode);
    // The desktop's monitors: writes at most `capacity` of them, in the system's order, and returns how
    // many were written (0 when they cannot be listed).
    uint32_t (*listMonitors)(MonitorArea* monitors, uint32_t capacity);
    // A modal message box with no owner; returns the button pressed.
    int (*messageBox)(const char* text, const char* caption, uint32_t flags);
    // Dynamic libraries: null when the library or the symbol is not there.
    void* (*loadLibrary)(const char* name);
    void* (*librarySymbol)(void* library, const char* name);
    int (*freeLibrary)(void* library);  // non-zero on success
    // A "TEXTURE" resource of the program by its integer id.
    ResourceBytes (*textureResource)(int id);
    // The cursor position in screen pixels; false when it cannot be read.
    bool (*cursorPosition)(int32_t* x, int32_t* y);
    // The system graphics library's pixel-format and swap calls on a device context. The descriptor
    // is the system's 40-byte pixel-format record.
    int (*systemChoosePixelFormat)(void* deviceContext, const void* descriptor);
    bool (*systemSetPixelFormat)(void* deviceContext, int format, const void* descriptor);
    bool (*systemSwapBuffers)(void* deviceContext);
    // The file name of the OpenGL library that the system's GLU calls ("opengl32.dll" on Windows).
    const char* systemGlLibrary;
    // True on a Windows NT platform (where the Windows 95/98 password libraries do not apply).
    bool (*isNtPlatform)();
};

extern Platform platform;
