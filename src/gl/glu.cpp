#include "gl/glu.h"

#include "gl/driver_glu.h"
#include "platform/platform.h"

#if defined(_WIN32)

// glu32.dll is not one of the libraries Windows always takes from the system folder, so it is not
// imported (a copy beside the saver would load before the saver runs): the platform loads it from the
// system folder once the system's OpenGL library has been chosen.
GluApi systemGluApi() {
    static void* library = nullptr;  // kept for the process's life once loaded
    if (!library) library = platform.loadLibrary("glu32.dll");
    GluApi api{};
    api.gluLookAt = reinterpret_cast<decltype(api.gluLookAt)>(platform.librarySymbol(library, "gluLookAt"));
    api.gluBuild2DMipmaps =
        reinterpret_cast<decltype(api.gluBuild2DMipmaps)>(platform.librarySymbol(library, "gluBuild2DMipmaps"));
    // Without the system's GLU the same work goes through the driver's table.
    if (!api.gluLookAt || !api.gluBuild2DMipmaps) return driverGluApi();
    return api;
}

GluApi gluApi = driverGluApi();  // nothing draws before a driver is loaded

#else

// The library's own declarations (its header would bring the system's gl.h along).
extern "C" {
void ORB_GLAPI gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY,
                         GLdouble centreZ, GLdouble upX, GLdouble upY, GLdouble upZ);
GLint ORB_GLAPI gluBuild2DMipmaps(GLenum target, GLint components, GLint width, GLint height, GLenum format,
                                  GLenum type, const void* data);
}

GluApi systemGluApi() { return {gluLookAt, gluBuild2DMipmaps}; }

GluApi gluApi = systemGluApi();

#endif
