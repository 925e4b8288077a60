#include "gl/driver_library.h"

#include <cstring>
#include <initializer_list>

#include "gl/driver_glu.h"
#include "gl/gl_api.h"
#include "gl/glu.h"
#include "gl/window_system.h"
#include "platform/platform.h"
#include "settings/saver_settings.h"

namespace {

// Loads and frees `name` at once: true when it is installed.
bool libraryPresent(const char* name) {
    void* library = platform.loadLibrary(name);
    if (!library) return false;
    platform.freeLibrary(library);
    return true;
}

}  // namespace

void chooseGlLibrary(char* name) {
    name[0] = '\0';
    if (saverSettings.ThreeDfx != 0) {
        // A Glide runtime shows that 3dfx hardware is installed; it is not used itself.
        void* glide = platform.loadLibrary("glide2x.dll");
        if (!glide) glide = platform.loadLibrary("glide3x.dll");
        if (glide) {
            platform.freeLibrary(glide);
            for (const char* candidate : {"3dfxvgl.dll", "3dfxOGL.dll", "3dfxgl.dll"}) {
                if (libraryPresent(candidate)) {
                    std::strcpy(name, candidate);
                    return;
                }
            }
        }
    }
    std::strcpy(name, "opengl32.dll");
}

int loadGlApi(const char* name) {
    glApi.library = platform.loadLibrary(name);
    if (!glApi.library) {
        platform.messageBox("Error Loading OpenGL DLL", "Error", 0);
        return GL_LOAD_NO_LIBRARY;
    }
    for (const GlEntry& entry : GL_CORE_ENTRIES) {
        void* symbol = platform.librarySymbol(glApi.library, entry.name);
        if (!symbol) return GL_LOAD_MISSING_ENTRY;
        storeGlEntry(glApi, entry, symbol);
    }
    // Optional entries come through the driver's own lookup, itself looked up for each of them.
    for (const GlEntry& entry : GL_EXTENSION_ENTRIES) storeGlEntry(glApi, entry, driverProcAddress(entry.name));
    if (std::strcmp(name, "opengl32.dll") != 0) glApi.driverPixelFormat = 1;
    // The system's GLU draws through the system's OpenGL library; any other driver gets GLU's work
    // through its own table.
    gluApi = std::strcmp(name, platform.systemGlLibrary) == 0 ? systemGluApi() : driverGluApi();
    return GL_LOAD_OK;
}

int unloadGlApi() {
    const int result = platform.freeLibrary(glApi.library);
    glApi.library = nullptr;
    return result;
}
