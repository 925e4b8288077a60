#pragma once
// The two functions the saver uses from the OpenGL Utility library, which is linked directly. They are
// reached through this small table so that tests recording the saver's GL calls see them too.
#include "gl/gl_types.h"

struct GluApi {
    void(ORB_GLAPI* gluLookAt)(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY,
                               GLdouble centreZ, GLdouble upX, GLdouble upY, GLdouble upZ);
    GLint(ORB_GLAPI* gluBuild2DMipmaps)(GLenum target, GLint components, GLint width, GLint height, GLenum format,
                                        GLenum type, const void* data);
};

// Holds the linked library's functions from the start; the driver loader points it at the functions of
// gl/driver_glu.h when the driver is not the library the system's GLU calls.
extern GluApi gluApi;
// The linked library's functions.
GluApi systemGluApi();
