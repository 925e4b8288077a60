#include <gtest/gtest.h>

#include <string>

#include "platform_override.h"
#include "saver/startup.h"
#include "scene/flight_input.h"

namespace {

std::string environmentSet;
bool displayReadable = true;

void recordEnvironment(const char* name, const char* value) { environmentSet = std::string(name) + "=" + value; }
bool fakeCurrentMode(DisplayMode* mode) {
    if (!displayReadable) return false;
    *mode = {1280, 1024, 24, 75};
    return true;
}

TEST(SharedStartUp, SetsGlideVariableTakesDisplayModeAndResetsState) {
    ScopedPlatform saved;
    platform.setEnvironment = recordEnvironment;
    platform.currentDisplayMode = fakeCurrentMode;
    displayReadable = true;
    saverState.closeRequested = 1;
    saverState.passwordDelay = 99;
    SaverSettings settings;
    beginSharedStartUp(settings);
    EXPECT_EQ(environmentSet, "FX_GLIDE_NO_SPLASH=1");
    EXPECT_EQ(settings.ScrWidth, 1280.0f);
    EXPECT_EQ(settings.ScrHeight, 1024.0f);
    EXPECT_EQ(settings.ColorBits, 24);
    EXPECT_EQ(settings.Hertz, 75);
    EXPECT_EQ(saverState.closeRequested, 0);
    EXPECT_EQ(saverState.passwordDelay, 5);
    EXPECT_EQ(saverState.window, nullptr);
}

TEST(SharedStartUp, UnreadableDisplayModeKeepsBuiltInValues) {
    ScopedPlatform saved;
    platform.setEnvironment = recordEnvironment;
    platform.currentDisplayMode = fakeCurrentMode;
    displayReadable = false;
    SaverSettings settings;
    beginSharedStartUp(settings);
    EXPECT_EQ(settings.ScrWidth, 640.0f);
    EXPECT_EQ(settings.ScrHeight, 480.0f);
    EXPECT_EQ(settings.ColorBits, 16);
    EXPECT_EQ(settings.Hertz, -1);
}

TEST(MouseScales, MapTheScreenToMinusTwoToTwo) {
    FlightInput input;
    setMouseScales(input, 1024.0f, 768.0f);
    EXPECT_FLOAT_EQ(input.mouseScaleX, 4.0f / 1024.0f);
    EXPECT_FLOAT_EQ(512 * input.mouseScaleX - 2.0f, 0.0f);
    EXPECT_FLOAT_EQ(1024 * input.mouseScaleX - 2.0f, 2.0f);
    EXPECT_FLOAT_EQ(768 * input.mouseScaleY - 2.0f, 2.0f);
    setMouseScales(input, 0.0f, 0.0f);  // a refused display size divides by nothing
    EXPECT_EQ(input.mouseScaleX, 0.0f);
    EXPECT_EQ(input.mouseScaleY, 0.0f);
}

}  // namespace
