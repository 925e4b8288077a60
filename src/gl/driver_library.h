#pragma once
// Choosing the OpenGL driver library and loading its entry points into glApi.

constexpr int GL_LIBRARY_NAME_SIZE = 13;  // "opengl32.dll" and its terminator

// Writes the driver library's file name into `name` (room for GL_LIBRARY_NAME_SIZE bytes): a 3dfx
// OpenGL library when the 3dfx option is on and a Glide runtime is installed, else "opengl32.dll".
void chooseGlLibrary(char* name);

constexpr int GL_LOAD_OK = 0;
constexpr int GL_LOAD_MISSING_ENTRY = -1;
constexpr int GL_LOAD_NO_LIBRARY = -666;

// Loads the library and every entry point: GL_LOAD_OK; GL_LOAD_NO_LIBRARY after the message box when it
// does not load; GL_LOAD_MISSING_ENTRY at the first OpenGL 1.1 function it lacks (the entries before it
// stay set). Sets driverPixelFormat for any library not named exactly "opengl32.dll", and points gluApi at
// the table's own look-at and mipmap builder for any library other than the system's.
int loadGlApi(const char* name);

// Frees the library; returns the platform's result of freeing.
int unloadGlApi();
