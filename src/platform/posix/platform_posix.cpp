// The platform table for native (Linux) builds.
#include "platform/platform.h"
#include "platform/posix/embedded_textures.h"

#include <dlfcn.h>
#include <cstdlib>
#include <ctime>

namespace {

uint32_t millisecondsOf(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    // Wraps at 2^32 like the Windows counters it stands for.
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                                 static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

uint32_t posixTickCount() { return millisecondsOf(CLOCK_MONOTONIC); }
uint32_t posixMultimediaTime() { return millisecondsOf(CLOCK_MONOTONIC); }
// The monotonic clock already counts in nanoseconds: nothing to ask for.
void posixTimerPeriod(uint32_t) {}

void posixSetEnvironment(const char* name, const char* value) { setenv(name, value, 1); }

// Without a window system the native build reports a fixed 1024 x 768 desktop, 32 bits, no refresh rate.
const DisplayMode nativeMode{1024, 768, 32, 0, MODE_FIELD_BITS_PER_PIXEL | MODE_FIELD_WIDTH | MODE_FIELD_HEIGHT};

bool posixCurrentDisplayMode(DisplayMode* mode) {
    *mode = nativeMode;
    return true;
}

bool posixEnumDisplayMode(uint32_t index, DisplayMode* mode) {
    if (index != 0) return false;
    *mode = nativeMode;
    return true;
}

// Only the desktop's own mode can be set, and going back to it always works.
int32_t posixChangeDisplayMode(const DisplayMode* mode) {
    if (!mode) return MODE_CHANGE_SUCCESSFUL;
    const bool sizeAsked = (mode->fields & (MODE_FIELD_WIDTH | MODE_FIELD_HEIGHT)) != 0;
    if (sizeAsked && (mode->width != nativeMode.width || mode->height != nativeMode.height))
        return MODE_CHANGE_BADMODE;
    return MODE_CHANGE_SUCCESSFUL;
}

// The same fixed desktop: one monitor, the primary.
uint32_t posixListMonitors(MonitorArea* monitors, uint32_t capacity) {
    if (capacity == 0) return 0;
    monitors[0] = MonitorArea{0, 0, static_cast<int32_t>(nativeMode.width), static_cast<int32_t>(nativeMode.height), true};
    return 1;
}

// Native builds draw offscreen: there is no window-system pixel format or front buffer.
int posixSystemChoosePixelFormat(void*, const void*) { return 0; }
bool posixSystemSetPixelFormat(void*, int, const void*) { return false; }
bool posixSystemSwapBuffers(void*) { return false; }

int posixMessageBox(const char*, const char*, uint32_t) { return 1; }

void* posixLoadLibrary(const char* name) { return dlopen(name, RTLD_NOW | RTLD_LOCAL); }
void* posixLibrarySymbol(void* library, const char* name) { return library ? dlsym(library, name) : nullptr; }
int posixFreeLibrary(void* library) { return library && dlclose(library) == 0 ? 1 : 0; }

ResourceBytes posixTextureResource(int id) { return embeddedTexture(id); }

bool posixCursorPosition(int32_t* x, int32_t* y) {
    *x = 0;
    *y = 0;
    return true;
}

bool posixIsNtPlatform() { return true; }

}  // namespace

Platform makePlatform() {
    Platform table{};
    table.tickCount = posixTickCount;
    table.multimediaTime = posixMultimediaTime;
    table.beginTimerPeriod = posixTimerPeriod;
    table.endTimerPeriod = posixTimerPeriod;
    table.setEnvironment = posixSetEnvironment;
    table.currentDisplayMode = posixCurrentDisplayMode;
    table.enumDisplayMode = posixEnumDisplayMode;
    table.changeDisplayMode = posixChangeDisplayMode;
    table.listMonitors = posixListMonitors;
    table.messageBox = posixMessageBox;
    table.loadLibrary = posixLoadLibrary;
    table.librarySymbol = posixLibrarySymbol;
    table.freeLibrary = posixFreeLibrary;
    table.textureResource = posixTextureResource;
    table.cursorPosition = posixCursorPosition;
    table.systemChoosePixelFormat = posixSystemChoosePixelFormat;
    table.systemSetPixelFormat = posixSystemSetPixelFormat;
    table.systemSwapBuffers = posixSystemSwapBuffers;
    table.systemGlLibrary = "libGL.so.1";
    table.isNtPlatform = posixIsNtPlatform;
    return table;
}

Platform platform = makePlatform();
