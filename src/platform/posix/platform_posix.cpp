// The platform table for native (Linux) builds.
#include "platform/platform.h"

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

void posixSetEnvironment(const char* name, const char* value) { setenv(name, value, 1); }

// Without a window system the native build reports a fixed 1024 x 768 desktop, 32 bits, no refresh rate.
const DisplayMode nativeMode{1024, 768, 32, 0};

bool posixCurrentDisplayMode(DisplayMode* mode) {
    *mode = nativeMode;
    return true;
}

bool posixEnumDisplayMode(uint32_t index, DisplayMode* mode) {
    if (index != 0) return false;
    *mode = nativeMode;
    return true;
}

int posixMessageBox(const char*, const char*, uint32_t) { return 1; }

void* posixLoadLibrary(const char* name) { return dlopen(name, RTLD_NOW | RTLD_LOCAL); }
void* posixLibrarySymbol(void* library, const char* name) { return library ? dlsym(library, name) : nullptr; }
void posixFreeLibrary(void* library) {
    if (library) dlclose(library);
}

ResourceBytes posixTextureResource(int) { return {}; }

bool posixCursorPosition(int32_t* x, int32_t* y) {
    *x = 0;
    *y = 0;
    return true;
}

bool posixIsNtPlatform() { return true; }

}  // namespace

Platform platform = {
    posixTickCount,     posixMultimediaTime, posixSetEnvironment,  posixCurrentDisplayMode,
    posixEnumDisplayMode, posixMessageBox,   posixLoadLibrary,     posixLibrarySymbol,
    posixFreeLibrary,   posixTextureResource, posixCursorPosition, posixIsNtPlatform,
};
