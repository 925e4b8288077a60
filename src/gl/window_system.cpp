#include "gl/window_system.h"

#include "gl/gl_api.h"
#include "platform/platform.h"

void* sharedDeviceContext = nullptr;
void* renderingContext = nullptr;

namespace {

using CreateContextFn = void*(ORB_GLAPI*)(void*);
using DeleteContextFn = int(ORB_GLAPI*)(void*);
using MakeCurrentFn = int(ORB_GLAPI*)(void*, void*);
using GetProcAddressFn = void*(ORB_GLAPI*)(const char*);
using ChoosePixelFormatFn = int(ORB_GLAPI*)(void*, const PixelFormatDescriptor*);
using SetPixelFormatFn = int(ORB_GLAPI*)(void*, int, const PixelFormatDescriptor*);
using SwapBuffersFn = int(ORB_GLAPI*)(void*);

// The driver's entry `name` as a function of type F, or null.
template <typename F>
F driverEntry(const char* name) {
    if (!glApi.library) return nullptr;
    return reinterpret_cast<F>(platform.librarySymbol(glApi.library, name));
}

}  // namespace

PixelFormatDescriptor saverPixelFormat(int32_t colorBits) {
    PixelFormatDescriptor descriptor{};
    descriptor.size = sizeof descriptor;
    descriptor.version = 1;
    descriptor.flags = 0x25;  // draw to window | support OpenGL | double buffer
    descriptor.pixelType = 0;  // RGBA
    descriptor.colorBits = static_cast<uint8_t>(colorBits & 0xFF);
    descriptor.depthBits = 16;
    descriptor.layerType = 0;  // main plane
    return descriptor;
}

void* createRenderingContext(void* deviceContext) {
    auto create = driverEntry<CreateContextFn>("wglCreateContext");
    return create ? create(deviceContext) : nullptr;
}

void deleteRenderingContext(void* context) {
    if (auto destroy = driverEntry<DeleteContextFn>("wglDeleteContext")) destroy(context);
}

bool makeContextCurrent(void* deviceContext, void* context) {
    const auto makeCurrent = driverEntry<MakeCurrentFn>("wglMakeCurrent");
    return makeCurrent && makeCurrent(deviceContext, context) != 0;
}

void* driverProcAddress(const char* name) {
    auto getProcAddress = driverEntry<GetProcAddressFn>("wglGetProcAddress");
    return getProcAddress ? getProcAddress(name) : nullptr;
}

int choosePixelFormat(void* deviceContext, const PixelFormatDescriptor* descriptor) {
    if (!glApi.driverPixelFormat) {
        const int format = platform.systemChoosePixelFormat(deviceContext, descriptor);
        if (format != 0) return format;
    }
    auto choose = driverEntry<ChoosePixelFormatFn>("wglChoosePixelFormat");
    if (!choose) return 0;
    glApi.driverPixelFormat = 1;
    return choose(deviceContext, descriptor);
}

void setPixelFormat(void* deviceContext, int format, const PixelFormatDescriptor* descriptor) {
    if (!glApi.driverPixelFormat && platform.systemSetPixelFormat(deviceContext, format, descriptor)) return;
    auto set = driverEntry<SetPixelFormatFn>("wglSetPixelFormat");
    if (!set) return;
    glApi.driverPixelFormat = 1;
    set(deviceContext, format, descriptor);
}

void swapBuffers(void* deviceContext) {
    if (!glApi.driverPixelFormat && platform.systemSwapBuffers(deviceContext)) return;
    if (auto swap = driverEntry<SwapBuffersFn>("wglSwapBuffers")) swap(deviceContext);
}
