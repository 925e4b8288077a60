#include "gl/glu.h"

// The library's own declarations (its header would bring the system's gl.h along).
extern "C" {
void ORB_GLAPI gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY,
                         GLdouble centreZ, GLdouble upX, GLdouble upY, GLdouble upZ);
GLint ORB_GLAPI gluBuild2DMipmaps(GLenum target, GLint components, GLint width, GLint height, GLenum format,
                                  GLenum type, const void* data);
}

GluApi systemGluApi() { return {gluLookAt, gluBuild2DMipmaps}; }

GluApi gluApi = systemGluApi();
