#pragma once
// The window-system side of the driver: rendering contexts, pixel formats and buffer swaps. Each call
// looks its entry point up by name in the loaded driver library every time; a missing library or
// entry makes the call do nothing (or return nothing).
#include <cstdint>

// The system's 40-byte pixel-format record, field for field.
struct PixelFormatDescriptor {
    uint16_t size;
    uint16_t version;
    uint32_t flags;
    uint8_t pixelType;
    uint8_t colorBits;
    uint8_t redBits, redShift, greenBits, greenShift, blueBits, blueShift;
    uint8_t alphaBits, alphaShift;
    uint8_t accumBits, accumRedBits, accumGreenBits, accumBlueBits, accumAlphaBits;
    uint8_t depthBits;
    uint8_t stencilBits;
    uint8_t auxBuffers;
    uint8_t layerType;
    uint8_t reserved;
    uint32_t layerMask;
    uint32_t visibleMask;
    uint32_t damageMask;
};
static_assert(sizeof(PixelFormatDescriptor) == 40, "the system's pixel-format record is 40 bytes");

// Draw to a window, support OpenGL, double-buffered; RGBA with the low 8 bits of colorBits as the colour
// depth, a 16-bit depth buffer and nothing else.
PixelFormatDescriptor saverPixelFormat(int32_t colorBits);

// The saver window's private device context and the rendering context on it (null when there is none).
extern void* sharedDeviceContext;
extern void* renderingContext;

void* createRenderingContext(void* deviceContext);
void deleteRenderingContext(void* context);
// True when the driver made it current (its start-up caller does not look).
bool makeContextCurrent(void* deviceContext, void* context);
void* driverProcAddress(const char* name);

// The system's call first; the driver's own when driverPixelFormat is set or the system's call failed
// (choose and set then set driverPixelFormat; swap never does).
int choosePixelFormat(void* deviceContext, const PixelFormatDescriptor* descriptor);
void setPixelFormat(void* deviceContext, int format, const PixelFormatDescriptor* descriptor);
void swapBuffers(void* deviceContext);
