#pragma once
// The two GLU functions the saver uses, done through the GlApi table of the loaded driver. The system's
// GLU calls the system's OpenGL library, so with any other driver (a 3dfx OpenGL library owns the
// rendering context) its camera and textures would reach a library with no current context. These
// build what GLU builds and hand every OpenGL call to the driver the saver loaded.
#include "gl/glu.h"

// The matrix gluLookAt multiplies onto the current matrix before its translation by -eye, column-major:
// rows side, up and -forward, where forward = unit(centre - eye), side = unit(forward x up) and
// up = side x forward. A zero forward or side vector is left unnormalised, as GLU leaves it.
void lookAtMatrix(const double eye[3], const double centre[3], const double up[3], double matrix[16]);

// GLU's choice of the mipmap chain's base size for one dimension: the nearest power of two (3 rounds to
// 4, 5 to 4, 6 and 7 to 8), at most the driver's largest texture size. 0 for no size.
int mipmapBaseSize(int size, int maxTextureSize);

// Box-filters tightly packed 8-bit pixels of `components` bytes from one size to another: each target
// pixel is the area-weighted mean of the source pixels it covers. Rows keep their order.
void scaleImage(const unsigned char* source, int sourceWidth, int sourceHeight, unsigned char* target,
                int targetWidth, int targetHeight, int components);

// The next mipmap level: each dimension halved (a dimension of 1 stays 1), every target pixel the
// rounded mean of the 2 x 2 (or 2 x 1) source pixels beneath it.
void halveImage(const unsigned char* source, int width, int height, unsigned char* target, int components);

// gluLookAt and gluBuild2DMipmaps through glApi.
GluApi driverGluApi();
