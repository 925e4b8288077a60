#pragma once
// The platform table: every OS service the portable code uses goes through these pointers.
// platform/win32 fills it with the Win32 calls, platform/posix with their POSIX counterparts.
// Tests may replace single entries (and restore them) to make the OS answer as a case needs.
#include <cstddef>
#include <cstdint>

// One display mode as the system lists it.
struct DisplayMode {
    uint32_t width = 0;         // pixels
    uint32_t height = 0;        // pixels
    uint32_t bitsPerPixel = 0;
    uint32_t frequency = 0;     // Hz; 0 or 1 when the system reports none
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
    // Sets a variable in this process's environment.
    void (*setEnvironment)(const char* name, const char* value);
    // The primary display's current mode; false when it cannot be read.
    bool (*currentDisplayMode)(DisplayMode* mode);
    // The primary display's mode number `index`; false past the last one.
    bool (*enumDisplayMode)(uint32_t index, DisplayMode* mode);
    // A modal message box with no owner; returns the button pressed.
    int (*messageBox)(const char* text, const char* caption, uint32_t flags);
    // Dynamic libraries: null when the library or the symbol is not there.
    void* (*loadLibrary)(const char* name);
    void* (*librarySymbol)(void* library, const char* name);
    void (*freeLibrary)(void* library);
    // A "TEXTURE" resource of the program by its integer id.
    ResourceBytes (*textureResource)(int id);
    // The cursor position in screen pixels; false when it cannot be read.
    bool (*cursorPosition)(int32_t* x, int32_t* y);
    // True on a Windows NT platform (where the Windows 95/98 password libraries do not apply).
    bool (*isNtPlatform)();
};

extern Platform platform;
