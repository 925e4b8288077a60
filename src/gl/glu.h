#pragma once
// The two functions the saver uses from the OpenGL Utility library: linked directly on Linux, loaded
// from the system folder on Windows. They are reached through this small table so that tests recording
// the saver's GL calls see them too.
#include "gl/gl_types.h"

struct GluApi {
    void(ORB_GLAPI* gluLookAt)(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY,
                               GLdouble centreZ, GLdouble upX, GLdouble upY, GLdouble upZ);
    GLint(ORB_GLAPI* gluBuild2DMipmaps)(GLenum target, GLint components, GLint width, GLint height, GLenum format,
                                        GLenum type, const void* data);
};

// The driver loader points it at the system library's functions when the driver is the library the
// system's GLU calls, and at those of gl/driver_glu.h for any other driver.
extern GluApi gluApi;
// The system library's functions (on Windows, those of gl/driver_glu.h when it cannot be loaded).
GluApi systemGluApi();
