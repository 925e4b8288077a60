/* The recording driver: OpenGL 1.1 and the window-system entries forwarded to the system's opengl32.dll,
   except the calls through which the camera and the textures arrive, which it records, and the largest
   texture size, which it answers as a Voodoo board does: 256. Uploads larger than that are refused, as
   such a board refuses them. At every buffer swap it rewrites "gl-calls.txt" beside itself:
     swaps N                     buffer swaps so far
     frames-without-camera N     swaps with no camera matrix (glMultMatrixd) since the one before
     camera-not-a-rotation N     camera matrices whose 3 x 3 part is not a rotation
     refused N                   uploads larger than 256 (not passed on)
     level TEXTURE LEVEL W H     one line per upload passed on, in order */
#include <windows.h>

#include "load_log.h"

#define MAX_SIZE 256
#define MAX_LEVELS 512
#define GL_MAX_TEXTURE_SIZE 0x0D33

typedef void(WINAPI* MultMatrixdFn)(const double*);
typedef void(WINAPI* TexImage2DFn)(unsigned, int, int, int, int, int, unsigned, unsigned, const void*);
typedef void(WINAPI* GetIntegervFn)(unsigned, int*);
typedef void(WINAPI* BindTextureFn)(unsigned, unsigned);
typedef BOOL(WINAPI* SwapBuffersFn)(HDC);

static struct {
    long swaps, framesWithoutCamera, notRotations, refused, camerasThisFrame;
    unsigned boundTexture;
    int levelCount;
    int levels[MAX_LEVELS][4];
} seen;

static FARPROC systemEntry(const char* name) {
    HMODULE opengl = GetModuleHandleA("opengl32.dll");
    if (!opengl) opengl = LoadLibraryA("opengl32.dll");
    return GetProcAddress(opengl, name);
}

static void writeRecord(void) {
    char path[MAX_PATH + 16];
    wsprintfA(path, "%sgl-calls.txt", libraryFolder);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    char line[96];
    DWORD written;
    int size = wsprintfA(line, "swaps %ld\nframes-without-camera %ld\ncamera-not-a-rotation %ld\nrefused %ld\n",
                         seen.swaps, seen.framesWithoutCamera, seen.notRotations, seen.refused);
    WriteFile(file, line, (DWORD)size, &written, NULL);
    for (int i = 0; i < seen.levelCount; ++i) {
        size = wsprintfA(line, "level %d %d %d %d\n", seen.levels[i][0], seen.levels[i][1], seen.levels[i][2],
                         seen.levels[i][3]);
        WriteFile(file, line, (DWORD)size, &written, NULL);
    }
    CloseHandle(file);
}

static int isRotation(const double* m) {
    /* Columns 0..2 of the upper 3 x 3 block: unit length and at right angles. */
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) {
            double dot = 0.0;
            for (int k = 0; k < 3; ++k) dot += m[a * 4 + k] * m[b * 4 + k];
            double expected = a == b ? 1.0 : 0.0;
            if (dot - expected > 1e-6 || expected - dot > 1e-6) return 0;
        }
    }
    return 1;
}

void WINAPI glMultMatrixd(const double* m) {
    static MultMatrixdFn system;
    if (!system) system = (MultMatrixdFn)(void (*)(void))systemEntry("glMultMatrixd");
    ++seen.camerasThisFrame;
    if (!isRotation(m)) ++seen.notRotations;
    system(m);
}

void WINAPI glBindTexture(unsigned target, unsigned texture) {
    static BindTextureFn system;
    if (!system) system = (BindTextureFn)(void (*)(void))systemEntry("glBindTexture");
    seen.boundTexture = texture;
    system(target, texture);
}

void WINAPI glGetIntegerv(unsigned name, int* value) {
    static GetIntegervFn system;
    if (!system) system = (GetIntegervFn)(void (*)(void))systemEntry("glGetIntegerv");
    system(name, value);
    if (name == GL_MAX_TEXTURE_SIZE) *value = MAX_SIZE;
}

void WINAPI glTexImage2D(unsigned target, int level, int internalFormat, int width, int height, int border,
                         unsigned format, unsigned type, const void* pixels) {
    static TexImage2DFn system;
    if (!system) system = (TexImage2DFn)(void (*)(void))systemEntry("glTexImage2D");
    if (width > MAX_SIZE || height > MAX_SIZE) {
        ++seen.refused;
        return;
    }
    if (seen.levelCount < MAX_LEVELS) {
        int* record = seen.levels[seen.levelCount++];
        record[0] = (int)seen.boundTexture;
        record[1] = level;
        record[2] = width;
        record[3] = height;
    }
    system(target, level, internalFormat, width, height, border, format, type, pixels);
}

BOOL WINAPI wglSwapBuffers(HDC deviceContext) {
    static SwapBuffersFn system;
    if (!system) system = (SwapBuffersFn)(void (*)(void))systemEntry("wglSwapBuffers");
    ++seen.swaps;
    /* The loading picture's swap comes before any camera. */
    if (seen.camerasThisFrame == 0 && seen.swaps > 1) ++seen.framesWithoutCamera;
    seen.camerasThisFrame = 0;
    writeRecord();
    return system ? system(deviceContext) : FALSE;
}
