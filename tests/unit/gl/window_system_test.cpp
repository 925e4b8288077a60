// The window-system operations: the system's pixel-format and swap calls first, the driver's own
// "wgl*" entries as the fallback, and nothing at all when the driver lacks them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "gl/fake_driver.h"
#include "gl/gl_api.h"
#include "gl/window_system.h"

namespace {

std::vector<std::string> calls;  // system and driver calls, in order, with their arguments
int systemChooseResult = 0;
bool systemSetResult = false;
bool systemSwapResult = false;

std::string dc(void* deviceContext) { return std::to_string(reinterpret_cast<std::uintptr_t>(deviceContext)); }

int systemChoose(void* deviceContext, const void*) {
    calls.push_back("ChoosePixelFormat " + dc(deviceContext));
    return systemChooseResult;
}
bool systemSet(void* deviceContext, int format, const void*) {
    calls.push_back("SetPixelFormat " + dc(deviceContext) + " " + std::to_string(format));
    return systemSetResult;
}
bool systemSwap(void* deviceContext) {
    calls.push_back("SwapBuffers " + dc(deviceContext));
    return systemSwapResult;
}
int ORB_GLAPI driverChoose(void* deviceContext, const PixelFormatDescriptor* descriptor) {
    calls.push_back("wglChoosePixelFormat " + dc(deviceContext) + " " + std::to_string(descriptor->colorBits));
    return 9;
}
int ORB_GLAPI driverSet(void* deviceContext, int format, const PixelFormatDescriptor*) {
    calls.push_back("wglSetPixelFormat " + dc(deviceContext) + " " + std::to_string(format));
    return 1;
}
int ORB_GLAPI driverSwap(void* deviceContext) {
    calls.push_back("wglSwapBuffers " + dc(deviceContext));
    return 1;
}
void* ORB_GLAPI driverCreateContext(void* deviceContext) {
    calls.push_back("wglCreateContext " + dc(deviceContext));
    return reinterpret_cast<void*>(0x5150);
}

void* const DC = reinterpret_cast<void*>(0x1234);
const std::string DC_TEXT = dc(DC);

class WindowSystem : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        systemChooseResult = 0;
        systemSetResult = false;
        systemSwapResult = false;
        platform.systemChoosePixelFormat = &systemChoose;
        platform.systemSetPixelFormat = &systemSet;
        platform.systemSwapBuffers = &systemSwap;
        fakes.install(fake_driver::Library{"3dfxvgl.dll",
                                           {{"wglChoosePixelFormat", fake_driver::symbolOf(&driverChoose)},
                                            {"wglSetPixelFormat", fake_driver::symbolOf(&driverSet)},
                                            {"wglSwapBuffers", fake_driver::symbolOf(&driverSwap)},
                                            {"wglCreateContext", fake_driver::symbolOf(&driverCreateContext)}}});
        glApi.library = &fakes.library("3dfxvgl.dll");
    }
    void removeFromDriver(const char* name) { fakes.library("3dfxvgl.dll").symbols.erase(name); }

    fake_driver::ScopedSystem fakes;
    const PixelFormatDescriptor descriptor = saverPixelFormat(32);
};

TEST_F(WindowSystem, SwapFallsBackToTheDriverOnThatCallOnly) {
    systemSwapResult = true;
    swapBuffers(DC);
    EXPECT_EQ(calls, std::vector<std::string>{"SwapBuffers " + DC_TEXT});

    calls.clear();
    systemSwapResult = false;
    swapBuffers(DC);
    EXPECT_EQ(calls, (std::vector<std::string>{"SwapBuffers " + DC_TEXT, "wglSwapBuffers " + DC_TEXT}));
    EXPECT_EQ(glApi.driverPixelFormat, 0);

    calls.clear();
    systemSwapResult = true;
    swapBuffers(DC);
    EXPECT_EQ(calls, std::vector<std::string>{"SwapBuffers " + DC_TEXT});
}

TEST_F(WindowSystem, SwapGoesOnlyToTheDriverWhenTheFlagIsOn) {
    glApi.driverPixelFormat = 1;
    systemSwapResult = true;
    swapBuffers(DC);
    EXPECT_EQ(calls, std::vector<std::string>{"wglSwapBuffers " + DC_TEXT});
}

TEST_F(WindowSystem, ChooseReturningNothingTurnsTheDriverOnForGood) {
    systemChooseResult = 0;
    EXPECT_EQ(choosePixelFormat(DC, &descriptor), 9);
    EXPECT_EQ(calls, (std::vector<std::string>{"ChoosePixelFormat " + DC_TEXT,
                                               "wglChoosePixelFormat " + DC_TEXT + " 32"}));
    EXPECT_EQ(glApi.driverPixelFormat, 1);

    calls.clear();
    systemSwapResult = true;
    systemSetResult = true;
    setPixelFormat(DC, 9, &descriptor);
    swapBuffers(DC);
    swapBuffers(DC);
    EXPECT_EQ(calls, (std::vector<std::string>{"wglSetPixelFormat " + DC_TEXT + " 9", "wglSwapBuffers " + DC_TEXT,
                                               "wglSwapBuffers " + DC_TEXT}));
}

TEST_F(WindowSystem, SystemSuccessNeverReachesTheDriver) {
    systemChooseResult = 4;
    systemSetResult = true;
    EXPECT_EQ(choosePixelFormat(DC, &descriptor), 4);
    setPixelFormat(DC, 4, &descriptor);
    EXPECT_EQ(calls, (std::vector<std::string>{"ChoosePixelFormat " + DC_TEXT, "SetPixelFormat " + DC_TEXT + " 4"}));
    EXPECT_EQ(glApi.driverPixelFormat, 0);
}

TEST_F(WindowSystem, SetFallsBackToTheDriverAndTurnsItOn) {
    systemSetResult = false;
    setPixelFormat(DC, 3, &descriptor);
    EXPECT_EQ(calls, (std::vector<std::string>{"SetPixelFormat " + DC_TEXT + " 3",
                                               "wglSetPixelFormat " + DC_TEXT + " 3"}));
    EXPECT_EQ(glApi.driverPixelFormat, 1);
}

TEST_F(WindowSystem, MissingDriverEntriesDoNothing) {
    for (const char* name : {"wglChoosePixelFormat", "wglSetPixelFormat", "wglSwapBuffers", "wglCreateContext"})
        removeFromDriver(name);
    EXPECT_EQ(choosePixelFormat(DC, &descriptor), 0);
    setPixelFormat(DC, 2, &descriptor);
    swapBuffers(DC);
    EXPECT_EQ(createRenderingContext(DC), nullptr);
    deleteRenderingContext(reinterpret_cast<void*>(0x5150));
    makeContextCurrent(DC, nullptr);
    EXPECT_EQ(driverProcAddress("glActiveTextureARB"), nullptr);
    EXPECT_EQ(calls, (std::vector<std::string>{"ChoosePixelFormat " + DC_TEXT, "SetPixelFormat " + DC_TEXT + " 2",
                                               "SwapBuffers " + DC_TEXT}));
    EXPECT_EQ(glApi.driverPixelFormat, 0);

    // With the flag on, the system is not asked either.
    calls.clear();
    glApi.driverPixelFormat = 1;
    EXPECT_EQ(choosePixelFormat(DC, &descriptor), 0);
    setPixelFormat(DC, 2, &descriptor);
    swapBuffers(DC);
    EXPECT_TRUE(calls.empty());
}

TEST_F(WindowSystem, NoLibraryLoadedDoesNothing) {
    glApi.library = nullptr;
    glApi.driverPixelFormat = 1;
    EXPECT_EQ(choosePixelFormat(DC, &descriptor), 0);
    setPixelFormat(DC, 2, &descriptor);
    swapBuffers(DC);
    EXPECT_EQ(createRenderingContext(DC), nullptr);
    deleteRenderingContext(reinterpret_cast<void*>(0x5150));
    makeContextCurrent(DC, nullptr);
    EXPECT_EQ(driverProcAddress("glActiveTextureARB"), nullptr);
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(fakes.system.lookups.empty());
}

TEST_F(WindowSystem, EntriesAreLookedUpAtEveryCall) {
    EXPECT_EQ(createRenderingContext(DC), reinterpret_cast<void*>(0x5150));
    removeFromDriver("wglCreateContext");
    EXPECT_EQ(createRenderingContext(DC), nullptr);
    EXPECT_EQ(calls, std::vector<std::string>{"wglCreateContext " + DC_TEXT});

    calls.clear();
    glApi.driverPixelFormat = 1;
    swapBuffers(DC);
    removeFromDriver("wglSwapBuffers");
    swapBuffers(DC);
    EXPECT_EQ(calls, std::vector<std::string>{"wglSwapBuffers " + DC_TEXT});
}

TEST(SaverPixelFormat, FieldsOfTheFortyByteRecord) {
    struct Case {
        int32_t colorBits;
        uint8_t stored;
    };
    for (const Case& c : {Case{16, 16}, Case{32, 32}, Case{0x118, 0x18}, Case{-1, 0xFF}, Case{256, 0}}) {
        SCOPED_TRACE(c.colorBits);
        const PixelFormatDescriptor descriptor = saverPixelFormat(c.colorBits);
        unsigned char bytes[40];
        static_assert(sizeof descriptor == sizeof bytes, "40 bytes");
        std::memcpy(bytes, &descriptor, sizeof bytes);
        // Little-endian layout: size, version, flags, type, colour bits, ..., depth bits at byte 23.
        unsigned char expected[40] = {40, 0, 1, 0, 0x25, 0, 0, 0, 0, c.stored};
        expected[23] = 16;
        for (int i = 0; i < 40; ++i) EXPECT_EQ(bytes[i], expected[i]) << "byte " << i;
    }
}

}  // namespace
